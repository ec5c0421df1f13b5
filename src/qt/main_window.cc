// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/main_window.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>

#include "app/form1.h"
#include "qt/filters_dialog.h"
#include "qt/widgets.h"

namespace velmora {

namespace {

using K = ControlKind;

// The client area is 14265 x 8190 twips.
constexpr int kClientWidth = 14265;
constexpr int kClientHeight = 8190;

constexpr ControlLayout kControls[] = {
    {"cmdSearchTranscriptions", K::kButton, "Search transcriptions", 120, 120, 2775, 1215},
    {"Frame2", K::kFrame, "", 5760, 0, 4455, 1215, nullptr, "Orthography search"},
    {"cmdSearchOrthography", K::kButton, "Search orthography", 120, 240, 4215, 375, "Frame2"},
    {"txtOrthography", K::kTextBox, "", 120, 720, 4215, 375, "Frame2", "Orthography search string"},
    {"Text1", K::kTextBox, "", 120, 1440, 2000, 615, nullptr, "Box 1"},
    {"Text2", K::kTextBox, "", 2160, 1440, 2000, 615, nullptr, "Box 2"},
    {"Text3", K::kTextBox, "", 4200, 1440, 2000, 615, nullptr, "Box 3"},
    {"Text4", K::kTextBox, "", 6240, 1440, 2000, 615, nullptr, "Box 4"},
    {"Text5", K::kTextBox, "", 8280, 1440, 2000, 615, nullptr, "Box 5"},
    {"chkIgnore1", K::kCheckBox, "", 1080, 2160, 135, 195, nullptr, "Ignore box 1 when sorting"},
    {"chkIgnore2", K::kCheckBox, "", 3120, 2160, 135, 195, nullptr, "Ignore box 2 when sorting"},
    {"chkIgnore3", K::kCheckBox, "", 5160, 2160, 135, 195, nullptr, "Ignore box 3 when sorting"},
    {"chkIgnore4", K::kCheckBox, "", 7200, 2160, 135, 195, nullptr, "Ignore box 4 when sorting"},
    {"chkIgnore5", K::kCheckBox, "", 9120, 2160, 135, 195, nullptr, "Ignore box 5 when sorting"},
    {"Label3", K::kLabel, "Small check boxes:  ignore this item when sorting the output", 3720, 2520, 4455, 255},
    {"Label5", K::kBoldLabel, "Key", 240, 3000, 615, 255},
    {"lblListOfNaturalClasses", K::kTextArea, "", 120, 3360, 10215, 4695, nullptr, "Key and natural classes"},
    {"Line1", K::kLine, "", 10440, 120, 15, 7950},
    {"Label1", K::kBoldLabel, "Options", 10560, 120, 1935, 375},
    {"chkSyllabified", K::kCheckBox, "Search syllabified data", 10560, 480, 2535, 375},
    {"chkVowels", K::kCheckBox, "Search vowels only", 10560, 960, 2415, 375},
    {"chkExclude", K::kCheckBox, "Exclude compounds and productively affixed forms from the search", 10560, 1440,
     3615, 375},
    {"txtExampleLength", K::kTextBox, "100", 10560, 2040, 615, 375, nullptr, "Example list length limit"},
    {"Label2", K::kLabel,
     "Example lists in Medium output files should be no longer than this number (in characters)", 11280, 2040, 2895,
     855},
    {"cmdRereadClasses", K::kButton, "Reset button:  use these choices in current run", 10560, 2880, 3615, 255},
    {"Line2", K::kLine, "", 10560, 3300, 3615, 15},
    {"Label4", K::kLabel, "Use this input file:", 10560, 3480, 2295, 255},
    {"txtInputFileName", K::kTextBox, "in.txt", 10560, 3840, 3255, 375, nullptr, "Input file name"},
    {"cmdExit", K::kButton, "Ex&it", 10560, 7440, 3615, 615},
};

constexpr const char* kTitleWithoutDataSet = "velmoraTitleWithoutDataSet";

}  // namespace

void ShowDataSetInTitle(QWidget* mainWindow, const Form1& form) {
  QVariant plain = mainWindow->property(kTitleWithoutDataSet);
  if (!plain.isValid()) {
    plain = mainWindow->windowTitle();
    mainWindow->setProperty(kTitleWithoutDataSet, plain);
  }
  const QString set = QString::fromStdString(form.DataSet);
  mainWindow->setWindowTitle(set.isEmpty() ? plain.toString() : plain.toString() + QStringLiteral(" \u2014 ") + set);
}

void MainWindow::AddDataSetMenu(QMenu* view) {
  QMenu* sets = view->addMenu(QStringLiteral("Data set"));
  sets->setObjectName(QStringLiteral("mnuDataSet"));
  auto choose = [this](const std::string& name) {
    if (form_.mnuDataSet_Click(name)) ShowDataSetInTitle(this, form_);
  };
  // Listed afresh each time, so that a set put into the folder meanwhile shows.
  auto fill = [this, sets, choose] {
    sets->clear();
    for (QActionGroup* old : sets->findChildren<QActionGroup*>()) delete old;
    auto* group = new QActionGroup(sets);
    for (const std::string& name : form_.DataSets()) {
      QAction* action = sets->addAction(QString::fromStdString(name));
      action->setObjectName(QStringLiteral("mnuDataSet_%1").arg(QString::fromStdString(name)));
      action->setCheckable(true);
      action->setChecked(name == (form_.DataSet.empty() ? "en" : form_.DataSet));
      group->addAction(action);
      connect(action, &QAction::triggered, this, [choose, name] { choose(name); });
    }
    sets->addSeparator();
    QAction* other = sets->addAction(QStringLiteral("Other folder..."));
    other->setObjectName(QStringLiteral("mnuDataSetOther"));
    connect(other, &QAction::triggered, this, [this, choose] {
      const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Data set"));
      if (!folder.isEmpty()) choose(folder.toStdString());
    });
  };
  fill();
  connect(sets, &QMenu::aboutToShow, this, fill);
}

MainWindow::MainWindow(Form1& form) : form_(form) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  setFont(DialogFont());

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Form1_client"));
  client->setFixedSize(Px(kClientWidth), Px(kClientHeight));
  BuildControls(client, kControls);
  setCentralWidget(client);

  OnClick(client, "cmdSearchTranscriptions", [&form] { form.cmdSearchTranscriptions_Click(); });
  OnClick(client, "cmdSearchOrthography", [&form] { form.cmdSearchOrthography_Click(); });
  OnClick(client, "cmdRereadClasses", [&form] { form.cmdRereadClasses_Click(); });
  OnClick(client, "cmdExit", [&form] { form.cmdExit_Click(); });
  // Enter in a box runs the search the box belongs to, as a click would.
  auto enterClicks = [client](const QString& box, const char* button) {
    auto* line = client->findChild<QLineEdit*>(box);
    auto* target = client->findChild<QAbstractButton*>(QString::fromLatin1(button));
    QObject::connect(line, &QLineEdit::returnPressed, target, [target] { target->click(); });
  };
  for (int box = 1; box <= 5; ++box) enterClicks(QStringLiteral("Text%1").arg(box), "cmdSearchTranscriptions");
  enterClicks(QStringLiteral("txtOrthography"), "cmdSearchOrthography");
  for (int box = 1; box <= 5; ++box) {
    auto* check = client->findChild<QCheckBox*>(QStringLiteral("chkIgnore%1").arg(box));
    QObject::connect(check, &QCheckBox::toggled, check, [&form] { form.chkIgnore_Click(); });
  }

  QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
  view->setObjectName(QStringLiteral("mnuView"));
  QAction* viewResult = view->addAction(QStringLiteral("View result of previous search"));
  viewResult->setObjectName(QStringLiteral("mnuViewResult"));
  connect(viewResult, &QAction::triggered, this, [&form] { form.mnuViewResult_Click(); });
  AddDataSetMenu(view);
  AddSearchLanguageUi(form, client, view);
  // Help and About act on one click, without a drop-down.
  QAction* help = menuBar()->addAction(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  connect(help, &QAction::triggered, this, [&form] { form.mnuHelp_Click(); });
  QAction* about = menuBar()->addAction(QStringLiteral("About"));
  about->setObjectName(QStringLiteral("mnuAbout"));
  connect(about, &QAction::triggered, this, [&form] { form.mnuAbout_Click(); });

  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  form_.cmdExit_Click();
}

}  // namespace velmora
