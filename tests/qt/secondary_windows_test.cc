// The result viewer and the help window: captions, layout, tab order, and the
// clicks that reach their logic.
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "qt_test_support.h"

using velmora::Control;
using velmora::Window;
using velmora::testing::QtSession;
using velmora::testing::TabOrder;

namespace {

// Visible controls placed directly in `area` that overlap one another.
QStringList Overlaps(QWidget* area) {
  QStringList found;
  const QList<QWidget*> children = area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (int i = 0; i < children.size(); ++i) {
    for (int j = i + 1; j < children.size(); ++j) {
      if (children[i]->geometry().intersects(children[j]->geometry())) {
        found << children[i]->objectName() + QStringLiteral("/") + children[j]->objectName();
      }
    }
  }
  return found;
}

bool Inside(QWidget* area) {
  for (QWidget* child : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!area->rect().contains(child->geometry())) return false;
  }
  return true;
}

QStringList Captions(QWidget* window, const QStringList& names) {
  QStringList captions;
  for (const QString& name : names) {
    QWidget* w = window->findChild<QWidget*>(name);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      captions << button->text();
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
      captions << label->text();
    } else {
      captions << QStringLiteral("<%1>").arg(name);
    }
  }
  return captions;
}

}  // namespace

class SecondaryWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void viewerShowsItsCaptionsAndLayout();
  void viewerTabOrderStartsOnFullSpreadsheet();
  void viewerSavesTheTypedLocations();
  void viewerHelpMenuOpensTheTopicOnOutputFiles();
  void closingTheViewerReturnsToTheMainWindow();
  void helpWindowShowsTextAreaAndTopicColumn();
  void helpTabOrderStartsOnExitHelp();
  void helpTopicButtonsReplaceTheText();
  void closingHelpUnloadsItAndReopeningStartsAtTopicOne();
};

void SecondaryWindowsTest::viewerShowsItsCaptionsAndLayout() {
  QtSession session;
  session.platform.LoadWindow(Window::frmDisplayOptions);
  auto* viewer = qobject_cast<QMainWindow*>(session.window(Window::frmDisplayOptions));
  QCOMPARE(viewer->windowTitle(), QStringLiteral("Velmora"));
  QCOMPARE(viewer->centralWidget()->size(), QSize(605, 365));
  QVERIFY(!viewer->isVisible());  // loading does not show it

  QCOMPARE(Captions(viewer, {"Label4", "Label1", "Label2", "Label3", "Label5", "Label6"}),
           (QStringList{"Search is complete!   Select how you would like to view the result.",
                        "Full-size output file", "Medium-size output file", "Small output file", "Spreadsheet",
                        "Word processor or text editor"}));
  QCOMPARE(Captions(viewer, {"cmdFullSpreadsheet", "cmdMediumSpreadsheet", "cmdSmallSpreadsheet",
                             "cmdFullWordProcessor", "cmdMediumWordProcessor", "cmdTinyWordProcessor", "cmdBack",
                             "cmdExit", "cmdRememberLocations"}),
           (QStringList{"Full, spreadsheet", "Medium, spreadsheet", "Small, spreadsheet", "Full, word processor",
                        "Medium, word processor", "Small, word processor", "Return to main menu", "Exit program",
                        "Save these choices"}));
  QCOMPARE(Captions(viewer, {"Label7", "Label8"}),
           (QStringList{"Where is your spreadsheet program?  (Give full path, usually starts with c:.)",
                        "Where is your word processor or text editor? (Give full path, usually starts with c:.)"}));

  // Only the heading is bold.
  QVERIFY(viewer->findChild<QLabel*>(QStringLiteral("Label4"))->font().bold());
  QVERIFY(!viewer->findChild<QLabel*>(QStringLiteral("Label7"))->font().bold());
  // Three columns 1935 twips wide, the rows aligned under the headings.
  auto geometry = [&](const char* name) { return viewer->findChild<QWidget*>(QString::fromLatin1(name))->geometry(); };
  QCOMPARE(geometry("cmdFullSpreadsheet").width(), 129);
  QCOMPARE(geometry("cmdMediumWordProcessor").left(), geometry("Label2").left());
  QCOMPARE(geometry("cmdTinyWordProcessor").left(), geometry("cmdSmallSpreadsheet").left());
  QVERIFY(geometry("Label5").left() > geometry("cmdSmallSpreadsheet").right());
  QVERIFY(geometry("cmdBack").right() < geometry("cmdExit").left());
  // Top to bottom as listed.
  QVERIFY(geometry("Label1").bottom() < geometry("cmdFullSpreadsheet").top());
  QVERIFY(geometry("cmdFullWordProcessor").bottom() < geometry("Line2").top());
  QVERIFY(geometry("Line2").bottom() < geometry("cmdBack").top());
  QVERIFY(geometry("cmdBack").bottom() < geometry("Line1").top());
  QVERIFY(geometry("Line1").bottom() < geometry("Label7").top());
  QVERIFY(geometry("txtSpreadsheetLocation").bottom() < geometry("Label8").top());
  QVERIFY(geometry("txtWordProcessorLocation").bottom() < geometry("cmdRememberLocations").top());
  QVERIFY(Overlaps(viewer->centralWidget()).isEmpty());
  QVERIFY(Inside(viewer->centralWidget()));

  QStringList menu;
  for (QAction* action : viewer->menuBar()->actions()) menu << action->text();
  QCOMPARE(menu, QStringList{"Help"});
}

void SecondaryWindowsTest::viewerTabOrderStartsOnFullSpreadsheet() {
  QtSession session;
  session.platform.LoadWindow(Window::frmDisplayOptions);
  QWidget* viewer = session.window(Window::frmDisplayOptions);
  QWidget* first = viewer->findChild<QWidget*>(QStringLiteral("cmdFullSpreadsheet"));
  QCOMPARE(viewer->focusWidget(), first);
  QCOMPARE(TabOrder(first),
           (QStringList{"cmdFullSpreadsheet", "cmdMediumSpreadsheet", "cmdTinyWordProcessor", "cmdFullWordProcessor",
                        "cmdMediumWordProcessor", "txtSpreadsheetLocation", "txtWordProcessorLocation",
                        "cmdRememberLocations", "cmdBack", "cmdExit", "cmdSmallSpreadsheet"}));
}

void SecondaryWindowsTest::viewerSavesTheTypedLocations() {
  QtSession session;
  session.form->mSpreadsheetLocation = "/old/sheet";
  session.form->displayOptions.Open();
  // Text typed into the boxes is the text the logic reads.
  auto* box = session.child<QLineEdit>(Window::frmDisplayOptions, "txtWordProcessorLocation");
  box->clear();
  QTest::keyClicks(box, QStringLiteral("/usr/bin/my editor"));
  session.click(Window::frmDisplayOptions, "cmdRememberLocations");
  QCOMPARE(session.form->mWordProcessorLocation, std::string("/usr/bin/my editor"));
  QCOMPARE(session.form->mSpreadsheetLocation, std::string("/old/sheet"));
  QVERIFY(QFile::exists(session.path("UserSettings.txt")));
  QVERIFY(session.window(Window::frmDisplayOptions)->isVisible());
  QVERIFY(session.messages.empty());
}

void SecondaryWindowsTest::viewerHelpMenuOpensTheTopicOnOutputFiles() {
  QtSession session;
  session.form->displayOptions.Open();
  session.form->help.OpenFromMainWindow();
  session.click(Window::frmHelp, "cmdOrthography");
  session.action(Window::frmDisplayOptions, "mnuHelp")->trigger();
  QVERIFY(session.platform.Text(Control::frmHelp_Label1).starts_with("3. Reading output files\r\r"));
  QVERIFY(session.window(Window::frmHelp)->isVisible());
  QVERIFY(session.window(Window::frmDisplayOptions)->isVisible());
}

void SecondaryWindowsTest::closingTheViewerReturnsToTheMainWindow() {
  QtSession session;
  session.platform.ShowWindow(Window::Form1);
  session.form->displayOptions.Open();
  QVERIFY(!session.window(Window::Form1)->isVisible());
  QVERIFY(session.window(Window::frmDisplayOptions)->close());
  QVERIFY(!session.platform.IsLoaded(Window::frmDisplayOptions));
  QVERIFY(session.window(Window::Form1)->isVisible());
  QtSession::Settle();
}

void SecondaryWindowsTest::helpWindowShowsTextAreaAndTopicColumn() {
  QtSession session;
  session.platform.LoadWindow(Window::frmHelp);
  QWidget* help = session.window(Window::frmHelp);
  QCOMPARE(help->windowTitle(), QStringLiteral("Velmora - Help"));
  QCOMPARE(help->size(), QSize(906, 409));
  auto* text = help->findChild<QLabel*>(QStringLiteral("Label1"));
  QWidget* area = help->findChild<QWidget*>(QStringLiteral("Label1_area"));
  QCOMPARE(area->geometry(), QRect(8, 8, 713, 361));
  QCOMPARE(text->palette().color(QPalette::Window), QColor(Qt::white));
  QVERIFY(text->autoFillBackground() && text->wordWrap());
  QCOMPARE(text->font().pointSizeF(), 9.75);
  QVERIFY(!text->font().bold());

  const QStringList topics{"cmdGeneral",     "cmdNaturalClasses",    "cmdReadingOutputFiles",
                           "cmdSyllabification", "cmdOrthography", "cmdCaseSensitive",
                           "cmdIterativeSearches", "cmdDictionary", "cmdOtherLanguages"};
  QCOMPARE(Captions(help, topics),
           (QStringList{"General", "Natural classes", "ReadingOutputFiles", "Syllabification",
                        "Searching orthography", "Not case sensitive", "Iterated searches",
                        "Notes on the dictionary", "Adapting the program to other languages"}));
  for (int i = 0; i < topics.size(); ++i) {
    const QRect button = help->findChild<QWidget*>(topics[i])->geometry();
    QCOMPARE(button.top(), 8 + 40 * i);
    QCOMPARE(button.size(), QSize(169, i == 8 ? 41 : 33));
    QVERIFY(button.left() > area->geometry().right());
  }
  const QRect exit = help->findChild<QWidget*>(QStringLiteral("cmdExit"))->geometry();
  QCOMPARE(exit.size(), QSize(153, 25));
  QVERIFY(exit.top() > area->geometry().bottom());
  QVERIFY(qAbs(exit.center().x() - area->geometry().center().x()) <= 2);
  QVERIFY(Overlaps(help).isEmpty());
  QVERIFY(Inside(help));
}

void SecondaryWindowsTest::helpTabOrderStartsOnExitHelp() {
  QtSession session;
  session.platform.LoadWindow(Window::frmHelp);
  QWidget* help = session.window(Window::frmHelp);
  QWidget* first = help->findChild<QWidget*>(QStringLiteral("cmdExit"));
  QCOMPARE(help->focusWidget(), first);
  QCOMPARE(TabOrder(first),
           (QStringList{"cmdExit", "cmdGeneral", "cmdNaturalClasses", "cmdSyllabification", "cmdOrthography",
                        "cmdDictionary", "cmdOtherLanguages", "cmdCaseSensitive", "cmdReadingOutputFiles",
                        "cmdIterativeSearches"}));
}

void SecondaryWindowsTest::helpTopicButtonsReplaceTheText() {
  QtSession session;
  session.form->help.OpenFromMainWindow();
  const struct {
    const char* button;
    const char* heading;
  } topics[] = {{"cmdNaturalClasses", "2. Natural classes"}, {"cmdSyllabification", "4. Syllabification"},
                {"cmdOtherLanguages", "9. Other languages"}, {"cmdGeneral", "1. General"}};
  for (const auto& topic : topics) {
    session.click(Window::frmHelp, topic.button);
    const std::string text = session.platform.Text(Control::frmHelp_Label1);
    QVERIFY2(text.starts_with(std::string(topic.heading) + "\r\r"), topic.button);
    // Shown with line breaks, kept with CRs.
    const QString shown = session.child<QLabel>(Window::frmHelp, "Label1")->text();
    QVERIFY(shown.startsWith(QString::fromLatin1(topic.heading) + QStringLiteral("\n\n")));
  }
}

void SecondaryWindowsTest::closingHelpUnloadsItAndReopeningStartsAtTopicOne() {
  QtSession session;
  session.form->help.OpenFromMainWindow();
  session.click(Window::frmHelp, "cmdDictionary");
  QVERIFY(session.window(Window::frmHelp)->close());
  QVERIFY(!session.platform.IsLoaded(Window::frmHelp));
  QtSession::Settle();

  session.form->help.OpenFromMainWindow();
  QVERIFY(session.platform.Text(Control::frmHelp_Label1).starts_with("1. General\r\r"));
  session.click(Window::frmHelp, "cmdExit");
  QVERIFY(!session.platform.IsLoaded(Window::frmHelp));
  QtSession::Settle();
}

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
