// The Qt platform layer: controls read and written through their widgets,
// window lifetimes, message boxes and program starts.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "qt_test_support.h"

using velmora::Control;
using velmora::Window;
using velmora::testing::QtSession;

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void labelKeepsItsCarriageReturns();
  void textBoxesAndCaptionsRoundTripThroughTheirWidgets();
  void checkBoxValuesFollowTheWidget();
  void controlsOfUnloadedWindowsAreEmpty();
  void loadShowHideAndUnload();
  void messagesGoThroughTheHook();
  void startProgramReportsWhyItFailed();
  void endProgramRunsTheHook();
};

void QtPlatformTest::labelKeepsItsCarriageReturns() {
  QtSession session;
  const std::string text = "Key line\r\rSecond paragraph\rthird line, ə\r";
  session.platform.SetText(Control::lblListOfNaturalClasses, text);
  QCOMPARE(session.platform.Text(Control::lblListOfNaturalClasses), text);
  QCOMPARE(session.child<QLabel>(Window::Form1, "lblListOfNaturalClasses")->text(),
           QStringLiteral("Key line\n\nSecond paragraph\nthird line, ə\n"));

  // Appending to what was read keeps the earlier CRs.
  session.platform.SetText(Control::lblListOfNaturalClasses,
                           session.platform.Text(Control::lblListOfNaturalClasses) + ", VOWEL");
  QCOMPARE(session.platform.Text(Control::lblListOfNaturalClasses), text + ", VOWEL");
}

void QtPlatformTest::textBoxesAndCaptionsRoundTripThroughTheirWidgets() {
  QtSession session;
  session.platform.SetText(Control::Text4, "  AY1 ");
  QCOMPARE(session.child<QLineEdit>(Window::Form1, "Text4")->text(), QStringLiteral("  AY1 "));
  QCOMPARE(session.platform.Text(Control::Text4), std::string("  AY1 "));

  // What the user types is what the logic reads.
  auto* box = session.child<QLineEdit>(Window::Form1, "txtOrthography");
  QTest::keyClicks(box, QStringLiteral("ation]"));
  QCOMPARE(session.platform.Text(Control::txtOrthography), std::string("ation]"));
  session.platform.SetText(Control::txtInputFileName, "wörter.txt");
  QCOMPARE(session.child<QLineEdit>(Window::Form1, "txtInputFileName")->text(), QStringLiteral("wörter.txt"));

  session.platform.SetText(Control::cmdSearchOrthography, "Preparing search ...");
  QCOMPARE(session.child<QPushButton>(Window::Form1, "cmdSearchOrthography")->text(),
           QStringLiteral("Preparing search ..."));
  QCOMPARE(session.platform.Text(Control::cmdSearchOrthography), std::string("Preparing search ..."));
}

void QtPlatformTest::checkBoxValuesFollowTheWidget() {
  QtSession session;
  for (int box = 1; box <= 5; ++box) {
    session.platform.SetValue(velmora::IgnoreBox(box), box % 2);
  }
  for (int box = 1; box <= 5; ++box) {
    auto* check = session.child<QCheckBox>(Window::Form1, ("chkIgnore" + std::to_string(box)).c_str());
    QCOMPARE(check->isChecked(), box % 2 == 1);
    QCOMPARE(session.platform.Value(velmora::IgnoreBox(box)), box % 2);
  }
  session.child<QCheckBox>(Window::Form1, "chkVowels")->setChecked(true);
  QCOMPARE(session.platform.Value(Control::chkVowels), 1);
  session.platform.SetValue(Control::chkVowels, 0);
  QVERIFY(!session.child<QCheckBox>(Window::Form1, "chkVowels")->isChecked());
  // A text box has no value.
  QCOMPARE(session.platform.Value(Control::Text1), 0);
}

void QtPlatformTest::controlsOfUnloadedWindowsAreEmpty() {
  QtSession session;
  QVERIFY(!session.platform.IsLoaded(Window::frmHelp));
  session.platform.SetText(Control::frmHelp_Label1, "lost");
  QCOMPARE(session.platform.Text(Control::frmHelp_Label1), std::string());
  QCOMPARE(session.platform.Text(Control::frmDisplayOptions_txtSpreadsheetLocation), std::string());
}

void QtPlatformTest::loadShowHideAndUnload() {
  QtSession session;
  QVERIFY(session.platform.IsLoaded(Window::Form1));
  session.platform.LoadWindow(Window::frmDisplayOptions);
  QWidget* viewer = session.window(Window::frmDisplayOptions);
  QVERIFY(viewer != nullptr);
  QVERIFY(!viewer->isVisible());
  const QRect screen = viewer->screen()->geometry();
  QVERIFY(qAbs(viewer->x() - (screen.width() - viewer->width()) / 2) <= 1);
  QVERIFY(qAbs(viewer->y() - (screen.height() - viewer->height()) / 2) <= 1);

  session.platform.SetText(Control::frmDisplayOptions_txtWordProcessorLocation, "/usr/bin/editor");
  session.platform.LoadWindow(Window::frmDisplayOptions);  // already loaded: the same window
  QCOMPARE(session.window(Window::frmDisplayOptions), viewer);
  QCOMPARE(session.platform.Text(Control::frmDisplayOptions_txtWordProcessorLocation), std::string("/usr/bin/editor"));

  session.platform.ShowWindow(Window::frmDisplayOptions);
  QVERIFY(viewer->isVisible());
  session.platform.HideWindow(Window::frmDisplayOptions);
  QVERIFY(!viewer->isVisible());
  QVERIFY(session.platform.IsLoaded(Window::frmDisplayOptions));

  QPointer<QWidget> gone = viewer;
  session.platform.UnloadWindow(Window::frmDisplayOptions);
  QVERIFY(!session.platform.IsLoaded(Window::frmDisplayOptions));
  QtSession::Settle();
  QVERIFY(gone.isNull());

  // Loaded afresh: the boxes have lost their texts.
  session.platform.LoadWindow(Window::frmDisplayOptions);
  QCOMPARE(session.platform.Text(Control::frmDisplayOptions_txtWordProcessorLocation), std::string());
}

void QtPlatformTest::messagesGoThroughTheHook() {
  QtSession session;
  session.answers = {false, true};
  session.platform.MsgBox("first\rsecond");
  QCOMPARE(session.platform.AskYesNo("Go on?"), false);
  QCOMPARE(session.platform.AskYesNo("Really?"), true);
  QCOMPARE(session.messages, (std::vector<std::string>{"first\rsecond", "Go on?", "Really?"}));
}

void QtPlatformTest::startProgramReportsWhyItFailed() {
  QtSession session;
  std::string reason;
  QVERIFY(!session.platform.StartProgram({session.path("no-such-program").toStdString(), "file.txt"}, &reason));
  QVERIFY(!reason.empty());
  // The reason is set into a sentence: no full stop of its own.
  QVERIFY2(!reason.ends_with('.'), reason.c_str());
  reason.clear();
  QVERIFY(!session.platform.StartProgram({}, &reason));
  QVERIFY(!reason.empty());
  // A program that exists starts without a shell, its argument passed whole.
  const QString marker = session.path("started marker");
  QVERIFY(session.platform.StartProgram({"/usr/bin/touch", marker.toStdString()}, &reason));
  QTRY_VERIFY(QFile::exists(marker));
}

void QtPlatformTest::endProgramRunsTheHook() {
  QtSession session;
  session.platform.Quit();
  QVERIFY(session.quitRequested);
}

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
