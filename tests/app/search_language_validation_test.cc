// The window's gate for the search language: a malformed box is named in one
// message and nothing runs; the feature table is read only for a bundle; the
// filters the window keeps are saved under their own labels, and an older
// settings file reads as no filter.
#include <gtest/gtest.h>

#include "app/fixture.h"
#include "app/messages.h"
#include "engine/settings.h"

namespace velmora {
namespace {

using SearchLanguageWindow = AppFixture;
using V = std::vector<std::string>;

TEST_F(SearchLanguageWindow, TheFirstMalformedBoxIsNamedAndNoFileIsWritten) {
  Start();
  Boxes({"", "AY1", "!{+voice", "XYZ|"});
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(platform.messages,
            V{"Box 2: \"!{+voice\" has no closing }.  Please fix this and click on the search button again."});
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kRefused);
  EXPECT_FALSE(FileExists(dir.Path("FullOutput.txt")));
  EXPECT_FALSE(FileExists(dir.Path("UserSettings.txt")));
}

TEST_F(SearchLanguageWindow, ABundleReadsTheTableOfTheProgramFolderEachTime) {
  Start();
  Boxes({"{+voice}", "]"});
  EXPECT_FALSE(Validates());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].rfind("Box 1: the feature table " + dir.Path("Features.txt") + " could not be read", 0),
            0u)
      << platform.messages[0];
  // A table that lacks a symbol the search reads refuses the bundle, naming the first few.
  Write("Features.txt", "Symbol\tvoice\r\nD\t+\r\nT\t-\r\n]\t0\r\n");
  EXPECT_FALSE(Validates());
  EXPECT_EQ(platform.messages.back(),
            "Box 1: the feature table " + dir.Path("Features.txt") +
                " is damaged: it has no line for the symbols \"B\", \"L\", \"AY1\", \"N\", \"CH\" and 4 more of the "
                "searched transcriptions.  Please fix this and click on the search button again.");
  // Once the file is whole, the same boxes pass and the search uses it.
  Write("Features.txt", "Symbol\tvoice\r\nD\t+\r\nT\t-\r\n]\t0\r\nB\t0\r\nL\t0\r\nAY1\t0\r\nN\t0\r\nCH\t0\r\n"
                        "P\t0\r\nAE1\t0\r\nK\t0\r\nER0\t0\r\n");
  EXPECT_TRUE(Validates());
  form->cmdSearchTranscriptions_Click();
  EXPECT_EQ(form->lastOutcome, Form1::Outcome::kHits);
  EXPECT_EQ(Read("SmallOutput.txt"), "{+voice} ]\r\nblind, child, blackbird\r\n");
}

TEST_F(SearchLanguageWindow, FiltersAreSavedAfterTheOtherSettingsAndReadBack) {
  Start();
  form->filters.minFrequency = 30;
  ASSERT_TRUE(ParseCountRange("4-", &form->filters.segments));
  form->filters.stress = "1";
  Boxes({"AY1"});
  form->cmdSearchTranscriptions_Click();
  const std::string settings = Read("UserSettings.txt");
  EXPECT_EQ(settings.substr(settings.find("Search vowels only")),
            "Search vowels only\r\nno\r\n"
            "Filter: lowest frequency\r\n30\r\n"
            "Filter: highest frequency\r\n\r\n"
            "Filter: number of segments (MIN-MAX)\r\n4-\r\n"
            "Filter: number of syllables (MIN-MAX)\r\n\r\n"
            "Filter: stress pattern (0, 1, 2 and . for any vowel)\r\n1\r\n");
  EXPECT_EQ(Read("Hits.txt"), "1\r\n1\r\n1\r\n0\r\n0\r\n");

  // A new window reads them back; a value not of its form is no filter.
  Write("UserSettings.txt", settings + "Filter: highest frequency\r\nmany\r\n");
  RecordingPlatform other;
  Form1 second(other, dir.path());
  second.Form_Load();
  EXPECT_EQ(second.filters, form->filters);
}

TEST_F(SearchLanguageWindow, AFileWithoutFilterLabelsReadsAsNoFilter) {
  Settings s;
  s.filters.stress = "10";
  Write("UserSettings.txt", "Box 1\r\nAY1\r\n");
  ReadSettingsFile(dir.path(), &s);
  EXPECT_EQ(s.filters.stress, "10");  // the file says nothing of it
  Start();
  EXPECT_FALSE(form->filters.any());
}

TEST_F(SearchLanguageWindow, TheSearchLanguageMenuShowsTheItemsWithExamples) {
  Start();
  form->mnuSearchLanguage_Click();
  ASSERT_EQ(platform.messages.size(), 1u);
  for (const char* item : {"T|D|NASAL", "!NASAL", "{+voice -sonorant}", "LIQUID?", "CONSONANT*", "CONSONANT+", "...",
                           "VOWEL  ...  NASAL  ]"}) {
    EXPECT_NE(platform.messages[0].find(item), std::string::npos) << item;
  }
  EXPECT_NE(ItemBoxToolTip(3).find("Box 3"), std::string::npos);
}

TEST_F(SearchLanguageWindow, TheFiltersDialogsFieldsAreReadWhole) {
  Start();
  EXPECT_EQ(form->FilterTexts(), (std::array<std::string, 5>{"", "", "", "", ""}));
  EXPECT_TRUE(form->SetFilterTexts({" 10 ", "", "3-5", "2", ".1"}));
  EXPECT_EQ(form->FilterTexts(), (std::array<std::string, 5>{"10", "", "3-5", "2", ".1"}));
  EXPECT_TRUE(platform.messages.empty());
  // One wrong field changes nothing and names itself.
  EXPECT_FALSE(form->SetFilterTexts({"", "", "", "5-2", ""}));
  EXPECT_EQ(form->FilterTexts(), (std::array<std::string, 5>{"10", "", "3-5", "2", ".1"}));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].rfind("The filter \"syllables\" cannot be \"5-2\"", 0), 0u) << platform.messages[0];
  EXPECT_TRUE(form->SetFilterTexts({"", "", "", "", ""}));
  EXPECT_FALSE(form->filters.any());
}

}  // namespace
}  // namespace velmora
