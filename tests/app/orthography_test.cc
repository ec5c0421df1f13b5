// The orthography search: framed spellings, every start position, case.
#include <gtest/gtest.h>

#include "app/fixture.h"

namespace velmora {
namespace {

class Orthography : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Write("in.txt",
          "banana\tB\r\nnation\tN\r\nstation\tS\r\nunder\tU\r\ncat\tK\r\ncatalog\tK\r\nCat\tK\r\nfor sure\tF\r\n");
  }
  std::string Search(const std::string& text) {
    platform.SetText(Control::txtOrthography, text);
    form->cmdSearchOrthography_Click();
    return form->lastOutcome == Form1::Outcome::kHits ? Read("SmallOutput.txt") : "(none)";
  }
};

TEST_F(Orthography, BracketsStandForTheWordEdges) {
  Start();
  EXPECT_EQ(Search("ation]"), "\r\nnation, station\r\n");
  EXPECT_EQ(Search("[cat"), "\r\ncat, catalog\r\n");
  EXPECT_EQ(Search("[cat]"), "\r\ncat\r\n");
  EXPECT_EQ(Search("Ation]"), "(none)");
  EXPECT_EQ(platform.messages.back(), "No examples were found.");
}

TEST_F(Orthography, OverlappingOccurrencesEachCount) {
  Start();
  EXPECT_EQ(Search("ana"), "\r\nbanana, banana\r\n");
  EXPECT_EQ(Read("Hits.txt"), "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  \r\nFocus string\tNumber in corpus\tExamples\r\nana\t2\tbanana banana\r\n");
  EXPECT_EQ(Read("FullOutput.txt"),
            "Word\tRev. spelling\tTranscription\tSearch match\tCELEX lemma freq.\tAnnotation\r\n"
            "banana\tananab\tB\tana\t0\t\r\nbanana\tananab\tB\tana\t0\t\r\nzzz Search string was:  \r\n");
  EXPECT_EQ(Caption(Control::cmdSearchOrthography), "Done!  You can re-click here for another search.");
}

TEST_F(Orthography, SpacesAroundAreIgnoredAndInsideMustMatch) {
  Start();
  EXPECT_EQ(Search("  r s  "), "\r\nfor sure\r\n");
}

TEST_F(Orthography, TheEmptyStringMatchesAtEveryPosition) {
  Write("in.txt", "ab\tX\r\n\tY\r\n");
  Start();
  EXPECT_EQ(Search(""), "\r\nab, ab, ab, ab, ab, , , \r\n");
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  \r\nFocus string\tNumber in corpus\tExamples\r\n\t8\tab ab ab ab ab   \r\n");
}

TEST_F(Orthography, TheBoxesShowInTheHeadsButTakeNoPart) {
  Start();
  Boxes({"AY1", "", "T"});
  Search("[under]");
  EXPECT_EQ(Read("SmallOutput.txt"), "AY1  T\r\nunder\r\n");
  // The boxes are not validated or compacted for an orthography search.
  EXPECT_EQ(platform.Text(Control::Text3), "T");
}

TEST_F(Orthography, MultiByteCharactersMatchWhole) {
  Write("in.txt", "caf\xC3\xA9\tK\r\ncaf\xC3\tK\r\n");
  Start();
  EXPECT_EQ(Search("\xC3\xA9]"), "\r\ncaf\xC3\xA9\r\n");
  // A lone lead byte is a character of its own and does not match half of é.
  EXPECT_EQ(Search("f\xC3"), "\r\ncaf\xC3\r\n");
}

TEST_F(Orthography, ProgressEveryHundredEntries) {
  std::string dict;
  for (int i = 0; i < 250; ++i) dict += "w\tX\r\n";
  Write("in.txt", dict);
  Start();
  Search("zzz");
  std::vector<std::string> progress;
  for (const auto& c : platform.captions[static_cast<int>(Control::cmdSearchOrthography)]) {
    if (c.rfind("Searching", 0) == 0) progress.push_back(c);
  }
  EXPECT_EQ(progress, (std::vector<std::string>{"Searching the dictionary; completed 100/250",
                                                 "Searching the dictionary; completed 200/250"}));
  EXPECT_EQ(Caption(Control::cmdSearchOrthography), "You can re-click here for another search.");
}

}  // namespace
}  // namespace velmora
