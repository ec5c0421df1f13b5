// Checks of the committed data set itself: the format the program reads, the
// agreement of its files with one another, and the example search.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "lexicon/text.h"
#include "syllabify/syllabifier.h"
#include "syllabify/text_lines.h"
#include "test_files.h"

namespace velmora::syllabify {
namespace {

const std::string kData = VELMORA_DATA_DIR;

std::vector<std::string> Lines(const std::string& name) {
  std::vector<std::string> lines;
  EXPECT_TRUE(ReadLines(kData + "/" + name, &lines).ok()) << name;
  return lines;
}

std::set<std::string> LineSet(const std::string& name) {
  std::vector<std::string> lines = Lines(name);
  return std::set<std::string>(lines.begin(), lines.end());
}

// Every line of the file ends with CR LF and nothing else.
void ExpectCrLfOnly(const std::string& name) {
  const std::string contents = testing::ReadFile(kData + "/" + name);
  ASSERT_FALSE(contents.empty()) << name;
  EXPECT_EQ(contents.substr(contents.size() - 2), "\r\n") << name;
  for (size_t i = 0; i < contents.size(); ++i) {
    if (contents[i] == '\n') {
      ASSERT_TRUE(i > 0 && contents[i - 1] == '\r') << name << " has a lone LF at byte " << i;
    } else if (contents[i] == '\r') {
      ASSERT_TRUE(i + 1 < contents.size() && contents[i + 1] == '\n')
          << name << " has a lone CR at byte " << i;
    } else {
      ASSERT_TRUE(contents[i] == '\t' || (contents[i] >= 32 && contents[i] < 127))
          << name << " has a byte outside printable ASCII at " << i;
    }
  }
}

struct Entry {
  std::string spelling, plain, syllabified, annotation;
  long long frequency = 0, rank = 0;
};

std::vector<Entry> Dictionary(const std::string& name) {
  std::vector<Entry> entries;
  for (const std::string& line : Lines(name)) {
    std::vector<std::string> f = SplitFields(line);
    EXPECT_EQ(f.size(), 6u) << line;
    if (f.size() != 6) continue;
    entries.push_back({f[0], f[1], f[2], f[3], std::stoll(f[4]), std::stoll(f[5])});
  }
  return entries;
}

Syllabifier BundledSyllabifier() {
  return Syllabifier(VowelSet(Lines("NaturalClasses/VOWEL.txt")),
                     OnsetSet(Lines("LegalOnsets.txt")));
}

TEST(BundledDataTest, FilesAreAsciiWithCrLf) {
  for (const char* name : {"in.txt", "cmudict-full.txt", "AllSegments.txt", "SegmentKey.txt",
                           "LegalOnsets.txt", "ExcludedTokens.txt", "NaturalClasses/VOWEL.txt",
                           "SyllabifiedNaturalClasses/CODA.txt"}) {
    ExpectCrLfOnly(name);
  }
}

TEST(BundledDataTest, InTxtHoldsTwentyThousandRankedWordsInByteOrder) {
  const std::vector<Entry> entries = Dictionary("in.txt");
  ASSERT_EQ(entries.size(), 20000u);
  const std::set<std::string> excluded = [] {
    std::set<std::string> tokens;
    for (const std::string& line : Lines("ExcludedTokens.txt")) tokens.insert(SplitFields(line)[0]);
    return tokens;
  }();
  EXPECT_TRUE(excluded.count("don") && excluded.count("s") && excluded.count("b"));
  std::vector<const Entry*> by_rank(entries.size() + 1, nullptr);
  for (size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    if (i > 0) {
      EXPECT_LT(entries[i - 1].spelling, e.spelling);
    }
    EXPECT_TRUE(std::all_of(e.spelling.begin(), e.spelling.end(),
                            [](char c) { return (c >= 'a' && c <= 'z') || c == '\''; }))
        << e.spelling;
    EXPECT_EQ(excluded.count(e.spelling), 0u) << e.spelling;
    EXPECT_GT(e.frequency, 0) << e.spelling;
    ASSERT_TRUE(e.rank >= 1 && e.rank <= 20000) << e.spelling;
    EXPECT_EQ(by_rank[e.rank], nullptr) << "rank " << e.rank << " given twice";
    by_rank[e.rank] = &e;
  }
  for (size_t rank = 2; rank < by_rank.size(); ++rank) {
    EXPECT_GE(by_rank[rank - 1]->frequency, by_rank[rank]->frequency) << "rank " << rank;
  }
}

TEST(BundledDataTest, SyllabifiedFieldIsTheToolsOutputForThePlainField) {
  const Syllabifier syllabifier = BundledSyllabifier();
  for (const char* name : {"in.txt", "cmudict-full.txt"}) {
    int mismatches = 0;
    for (const Entry& e : Dictionary(name)) {
      if (syllabifier.Syllabify(e.plain) != e.syllabified && ++mismatches <= 5) {
        ADD_FAILURE() << name << ": " << e.spelling << " has " << e.syllabified;
      }
    }
    EXPECT_EQ(mismatches, 0) << name;
  }
}

TEST(BundledDataTest, InventoryCoversBothDictionariesInBothModes) {
  const std::set<std::string> inventory = LineSet("AllSegments.txt");
  EXPECT_TRUE(inventory.count("[") && inventory.count("]"));
  for (const char* name : {"in.txt", "cmudict-full.txt"}) {
    for (const Entry& e : Dictionary(name)) {
      for (const std::string* field : {&e.plain, &e.syllabified}) {
        // The program stops dividing at an empty segment, so a doubled or
        // edge blank would hide segments from the vetting.
        ASSERT_EQ(Join(SplitSegments(*field), " "), *field) << name << ": " << e.spelling;
        for (const std::string& segment : SplitSegments(*field)) {
          ASSERT_EQ(inventory.count(segment), 1u) << name << ": " << e.spelling << " " << segment;
        }
      }
      for (const std::string& segment : SplitSegments(e.plain)) {
        // A plain segment ending in "coda" draws a caution in plain mode.
        ASSERT_EQ(Lower(segment).find("coda"), std::string::npos) << e.spelling;
      }
    }
  }
}

TEST(BundledDataTest, AnnotationsNameTheirKindAndParts) {
  std::map<std::string, std::string> plain;
  const std::vector<Entry> entries = Dictionary("in.txt");
  for (const Entry& e : entries) plain[e.spelling] = e.plain;
  for (const Entry& e : entries) {
    if (e.annotation.empty()) continue;
    const bool compound = e.annotation.rfind("compound: ", 0) == 0;
    ASSERT_TRUE(compound || e.annotation.rfind("affixed: ", 0) == 0) << e.annotation;
    const std::string parts = e.annotation.substr(e.annotation.find(' ') + 1);
    const size_t plus = parts.find('+');
    ASSERT_NE(plus, std::string::npos) << e.annotation;
    if (compound) {
      // Both parts are words of the dictionary.
      EXPECT_TRUE(plain.count(parts.substr(0, plus)) && plain.count(parts.substr(plus + 1)))
          << e.spelling << ": " << e.annotation;
    }
  }
  std::map<std::string, std::string> annotation;
  for (const Entry& e : entries) annotation[e.spelling] = e.annotation;
  EXPECT_EQ(annotation["blackbird"], "compound: black+bird");
  EXPECT_EQ(annotation["kindness"], "affixed: kind+ness");
  EXPECT_EQ(annotation["unhappy"], "affixed: un+happy");
  EXPECT_EQ(annotation["child"], "");
  EXPECT_EQ(annotation["carton"], "");
}

TEST(BundledDataTest, OnsetListKeepsEnglishClustersAndDropsForeignOnes) {
  const std::set<std::string> onsets = LineSet("LegalOnsets.txt");
  for (const char* kept : {"S T R", "S P L", "S K W", "S K R", "T R", "P L", "K W", "ZH"}) {
    EXPECT_EQ(onsets.count(kept), 1u) << kept;
  }
  for (const char* dropped : {"NG", "T S", "S V", "V L", "Z W", "K N"}) {
    EXPECT_EQ(onsets.count(dropped), 0u) << dropped;
  }
}

TEST(BundledDataTest, KeyFitsTheLabelAndClassesUseListedSymbols) {
  const std::vector<std::string> key = Lines("SegmentKey.txt");
  // About 130 characters fill one line of the label.
  EXPECT_LE(key.size(), 6u);
  bool mentions_coda = false;
  for (const std::string& line : key) {
    EXPECT_LE(line.size(), 130u) << line;
    if (line.find("Coda") != std::string::npos) mentions_coda = true;
  }
  EXPECT_TRUE(mentions_coda);

  const std::set<std::string> inventory = LineSet("AllSegments.txt");
  for (const char* folder : {"NaturalClasses", "SyllabifiedNaturalClasses"}) {
    for (const char* name : {"CONSONANT", "VOWEL", "STOP", "FRICATIVE", "AFFRICATE", "NASAL",
                             "LIQUID", "GLIDE", "SONORANT", "OBSTRUENT", "VOICED", "VOICELESS",
                             "LABIAL", "CORONAL", "DORSAL", "SIBILANT", "STRESSED",
                             "MAINSTRESSED", "UNSTRESSED"}) {
      const std::vector<std::string> members =
          Lines(std::string(folder) + "/" + name + ".txt");
      EXPECT_FALSE(members.empty()) << folder << "/" << name;
      EXPECT_LE(members.size(), 100u) << folder << "/" << name;
      for (const std::string& member : members) {
        EXPECT_EQ(inventory.count(member), 1u) << folder << "/" << name << ": " << member;
      }
    }
  }
  EXPECT_EQ(Lines("SyllabifiedNaturalClasses/ONSET.txt").size(), 24u);
  EXPECT_EQ(Lines("SyllabifiedNaturalClasses/CODA.txt").size(), 24u);
}

// The search AY1, CONSONANT, CONSONANT, "]" on the plain transcriptions.
TEST(BundledDataTest, MainStressedAyBeforeAFinalClusterFindsChildBlindAndPint) {
  const std::set<std::string> consonants = LineSet("NaturalClasses/CONSONANT.txt");
  std::set<std::string> found;
  for (const Entry& e : Dictionary("in.txt")) {
    std::vector<std::string> s = SplitSegments(e.plain);
    s.push_back("]");
    if (s.size() >= 4 && s[s.size() - 4] == "AY1" && consonants.count(s[s.size() - 3]) &&
        consonants.count(s[s.size() - 2])) {
      found.insert(e.spelling);
    }
  }
  for (const char* word : {"child", "blind", "pint", "mind", "fights"}) {
    EXPECT_EQ(found.count(word), 1u) << word;
  }
  EXPECT_EQ(found.count("time"), 0u);
  EXPECT_EQ(found.count("children"), 0u);
}

}  // namespace
}  // namespace velmora::syllabify
