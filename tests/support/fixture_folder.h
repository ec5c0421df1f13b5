// SPDX-License-Identifier: GPL-3.0-or-later
// The small program folder most tests search: five entries, the inventory,
// the key and both class folders; and the six result files of its one
// reference search, AY1 CONSONANT CONSONANT ], which every front end must
// write byte for byte.
#ifndef VELMORA_TESTS_SUPPORT_FIXTURE_FOLDER_H_
#define VELMORA_TESTS_SUPPORT_FIXTURE_FOLDER_H_

#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

namespace velmora {

inline const char* kFixtureDictionary =
    "blind\tB L AY1 N D\tB L AY1 NCoda DCoda\t\t50\t1\r\n"
    "child\tCH AY1 L D\tCH AY1 LCoda DCoda\t\t40\t2\r\n"
    "pint\tP AY1 N T\tP AY1 NCoda TCoda\t\t30\t3\r\n"
    "tab\tT AE1 B\tT AE1 BCoda\t\t20\t4\r\n"
    "blackbird\tB L AE1 K B ER0 D\tB L AE1 KCoda B ER0 DCoda\tcompound: black+bird\t5\t5\r\n";

inline const char* kFixtureInventory =
    "[\r\n]\r\nB\r\nL\r\nAY1\r\nN\r\nD\r\nCH\r\nP\r\nT\r\nAE1\r\nK\r\nER0\r\n"
    "BCoda\r\nLCoda\r\nNCoda\r\nDCoda\r\nTCoda\r\nKCoda\r\n";

// Writes each (name, bytes) under folder; false when a file could not be written.
inline bool WriteFiles(const std::string& folder, const std::vector<std::pair<const char*, const char*>>& files) {
  for (const auto& [name, bytes] : files) {
    if (!WriteFile(folder + "/" + name, bytes)) return false;
  }
  return true;
}

// Writes the fixture into folder; false when a file could not be written.
inline bool WriteFixtureFolder(const std::string& folder) {
  ::mkdir((folder + "/NaturalClasses").c_str(), 0755);
  ::mkdir((folder + "/SyllabifiedNaturalClasses").c_str(), 0755);
  return WriteFiles(folder, {
      {"in.txt", kFixtureDictionary},
      {"AllSegments.txt", kFixtureInventory},
      {"SegmentKey.txt", "AY1 as in bite\r\nAE1 as in bat\r\n"},
      {"NaturalClasses/CONSONANT.txt", "B\r\nL\r\nN\r\nD\r\nCH\r\nP\r\nT\r\nK\r\n"},
      {"NaturalClasses/VOWEL.txt", "AY1\r\nAE1\r\nER0\r\n"},
      {"SyllabifiedNaturalClasses/CODA.txt", "BCoda\r\nLCoda\r\nNCoda\r\nDCoda\r\nTCoda\r\nKCoda\r\n"},
      {"SyllabifiedNaturalClasses/VOWEL.txt", "AY1\r\nAE1\r\nER0\r\n"},
  });
}

// A data set of another language, xx, beside the fixture: two words, their
// inventory, key, one class and a feature table; and xx.txt, a dictionary of
// its symbols that lies in the program folder.
inline bool WriteFixtureDataSet(const std::string& folder) {
  ::mkdir((folder + "/xx").c_str(), 0755);
  ::mkdir((folder + "/xx/NaturalClasses").c_str(), 0755);
  return WriteFiles(folder, {
      {"xx/in.txt", "gatto\tg a1 t o0\tg a1 t o0\t\t10\t1\nmare\tm a1 r e0\tm a1 r e0\t\t5\t2\n"},
      {"xx/AllSegments.txt", "[\n]\ng\na1\nt\no0\nm\nr\ne0\n"},
      {"xx/SegmentKey.txt", "a1 as in gatto\n"},
      {"xx/NaturalClasses/CONS.txt", "g\nt\nm\nr\n"},
      {"xx/Features.txt", "Symbol\tsonorant\ng\t-\nt\t-\nm\t+\nr\t+\na1\t+\no0\t+\ne0\t+\n[\t0\n]\t0\n"},
      {"xx.txt", "tetto\tt e0 t o0\tt e0 t o0\t\t1\t1\n"},
  });
}

// The six files of AY1 CONSONANT CONSONANT ] over the fixture, by file name.
inline std::vector<std::pair<std::string, std::string>> ReferenceSearchFiles() {
  return {
      {"FullOutput.txt",
       "Word\tRev. spelling\tTranscription\tSearch match\tCELEX lemma freq.\tAnnotation\r\n"
       "blind\tdnilb\tB L AY1 N D\tAY1\tN\tD\t]\t50\t\r\n"
       "child\tdlihc\tCH AY1 L D\tAY1\tL\tD\t]\t40\t\r\n"
       "pint\ttnip\tP AY1 N T\tAY1\tN\tT\t]\t30\t\r\n"
       "zzz Search string was:  AY1 CONSONANT CONSONANT ]\r\n"},
      {"ResultsOfSearchInInputFormat.txt",
       "blind\tB L AY1 N D\tB L AY1 NCoda DCoda\t\t 50 \t 1 \r\n"
       "child\tCH AY1 L D\tCH AY1 LCoda DCoda\t\t 40 \t 2 \r\n"
       "pint\tP AY1 N T\tP AY1 NCoda TCoda\t\t 30 \t 3 \r\n"},
      {"SmallOutput.txt", "AY1 CONSONANT CONSONANT ]\r\nblind, child, pint\r\n"},
      {"MediumOutput.txt",
       "Search string was:  AY1 CONSONANT CONSONANT ]\r\n"
       "Focus string\tNumber in corpus\tExamples\r\n"
       "AY1\tN\tD\t]\t1\tblind\r\n"
       "AY1\tL\tD\t]\t1\tchild\r\n"
       "AY1\tN\tT\t]\t1\tpint\r\n"},
      {"Hits.txt", "1\r\n1\r\n1\r\n0\r\n0\r\n"},
      {"Misses.txt", "0\r\n0\r\n0\r\n1\r\n1\r\n"},
  };
}

// Expects folder to hold the reference search's six files.
#define EXPECT_REFERENCE_SEARCH_FILES(folder)                                       \
  for (const auto& [name, bytes] : ReferenceSearchFiles()) {                        \
    EXPECT_EQ(ReadFile(std::string(folder) + "/" + name), bytes) << name;          \
  }

}  // namespace velmora

#endif  // VELMORA_TESTS_SUPPORT_FIXTURE_FOLDER_H_
