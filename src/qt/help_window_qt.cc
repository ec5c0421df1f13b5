// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/help_window_qt.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLabel>

#include "qt/widgets.h"
#include "ui/help_window.h"

namespace velmora {

namespace {

using K = ControlKind;

// The client area is 13590 x 6135 twips: the text area on the left, the topic
// buttons (tops 600 apart) on the right, "Exit help" under the text area.
constexpr int kClientWidth = 13590;
constexpr int kClientHeight = 6135;
constexpr int kTopicLeft = 10935;
constexpr int kTopicWidth = 2535;
constexpr int kTopicHeight = 495;
constexpr int Top(int position) { return 120 + 600 * (position - 1); }

constexpr ControlLayout kControls[] = {
    {"Label1", K::kTextArea, "", 120, 120, 10695, 5415, nullptr, "Help text"},
    {"cmdGeneral", K::kButton, "General", kTopicLeft, Top(1), kTopicWidth, kTopicHeight},
    {"cmdNaturalClasses", K::kButton, "Natural classes", kTopicLeft, Top(2), kTopicWidth, kTopicHeight},
    {"cmdReadingOutputFiles", K::kButton, "ReadingOutputFiles", kTopicLeft, Top(3), kTopicWidth, kTopicHeight},
    {"cmdSyllabification", K::kButton, "Syllabification", kTopicLeft, Top(4), kTopicWidth, kTopicHeight},
    {"cmdOrthography", K::kButton, "Searching orthography", kTopicLeft, Top(5), kTopicWidth, kTopicHeight},
    {"cmdCaseSensitive", K::kButton, "Not case sensitive", kTopicLeft, Top(6), kTopicWidth, kTopicHeight},
    {"cmdIterativeSearches", K::kButton, "Iterated searches", kTopicLeft, Top(7), kTopicWidth, kTopicHeight},
    {"cmdDictionary", K::kButton, "Notes on the dictionary", kTopicLeft, Top(8), kTopicWidth, kTopicHeight},
    {"cmdOtherLanguages", K::kButton, "Adapting the program to other languages", kTopicLeft, Top(9), kTopicWidth,
     615},
    {"cmdExit", K::kButton, "Exit help", 4320, 5655, 2295, 375},
};

constexpr const char* kTabOrder[] = {
    "cmdExit",        "cmdGeneral",       "cmdNaturalClasses",     "cmdSyllabification",   "cmdOrthography",
    "cmdDictionary",  "cmdOtherLanguages", "cmdCaseSensitive",     "cmdReadingOutputFiles", "cmdIterativeSearches",
};

}  // namespace

HelpWindow::HelpWindow(frmHelp& logic) : logic_(logic) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("%1 - Help").arg(QString::fromLatin1(kApplicationTitle)));
  setFont(DialogFont());
  setFixedSize(Px(kClientWidth), Px(kClientHeight));
  BuildControls(this, kControls);

  auto* text = findChild<QLabel*>(QStringLiteral("Label1"));
  QFont textFont = text->font();
  textFont.setPointSizeF(9.75);
  text->setFont(textFont);

  OnClick(this, "cmdGeneral", [&logic] { logic.cmdGeneral_Click(); });
  OnClick(this, "cmdNaturalClasses", [&logic] { logic.cmdNaturalClasses_Click(); });
  OnClick(this, "cmdReadingOutputFiles", [&logic] { logic.cmdReadingOutputFiles_Click(); });
  OnClick(this, "cmdSyllabification", [&logic] { logic.cmdSyllabification_Click(); });
  OnClick(this, "cmdOrthography", [&logic] { logic.cmdOrthography_Click(); });
  OnClick(this, "cmdCaseSensitive", [&logic] { logic.cmdCaseSensitive_Click(); });
  OnClick(this, "cmdIterativeSearches", [&logic] { logic.cmdIterativeSearches_Click(); });
  OnClick(this, "cmdDictionary", [&logic] { logic.cmdDictionary_Click(); });
  OnClick(this, "cmdOtherLanguages", [&logic] { logic.cmdOtherLanguages_Click(); });
  OnClick(this, "cmdExit", [&logic] { logic.cmdExit_Click(); });

  SetTabOrder(this, kTabOrder);
}

void HelpWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  logic_.cmdExit_Click();
}

}  // namespace velmora
