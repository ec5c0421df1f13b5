// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_window.h"

#include "ui/maintainer.h"

namespace velmora {

namespace {

// The nine topics; the text area breaks lines at CR only.
const std::string& Topic(int topic) {
  static const std::string kTopics[] = {
      "1. General\r\r"
      "The purpose of this program is to search a database of about 20,000 American English pronunciations "
      "for whatever configuration you are interested in finding.  For example, you might want to find all "
      "cases in which main stressed [ai] precedes a word-final consonant cluster.  For this, you would type "
      "AY1 in the first box, CONSONANT in the second, CONSONANT in the third, and ] in the fourth.  If you "
      "then click on Search Transcriptions, the program will find all such words and create output files "
      "listing what it found. For the search just described, it would find words like child, blind, and "
      "pint.\r\r"
      "The program creates three different output files, which differ in how much detail they include:\r\r"
      "FullOutput.txt\rMediumOutput.txt\rSmallOutput.txt\r\r"
      "These files get placed in the same folder as the program itself. You can open these files yourself "
      "using a word processor or spreadsheet, or you can set up this program to do this for you; see Reading "
      "Output Files for details.",

      "2. Natural classes\r\r"
      "The program can use natural classes (for example, all consonants, all stops, etc.).  To use a natural "
      "class, type its name in the search window, as with CONSONANT above.  The classes available are listed "
      "in the text box in the main program interface.\r\r"
      "You can add as many new natural classes as you like.  Go to one of the two natural class folders "
      "NaturalClasses and SyllabifiedNaturalClasses included with this software and add new files modeled on "
      "the ones already there (class name = file name, contents are symbols listed one per line).",

      "3. Reading output files\r\r"
      "When the program finishes a search, it pops up a special window that it intended to speed the "
      "inspection of your output files. The window shows five buttons.  They let you pick either the large, "
      "medium, or small output file, and let you open it with either a spreadsheet program or a word "
      "processor.\r\r"
      "For this to work, you have to tell the program where your spreadsheet program and word processor "
      "program are on your hard drive, using the little window that show up on the bottom of the screen for "
      "this purpose.  The location of your particular spreadsheet and word processor will probably be fairly "
      "similar what to pops up in the window provided at the bottom of screen for this purpose. Search your "
      "computer to find them.  After you enter the program locations, click the Save button to retain your "
      "choices for future use.\r\r"
      "If this procedure fails, it doesn't mean you can't view your program output.  Just look in the program "
      "folder for:\r\r"
      "   FullOutput.txt\r   MediumOutput.txt\r   SmallOutput.txt\r\r"
      " and open whichever one you want with the programs you have on your computer.  If you're a newbie to "
      "Windows, try just clicking on them.",

      "4. Syllabification\r\r"
      "You can choose to search either syllabified data (syllabification uses the Maximal Onset Principle), "
      "or the plain symbol sequences. Syllabification is indicated by marking coda consonants as codas; e.g. "
      "tab is T AE1 BCoda.  ",

      "5. Searching orthography\r\r"
      "It is possible to search the orthographic form of words, using the labeled search button. For example, "
      "searching on ation] would produce all words ending with the -ation suffix.",

      "6. Not case-sensitive\r\r"
      "Neither the phonetic symbols nor the natural class names are case-sensitive.  So if you are searching "
      "for the sound AY1 it would work equally well to search for ay1 or aY1 or Ay1. Likewise, if you are "
      "search for CONSONANT it would work equally well to search for consonant or Consonant or cOnSoNaNt, "
      "etc.",

      "7. Iterated searched\r\r"
      "Sometimes it can be useful to do one search, then search within the output just found. For example, "
      "you might search the vowels to find all the monosyllables ([ vowel ]), then search among the "
      "monosyllables for some particular pattern.\r\r"
      "You can do this by searching first the default file in.txt, then searching the file thus created, "
      "ResultsOfSearchInInputFormat.txt. To do the latter, type ResultsOfSearchInInputFormat.txt into the "
      "little window labeled Use This Input File.",

      std::string("8. The dictionary and its source\r\r"
                  "Dictionary data are in the file in.txt.  Source:  one line Carnegie-Mellon Pronouncing "
                  "Dictionary, extensively edited and corrected.  Words included:  those with a CELEX frequency "
                  "of at least one.  Frequencies may be found in in.txt and also in the output file "
                  "out.txt.\r\r"
                  "Corrected pronunciations and annotations from users would be very welcome; send to ") +
          kMaintainerName + " at " + kMaintainerEmail + ".",

      "9. Other languages\r\r"
      "It would not be hard to use the software with other languages for which a digital phonetic dictionary "
      "is available.  Install the dictionary in the file in.txt, include a list of all segments in "
      "AllSegments.txt, install a new user key in SegmentKey.txt, and re-make the natural class files.",
  };
  return kTopics[topic - 1];
}

}  // namespace

std::string HelpTopicText(int topic) {
  if (topic < 1 || topic > 9) return std::string();
  return Topic(topic);
}

void frmHelp::Form_Load() { cmdGeneral_Click(); }

void frmHelp::ShowTopic(int topic) {
  platform_.SetText(Control::frmHelp_Label1, HelpTopicText(topic));
  platform_.DoEvents();
}

void frmHelp::cmdExit_Click() { platform_.UnloadWindow(Window::frmHelp); }

void frmHelp::OpenFromMainWindow() {
  if (!platform_.IsLoaded(Window::frmHelp)) {
    platform_.LoadWindow(Window::frmHelp);
    Form_Load();
  }
  platform_.ShowWindow(Window::frmHelp);
}

void frmHelp::OpenFromViewer() {
  if (!platform_.IsLoaded(Window::frmHelp)) {
    platform_.LoadWindow(Window::frmHelp);
    Form_Load();
  }
  cmdReadingOutputFiles_Click();
  platform_.ShowWindow(Window::frmHelp);
}

}  // namespace velmora
