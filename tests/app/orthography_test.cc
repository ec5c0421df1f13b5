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

// Brackets stand for the word edges, case counts, spaces around the text are
// ignored and those inside must match, overlapping occurrences each count.
TEST_F(Orthography, FindsTheFramedSpellingsAndWritesTheFiles) {
  Start();
  const std::pair<const char*, const char*> cases[] = {
      {"ation]", "\r\nnation, station\r\n"}, {"[cat", "\r\ncat, catalog\r\n"}, {"[cat]", "\r\ncat\r\n"},
      {"Ation]", "(none)"},                     {"  r s  ", "\r\nfor sure\r\n"},    {"ana", "\r\nbanana, banana\r\n"},
  };
  for (const auto& [text, small] : cases) EXPECT_EQ(Search(text), small) << text;
  EXPECT_EQ(platform.messages, std::vector<std::string>{"No examples were found."});
  EXPECT_EQ(Read("Hits.txt"), "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(Read("MediumOutput.txt"),
            "Search string was:  \r\nFocus string\tNumber in corpus\tExamples\r\nana\t2\tbanana banana\r\n");
  EXPECT_EQ(Read("FullOutput.txt"),
            "Word\tRev. spelling\tTranscription\tSearch match\tCELEX lemma freq.\tAnnotation\r\n"
            "banana\tananab\tB\tana\t0\t\r\nbanana\tananab\tB\tana\t0\t\r\nzzz Search string was:  \r\n");
  EXPECT_EQ(Caption(Control::cmdSearchOrthography), "Done!  You can re-click here for another search.");
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

}  // namespace
}  // namespace velmora
