// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/viewer_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>

#include "qt/widgets.h"
#include "ui/display_options.h"

namespace velmora {

namespace {

using K = ControlKind;

// The client area is 9075 x 5475 twips; three button columns 1935 wide, the
// row captions to their right.
constexpr int kClientWidth = 9075;
constexpr int kClientHeight = 5475;
constexpr int kColumn1 = 120;
constexpr int kColumn2 = 2175;
constexpr int kColumn3 = 4230;
constexpr int kColumnWidth = 1935;
constexpr int kRowCaption = 6300;
constexpr int kFullWidth = 8835;

constexpr ControlLayout kControls[] = {
    {"Label4", K::kBoldLabel, "Search is complete!   Select how you would like to view the result.", 120, 120,
     kFullWidth, 255},
    {"Label1", K::kLabel, "Full-size output file", kColumn1, 555, kColumnWidth, 255},
    {"Label2", K::kLabel, "Medium-size output file", kColumn2, 555, kColumnWidth, 255},
    {"Label3", K::kLabel, "Small output file", kColumn3, 555, kColumnWidth, 255},
    {"cmdFullSpreadsheet", K::kButton, "Full, spreadsheet", kColumn1, 840, kColumnWidth, 495},
    {"cmdMediumSpreadsheet", K::kButton, "Medium, spreadsheet", kColumn2, 840, kColumnWidth, 495},
    {"cmdSmallSpreadsheet", K::kButton, "Small, spreadsheet", kColumn3, 840, kColumnWidth, 495},
    {"Label5", K::kLabel, "Spreadsheet", kRowCaption, 960, 2655, 255},
    {"cmdFullWordProcessor", K::kButton, "Full, word processor", kColumn1, 1455, kColumnWidth, 495},
    {"cmdMediumWordProcessor", K::kButton, "Medium, word processor", kColumn2, 1455, kColumnWidth, 495},
    {"cmdTinyWordProcessor", K::kButton, "Small, word processor", kColumn3, 1455, kColumnWidth, 495},
    {"Label6", K::kLabel, "Word processor or text editor", kRowCaption, 1575, 2655, 255},
    {"Line2", K::kLine, "", 120, 2160, kFullWidth, 15},
    {"cmdBack", K::kButton, "Return to main menu", 120, 2310, 4335, 495},
    {"cmdExit", K::kButton, "Exit program", 4620, 2310, 4335, 495},
    {"Line1", K::kLine, "", 120, 2985, kFullWidth, 15},
    {"Label7", K::kLabel, "Where is your spreadsheet program?  (Give full path, usually starts with c:.)", 120, 3135,
     kFullWidth, 255},
    {"txtSpreadsheetLocation", K::kTextBox, "", 120, 3405, kFullWidth, 330, nullptr,
     "Where is your spreadsheet program?"},
    {"Label8", K::kLabel, "Where is your word processor or text editor? (Give full path, usually starts with c:.)",
     120, 3855, kFullWidth, 255},
    {"txtWordProcessorLocation", K::kTextBox, "", 120, 4125, kFullWidth, 330, nullptr,
     "Where is your word processor or text editor?"},
    {"cmdRememberLocations", K::kButton, "Save these choices", 3180, 4710, 2715, 495},
};

// The focus moves through the controls in this order.
constexpr const char* kTabOrder[] = {
    "cmdFullSpreadsheet",   "cmdMediumSpreadsheet",   "cmdTinyWordProcessor",   "cmdFullWordProcessor",
    "cmdMediumWordProcessor", "txtSpreadsheetLocation", "txtWordProcessorLocation", "cmdRememberLocations",
    "cmdBack",              "cmdExit",                "cmdSmallSpreadsheet",
};

}  // namespace

ViewerWindow::ViewerWindow(frmDisplayOptions& logic) : logic_(logic) {
  setObjectName(QStringLiteral("frmDisplayOptions"));
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setFont(DialogFont());

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("frmDisplayOptions_client"));
  client->setFixedSize(Px(kClientWidth), Px(kClientHeight));
  BuildControls(client, kControls);
  setCentralWidget(client);

  OnClick(client, "cmdFullSpreadsheet", [&logic] { logic.cmdFullSpreadsheet_Click(); });
  OnClick(client, "cmdMediumSpreadsheet", [&logic] { logic.cmdMediumSpreadsheet_Click(); });
  OnClick(client, "cmdSmallSpreadsheet", [&logic] { logic.cmdSmallSpreadsheet_Click(); });
  OnClick(client, "cmdFullWordProcessor", [&logic] { logic.cmdFullWordProcessor_Click(); });
  OnClick(client, "cmdMediumWordProcessor", [&logic] { logic.cmdMediumWordProcessor_Click(); });
  OnClick(client, "cmdTinyWordProcessor", [&logic] { logic.cmdTinyWordProcessor_Click(); });
  OnClick(client, "cmdRememberLocations", [&logic] { logic.cmdRememberLocations_Click(); });
  OnClick(client, "cmdBack", [&logic] { logic.cmdBack_Click(); });
  OnClick(client, "cmdExit", [&logic] { logic.cmdExit_Click(); });

  QAction* help = menuBar()->addAction(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  connect(help, &QAction::triggered, this, [&logic] { logic.mnuHelp_Click(); });

  SetTabOrder(client, kTabOrder);

  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  logic_.cmdBack_Click();
}

}  // namespace velmora
