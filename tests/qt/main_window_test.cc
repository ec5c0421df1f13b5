// The main window as the user meets it: its controls, captions, geometry and
// menus, and the clicks that reach Form1.
#include <QAccessible>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "qt/widgets.h"
#include "qt_test_support.h"

using velmora::Control;
using velmora::Window;
using velmora::testing::QtSession;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsCarryTheirCaptionsAndInitialTexts_data();
  void controlsCarryTheirCaptionsAndInitialTexts();
  void geometryFollowsTheTwipsTable();
  void headingsAreBoldAndTheKeyIsLegible();
  void longKeyScrollsInsteadOfBeingCut();
  void menuBarHasViewHelpAndAbout();
  void windowIsCentredWithTheClientAreaBelowTheMenu();
  void startUpPostsKeyAndClasses();
  void resetButtonReloadsClassesAndLimit();
  void smallCheckBoxesToggleByClick();
  void aboutMenuShowsTheAboutMessage();
  void helpMenuOpensHelpBesideTheMainWindow();
  void viewMenuSwapsInTheViewerAndBackReturns();
};

void MainWindowTest::controlsCarryTheirCaptionsAndInitialTexts_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::newRow("search button") << "cmdSearchTranscriptions" << "Search transcriptions";
  QTest::newRow("orthography button") << "cmdSearchOrthography" << "Search orthography";
  QTest::newRow("reset button") << "cmdRereadClasses" << "Reset button:  use these choices in current run";
  QTest::newRow("exit button") << "cmdExit" << "Ex&it";
  QTest::newRow("syllabified") << "chkSyllabified" << "Search syllabified data";
  QTest::newRow("vowels") << "chkVowels" << "Search vowels only";
  QTest::newRow("exclude") << "chkExclude" << "Exclude compounds and productively affixed forms from the search";
  QTest::newRow("limit box") << "txtExampleLength" << "100";
  QTest::newRow("input file box") << "txtInputFileName" << "in.txt";
  QTest::newRow("orthography box") << "txtOrthography" << "";
  QTest::newRow("box 5") << "Text5" << "";
  QTest::newRow("ignore label") << "Label3" << "Small check boxes:  ignore this item when sorting the output";
  QTest::newRow("key heading") << "Label5" << "Key";
  QTest::newRow("options heading") << "Label1" << "Options";
  QTest::newRow("limit label")
      << "Label2" << "Example lists in Medium output files should be no longer than this number (in characters)";
  QTest::newRow("file label") << "Label4" << "Use this input file:";
}

void MainWindowTest::controlsCarryTheirCaptionsAndInitialTexts() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QtSession session;
  auto* widget = session.child(Window::Form1, name.toLatin1().constData());
  QVERIFY2(widget != nullptr, qPrintable(name));
  QString shown;
  if (auto* box = qobject_cast<QLineEdit*>(widget)) {
    shown = box->text();
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    shown = label->text();
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    shown = button->text();
    QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
             QString(caption).remove(QLatin1Char('&')));
  }
  QCOMPARE(shown, caption);
}

void MainWindowTest::geometryFollowsTheTwipsTable() {
  QtSession session;
  auto geometry = [&](const char* name) { return session.child(Window::Form1, name)->geometry(); };
  // 15 twips per pixel.
  QCOMPARE(geometry("cmdSearchTranscriptions"), QRect(8, 8, 185, 81));
  QCOMPARE(geometry("Text3"), QRect(280, 96, 133, 41));
  QCOMPARE(geometry("lblListOfNaturalClasses_area"), QRect(8, 224, 681, 313));
  QCOMPARE(geometry("cmdExit"), QRect(704, 496, 241, 41));
  QCOMPARE(geometry("Frame2"), QRect(384, 0, 297, 81));
  // The orthography controls sit inside the frame, at positions inside it.
  QWidget* orthography = session.child(Window::Form1, "cmdSearchOrthography");
  QCOMPARE(orthography->parentWidget()->objectName(), QStringLiteral("Frame2"));
  QCOMPARE(orthography->geometry(), QRect(8, 16, 281, 25));
  QCOMPARE(geometry("txtOrthography"), QRect(8, 48, 281, 25));
  // The small check boxes stay under their search boxes, each one clickable.
  for (int box = 1; box <= 5; ++box) {
    const QByteArray name = "chkIgnore" + QByteArray::number(box);
    const QByteArray above = "Text" + QByteArray::number(box);
    QRect check = geometry(name.constData());
    QRect text = geometry(above.constData());
    QVERIFY(check.top() >= text.bottom());
    QVERIFY(check.left() > text.left() && check.right() < text.right());
    QVERIFY(check.width() >= 9 && check.height() >= 13);
  }
}

void MainWindowTest::headingsAreBoldAndTheKeyIsLegible() {
  QtSession session;
  QVERIFY(session.child<QLabel>(Window::Form1, "Label5")->font().bold());
  QVERIFY(session.child<QLabel>(Window::Form1, "Label1")->font().bold());
  QVERIFY(!session.child<QLabel>(Window::Form1, "Label3")->font().bold());
  auto* key = session.child<QLabel>(Window::Form1, "lblListOfNaturalClasses");
  QVERIFY(key->autoFillBackground());
  QCOMPARE(key->palette().color(QPalette::Window), QColor(Qt::white));
  QCOMPARE(key->palette().color(QPalette::WindowText), QColor(Qt::black));
  QVERIFY(key->wordWrap());
  QCOMPARE(key->alignment() & (Qt::AlignLeft | Qt::AlignTop), Qt::AlignLeft | Qt::AlignTop);
  // Plain text: a class named <b> must not turn the label bold.
  QCOMPARE(key->textFormat(), Qt::PlainText);
}

void MainWindowTest::longKeyScrollsInsteadOfBeingCut() {
  QtSession session;
  session.platform.ShowWindow(Window::Form1);
  std::string key = "The natural classes currently available are";
  for (int i = 0; i < 120; ++i) key += "\r\rCLASS" + std::to_string(i);
  session.platform.SetText(Control::lblListOfNaturalClasses, key);
  QCoreApplication::processEvents();
  auto* area = session.child<QScrollArea>(Window::Form1, "lblListOfNaturalClasses_area");
  QVERIFY(area->verticalScrollBar()->maximum() > 0);
  // Lines wrap at the width of the area; nothing runs off to the right.
  QCOMPARE(area->widget()->width(), area->viewport()->width());
}

void MainWindowTest::menuBarHasViewHelpAndAbout() {
  QtSession session;
  auto* main = qobject_cast<QMainWindow*>(session.window(Window::Form1));
  QStringList top;
  for (QAction* action : main->menuBar()->actions()) top << action->text();
  QCOMPARE(top, (QStringList{"View", "Help", "About"}));
  QAction* view = main->menuBar()->actions().at(0);
  QVERIFY(view->menu() != nullptr);
  QCOMPARE(view->menu()->actions().size(), 3);
  QCOMPARE(view->menu()->actions().at(0)->text(), QStringLiteral("View result of previous search"));
  QCOMPARE(view->menu()->actions().at(1)->text(), QStringLiteral("Filters..."));
  QCOMPARE(view->menu()->actions().at(2)->text(), QStringLiteral("Search language"));
  // Help and About act at once, without a drop-down.
  QVERIFY(main->menuBar()->actions().at(1)->menu() == nullptr);
  QVERIFY(main->menuBar()->actions().at(2)->menu() == nullptr);
}

void MainWindowTest::windowIsCentredWithTheClientAreaBelowTheMenu() {
  QtSession session;
  auto* main = qobject_cast<QMainWindow*>(session.window(Window::Form1));
  QCOMPARE(main->windowTitle(), QStringLiteral("Velmora"));
  QCOMPARE(main->centralWidget()->size(), QSize(951, 546));
  QVERIFY(main->height() >= 546 + main->menuBar()->sizeHint().height());
  const QRect screen = main->screen()->geometry();
  QVERIFY(qAbs(main->x() - (screen.width() - main->width()) / 2) <= 1);
  QVERIFY(qAbs(main->y() - (screen.height() - main->height()) / 2) <= 1);
}

void MainWindowTest::startUpPostsKeyAndClasses() {
  QtSession session;
  session.form->Form_Load();
  const std::string label = session.platform.Text(Control::lblListOfNaturalClasses);
  QVERIFY2(label.rfind("AY1 as in bite\r\rK as in cat", 0) == 0, label.c_str());
  QVERIFY2(label.ends_with("The natural classes currently available are, CONSONANT"), label.c_str());
  // The label shows the CRs as line breaks.
  const QString shown = session.child<QLabel>(Window::Form1, "lblListOfNaturalClasses")->text();
  QVERIFY(shown.startsWith(QStringLiteral("AY1 as in bite\n\nK as in cat")));
  QVERIFY(!shown.contains(QLatin1Char('\r')));
  QVERIFY(session.messages.empty());
}

void MainWindowTest::resetButtonReloadsClassesAndLimit() {
  QtSession session;
  session.form->Form_Load();
  velmora::testing::WriteFile(session.path("NaturalClasses/VOWEL.txt"), "AY1\r\n");
  session.child<QLineEdit>(Window::Form1, "txtExampleLength")->setText(QStringLiteral("50"));
  session.click(Window::Form1, "cmdRereadClasses");
  const std::string label = session.platform.Text(Control::lblListOfNaturalClasses);
  QVERIFY2(label.find(", VOWEL") != std::string::npos, label.c_str());
  QCOMPARE(session.form->engine.classes().NumberOfNaturalClasses, 2);
  QCOMPARE(session.form->ExampleLengthLimit, 50);
}

void MainWindowTest::smallCheckBoxesToggleByClick() {
  QtSession session;
  auto* box = session.child<QCheckBox>(Window::Form1, "chkIgnore2");
  QCOMPARE(session.platform.Value(Control::chkIgnore2), 0);
  QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
  QCOMPARE(session.platform.Value(Control::chkIgnore2), 1);
  QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
  QCOMPARE(session.platform.Value(Control::chkIgnore2), 0);
  // Clicking the wrapped caption of an option toggles it too.
  auto* exclude = session.child<QCheckBox>(Window::Form1, "chkExclude");
  QTest::mouseClick(exclude, Qt::LeftButton, {}, QPoint(exclude->width() - 10, exclude->height() / 2));
  QCOMPARE(session.platform.Value(Control::chkExclude), 1);
}

void MainWindowTest::aboutMenuShowsTheAboutMessage() {
  QtSession session;
  session.action(Window::Form1, "mnuAbout")->trigger();
  QCOMPARE(session.messages.size(), size_t{1});
  QVERIFY(session.messages[0].find("There is no Mac version.") != std::string::npos);
}

void MainWindowTest::helpMenuOpensHelpBesideTheMainWindow() {
  QtSession session;
  session.platform.ShowWindow(Window::Form1);
  session.action(Window::Form1, "mnuHelp")->trigger();
  QVERIFY(session.platform.IsLoaded(Window::frmHelp));
  QVERIFY(session.window(Window::frmHelp)->isVisible());
  QVERIFY(session.window(Window::Form1)->isVisible());
  QVERIFY(session.platform.Text(Control::frmHelp_Label1).starts_with("1. General\r\r"));
}

void MainWindowTest::viewMenuSwapsInTheViewerAndBackReturns() {
  QtSession session;
  session.form->mSpreadsheetLocation = "/opt/sheet";
  session.platform.ShowWindow(Window::Form1);
  session.action(Window::Form1, "mnuViewResult")->trigger();
  QVERIFY(session.window(Window::frmDisplayOptions)->isVisible());
  QVERIFY(!session.window(Window::Form1)->isVisible());
  QCOMPARE(session.platform.Text(Control::frmDisplayOptions_txtSpreadsheetLocation), std::string("/opt/sheet"));

  session.click(Window::frmDisplayOptions, "cmdBack");
  QVERIFY(!session.platform.IsLoaded(Window::frmDisplayOptions));
  QVERIFY(session.window(Window::Form1)->isVisible());
  QCOMPARE(session.platform.Text(Control::frmDisplayOptions_txtSpreadsheetLocation), std::string());
  QtSession::Settle();
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
