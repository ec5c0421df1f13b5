// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own part of the program, on Qt's offscreen platform: the
// platform layer that keeps each control's text or value in its widget and
// owns the windows, the main window's controls mapped to the settings and
// back, the clicks, keys and menu entries that reach the logic, the Filters
// dialog, and every text fitting its control (also run at 200%). What a search
// finds and how the messages read are tested with Form1 and the engine.
#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/form1.h"
#include "app/messages.h"
#include "platform/program_folder.h"
#include "qt/filters_dialog.h"
#include "qt/statistics_dialog.h"
#include "qt/qt_platform.h"
#include "qt/widgets.h"

using velmora::Control;
using velmora::Form1;
using velmora::Settings;
using velmora::Window;

namespace {

void WriteFile(const QString& path, const QByteArray& contents) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
  file.write(contents);
}

// Form1 behind the real windows, the main one shown, in a program folder with
// a tiny inventory, key and class folder; message boxes are recorded, not shown.
struct Session {
  explicit Session(const QString& folder) : folder(folder) {
    QDir(folder).mkpath(QStringLiteral("NaturalClasses"));
    WriteFile(path("AllSegments.txt"), "[\r\n]\r\nAY1\r\nK\r\nT\r\n");
    WriteFile(path("SegmentKey.txt"), "AY1 as in bite\r\nK as in cat\r\n");
    WriteFile(path("NaturalClasses/CONSONANT.txt"), "K\r\nT\r\n");
    platform.messageHook = [this](const std::string& text, bool) {
      messages.push_back(text);
      return true;
    };
    platform.quitHook = [this] { quitRequested = true; };
    form = std::make_unique<Form1>(platform, folder.toStdString());
    platform.Attach(*form);
    platform.ShowWindow(Window::Form1);
  }
  ~Session() {
    form.reset();
    Settle();
  }
  // Lets unloaded windows go.
  static void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QString path(const char* name) const { return folder + QLatin1Char('/') + QLatin1String(name); }
  template <typename T = QWidget>
  T* child(Window which, const char* name) const {
    QWidget* window = platform.window(which);
    T* found = window == nullptr ? nullptr : window->findChild<T*>(QLatin1String(name));
    if (found == nullptr) qFatal("no %s", name);
    return found;
  }

  QString folder;
  std::vector<std::string> messages;
  bool quitRequested = false;
  velmora::QtPlatform platform;
  std::unique_ptr<Form1> form;
};

// What the user and the files can see of a session.
std::string Snapshot(Session& s, bool startsProgram) {
  std::string out;
  for (const std::string& message : s.messages) out += "message: " + message + "\n";
  for (Window which : {Window::Form1, Window::frmDisplayOptions, Window::frmHelp}) {
    QWidget* window = s.platform.window(which);
    out += window == nullptr ? "unloaded\n" : window->isVisible() ? "shown\n" : "hidden\n";
  }
  for (Control control : {Control::lblListOfNaturalClasses, Control::frmHelp_Label1, Control::cmdSearchTranscriptions,
                          Control::cmdSearchOrthography}) {
    out += s.platform.Text(control) + "\n";
  }
  if (s.quitRequested) out += "quit\n";
  if (QFile::exists(s.path("UserSettings.txt"))) out += "settings saved\n";
  if (startsProgram) {
    const QString started = s.path("started");
    if (!QTest::qWaitFor([&] { return QFile::exists(started); }, 10000)) return out + "nothing started\n";
    QFile file(started);
    if (file.open(QIODevice::ReadOnly)) out += file.readAll().toStdString();
  }
  return out;
}

// What a control's text needs beyond the rectangle it is drawn in, measured
// with the control's own font, word wrap included; empty when it fits. Text
// areas scroll downwards, so only their width counts.
QString Overflow(QWidget* widget) {
  QString text;
  QRect rect;
  int flags = Qt::TextWordWrap | Qt::TextShowMnemonic;
  bool scrolls = false;
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text = button->text();
    const bool check = qobject_cast<QCheckBox*>(button) != nullptr;
    rect = button->style()->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option,
                                           button);
    if (!check) rect.adjust(2, 0, -2, 0);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    text = label->text();
    const int margin = label->margin();
    rect = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    QWidget* viewport = label->parentWidget();
    if (auto* area = qobject_cast<QScrollArea*>(viewport != nullptr ? viewport->parentWidget() : nullptr)) {
      rect.setWidth(area->viewport()->width() - 2 * margin - 2 * label->frameWidth());
      scrolls = true;
    }
  } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    text = line->text();
    rect = line->contentsRect().adjusted(line->textMargins().left() + 2, 0, -line->textMargins().right() - 2, 0);
    flags = 0;
  }
  if (text.isEmpty()) return {};
  const QRect needed = QFontMetrics(widget->font()).boundingRect(QRect(0, 0, rect.width(), 100000), flags, text);
  if (!rect.isEmpty() && needed.width() <= rect.width() && (scrolls || needed.height() <= rect.height())) return {};
  auto size = [](const QRect& r) { return QStringLiteral("%1x%2").arg(r.width()).arg(r.height()); };
  return QStringLiteral("%1 \"%2\": needs %3 in %4 (%5)")
      .arg(widget->objectName(), text.left(40), size(needed), size(rect), QFontInfo(widget->font()).family());
}

QStringList Overflows(QWidget* window) {
  QStringList found;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->objectName().startsWith(QLatin1String("qt_"))) found << Overflow(widget);
  }
  found.removeAll(QString());
  return found;
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsMapToTheSettingsAndBack();
  void clicksKeysAndMenusReachTheirHandlers();
  void filtersDialogSetsTheFiltersOrNamesTheWrongField();
  void statisticsDialogWritesTheFilesInTheBackground();
  void platformKeepsTextsAndWindows();
  void everyTextFitsItsControl();
};

void WindowTest::controlsMapToTheSettingsAndBack() {
  QTemporaryDir dir;
  Session s(dir.path());
  // What is typed into a box is what the settings read (the file's part is Form1's test).
  const char* boxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "txtOrthography", "txtInputFileName"};
  for (const char* name : boxes) {
    auto* box = s.child<QLineEdit>(Window::Form1, name);
    box->clear();
    QTest::keyClicks(box, QLatin1String(name));
    box->insert(QStringLiteral(" ü"));
  }
  const Settings settings = s.form->SettingsFromControls();
  const std::string read[] = {settings.boxes[0], settings.boxes[1],    settings.boxes[2],     settings.boxes[3],
                              settings.boxes[4], settings.orthography, settings.inputFileName};
  for (size_t i = 0; i < std::size(boxes); ++i) QCOMPARE(read[i], boxes[i] + std::string(" ü"));

  // Each check box, ticked alone by a click at its right edge (a wrapped
  // caption toggles it too), sets its own setting and only that, and comes
  // back from the file.
  const char* checks[] = {"chkIgnore1", "chkIgnore2",     "chkIgnore3", "chkIgnore4",
                          "chkIgnore5", "chkSyllabified", "chkVowels",  "chkExclude"};
  auto ticked = [](const Settings& t) {
    return std::vector<bool>{t.ignore[0], t.ignore[1],   t.ignore[2], t.ignore[3],
                             t.ignore[4], t.syllabified, t.vowels,    t.exclude};
  };
  for (size_t i = 0; i < std::size(checks); ++i) {
    auto* box = s.child<QCheckBox>(Window::Form1, checks[i]);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 2, box->height() / 2));
    std::vector<bool> expected(std::size(checks));
    expected[i] = true;
    QVERIFY2(ticked(s.form->SettingsFromControls()) == expected, checks[i]);
    s.form->SaveSettings();
    box->setChecked(false);
    s.form->ReadSettings();
    QVERIFY2(box->isChecked(), checks[i]);
    box->setChecked(false);
  }

  // View > Data set lists the bundled sets afresh each time, the one in use checked; the one chosen gives the key
  // and shows in the title. The menu bar keeps its three entries.
  QDir(dir.path()).mkpath(QStringLiteral("xx"));
  WriteFile(s.path("xx/in.txt"), "");
  WriteFile(s.path("xx/SegmentKey.txt"), "x1 as in xx\r\n");
  auto* window = qobject_cast<QMainWindow*>(s.platform.window(Window::Form1));
  QCOMPARE(window->menuBar()->actions().size(), 3);
  const QString title = window->windowTitle();
  auto* menu = s.child<QMenu>(Window::Form1, "mnuDataSet");
  auto listed = [menu] {
    Q_EMIT menu->aboutToShow();
    QStringList names;
    for (QAction* action : menu->actions()) names << action->text() + (action->isChecked() ? "*" : "");
    return names.join(QLatin1Char('|'));
  };
  QCOMPARE(listed(), QStringLiteral("en*|xx||Other folder..."));
  s.child<QAction>(Window::Form1, "mnuDataSet_xx")->trigger();
  QCOMPARE(window->windowTitle(), title + QStringLiteral(" \u2014 xx"));
  QCOMPARE(s.platform.Text(Control::lblListOfNaturalClasses).substr(0, 11), std::string("x1 as in xx"));
  QCOMPARE(listed(), QStringLiteral("en|xx*||Other folder..."));
  s.child<QAction>(Window::Form1, "mnuDataSet_en")->trigger();
  QCOMPARE(window->windowTitle(), title);
}

void WindowTest::clicksKeysAndMenusReachTheirHandlers() {
  // Each control, used as the user does, has the effect its handler has when
  // called directly: the same messages, windows, texts, quit, saved settings
  // and started program.
  enum How { kClick, kEnter, kMenu, kClose };
  // Where a row starts: what is opened first, and the window of the control.
  struct Start {
    void (*open)(Form1&);
    Window window;
  };
  const Start main{[](Form1&) {}, Window::Form1};
  const Start viewer{[](Form1& f) { f.displayOptions.Open(); }, Window::frmDisplayOptions};
  const Start help{[](Form1& f) { f.help.OpenFromMainWindow(); }, Window::frmHelp};
  const Start helpAtTopic3{[](Form1& f) { f.displayOptions.Open(), f.help.OpenFromViewer(); }, Window::frmHelp};
  const struct {
    Start start;
    How how;
    const char* control;
    void (*handler)(Form1&);
    bool startsProgram = false;
  } wires[] = {
      {main, kClick, "cmdSearchTranscriptions", [](Form1& f) { f.cmdSearchTranscriptions_Click(); }},
      {main, kClick, "cmdSearchOrthography", [](Form1& f) { f.cmdSearchOrthography_Click(); }},
      {main, kClick, "cmdRereadClasses", [](Form1& f) { f.cmdRereadClasses_Click(); }},
      {main, kClick, "cmdExit", [](Form1& f) { f.cmdExit_Click(); }},
      {main, kClose, "Form1", [](Form1& f) { f.cmdExit_Click(); }},
      {main, kEnter, "Text1", [](Form1& f) { f.cmdSearchTranscriptions_Click(); }},
      {main, kEnter, "Text5", [](Form1& f) { f.cmdSearchTranscriptions_Click(); }},
      {main, kEnter, "txtOrthography", [](Form1& f) { f.cmdSearchOrthography_Click(); }},
      {main, kMenu, "mnuViewResult", [](Form1& f) { f.mnuViewResult_Click(); }},
      {main, kMenu, "mnuSearchLanguage", [](Form1& f) { f.mnuSearchLanguage_Click(); }},
      {main, kMenu, "mnuHelp", [](Form1& f) { f.mnuHelp_Click(); }},
      {main, kMenu, "mnuAbout", [](Form1& f) { f.mnuAbout_Click(); }},
      {viewer, kClick, "cmdFullSpreadsheet", [](Form1& f) { f.displayOptions.cmdFullSpreadsheet_Click(); }, true},
      {viewer, kClick, "cmdMediumSpreadsheet", [](Form1& f) { f.displayOptions.cmdMediumSpreadsheet_Click(); }, true},
      {viewer, kClick, "cmdSmallSpreadsheet", [](Form1& f) { f.displayOptions.cmdSmallSpreadsheet_Click(); }, true},
      {viewer, kClick, "cmdFullWordProcessor", [](Form1& f) { f.displayOptions.cmdFullWordProcessor_Click(); }, true},
      {viewer, kClick, "cmdMediumWordProcessor", [](Form1& f) { f.displayOptions.cmdMediumWordProcessor_Click(); },
       true},
      {viewer, kClick, "cmdTinyWordProcessor", [](Form1& f) { f.displayOptions.cmdTinyWordProcessor_Click(); }, true},
      {viewer, kClick, "cmdRememberLocations", [](Form1& f) { f.displayOptions.cmdRememberLocations_Click(); }},
      {viewer, kClick, "cmdBack", [](Form1& f) { f.displayOptions.cmdBack_Click(); }},
      {viewer, kClose, "frmDisplayOptions", [](Form1& f) { f.displayOptions.cmdBack_Click(); }},
      {viewer, kClick, "cmdExit", [](Form1& f) { f.displayOptions.cmdExit_Click(); }},
      {viewer, kMenu, "mnuHelp", [](Form1& f) { f.displayOptions.mnuHelp_Click(); }},
      {helpAtTopic3, kClick, "cmdGeneral", [](Form1& f) { f.help.cmdGeneral_Click(); }},
      {help, kClick, "cmdNaturalClasses", [](Form1& f) { f.help.cmdNaturalClasses_Click(); }},
      {help, kClick, "cmdReadingOutputFiles", [](Form1& f) { f.help.cmdReadingOutputFiles_Click(); }},
      {help, kClick, "cmdSyllabification", [](Form1& f) { f.help.cmdSyllabification_Click(); }},
      {help, kClick, "cmdOrthography", [](Form1& f) { f.help.cmdOrthography_Click(); }},
      {help, kClick, "cmdCaseSensitive", [](Form1& f) { f.help.cmdCaseSensitive_Click(); }},
      {help, kClick, "cmdIterativeSearches", [](Form1& f) { f.help.cmdIterativeSearches_Click(); }},
      {help, kClick, "cmdDictionary", [](Form1& f) { f.help.cmdDictionary_Click(); }},
      {help, kClick, "cmdOtherLanguages", [](Form1& f) { f.help.cmdOtherLanguages_Click(); }},
      {help, kClick, "cmdExit", [](Form1& f) { f.help.cmdExit_Click(); }},
      {help, kClose, "frmHelp", [](Form1& f) { f.help.cmdExit_Click(); }},
  };
  // The viewer's two programs write down which file they were started on.
  QTemporaryDir dir;
  for (const char* program : {"sheet", "editor"}) {
    const QString path = dir.filePath(QLatin1String(program));
    WriteFile(path, QByteArray("#!/bin/sh\nprintf '%s %s' \"$(basename \"$0\")\" \"$1\" >\"$0.part\" && ") +
                        "mv \"$0.part\" \"$(dirname \"$0\")/started\"\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
  }
  for (const auto& wire : wires) {
    std::string effects[2];
    for (int viaControl = 0; viaControl < 2; ++viaControl) {
      QFile::remove(dir.filePath(QStringLiteral("UserSettings.txt")));
      QFile::remove(dir.filePath(QStringLiteral("started")));
      Session s(dir.path());
      s.form->mSpreadsheetLocation = s.path("sheet").toStdString();
      s.form->mWordProcessorLocation = s.path("editor").toStdString();
      wire.start.open(*s.form);
      const std::string before = Snapshot(s, false);
      if (viaControl == 0) {
        wire.handler(*s.form);
      } else if (wire.how == kClose) {
        s.platform.window(wire.start.window)->close();
      } else if (wire.how == kMenu) {
        s.child<QAction>(wire.start.window, wire.control)->trigger();
      } else if (wire.how == kEnter) {
        QTest::keyClick(s.child(wire.start.window, wire.control), Qt::Key_Return);
      } else {
        QTest::mouseClick(s.child(wire.start.window, wire.control), Qt::LeftButton);
      }
      effects[viaControl] = Snapshot(s, wire.startsProgram);
      QVERIFY2(effects[viaControl] != before, wire.control);
    }
    QVERIFY2(effects[0] == effects[1],
             qPrintable(QStringLiteral("%1:\n%2\nnot\n%3").arg(wire.control, effects[1].c_str(), effects[0].c_str())));
  }
}

void WindowTest::filtersDialogSetsTheFiltersOrNamesTheWrongField() {
  QTemporaryDir dir;
  Session s(dir.path());
  s.form->filters.stress = "10";
  velmora::FiltersDialog dialog(*s.form, s.platform.window(Window::Form1));
  const char* names[] = {"txtMinFrequency", "txtMaxFrequency", "txtSegments", "txtSyllables", "txtStress",
                         "txtNeighbours", "txtUniquenessPoint"};
  auto field = [&](size_t k) { return dialog.findChild<QLineEdit*>(QLatin1String(names[k])); };
  QCOMPARE(field(4)->text(), QStringLiteral("10"));
  // A field not of its form keeps the dialog open and the filters as they were.
  field(2)->setText(QStringLiteral("9-2"));
  dialog.accept();
  QVERIFY(dialog.result() != QDialog::Accepted);
  QCOMPARE(s.messages.size(), size_t{1});
  QCOMPARE(s.form->filters.stress, std::string("10"));
  // Each field sets its own filter.
  const std::array<std::string, Form1::kFilterFields> texts = {"3", "700", "2-9", "1-3", ".1", "5-", "-4"};
  for (size_t k = 0; k < texts.size(); ++k) field(k)->setText(QString::fromStdString(texts[k]));
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QVERIFY(s.form->FilterTexts() == texts);
}

// The dialog refuses a half-given pair on its status line; a run writes the
// files while the window stays usable, then opens Statistics.txt.
void WindowTest::statisticsDialogWritesTheFilesInTheBackground() {
  QTemporaryDir dir;
  Session s(dir.path());
  WriteFile(s.path("in.txt"), "bite\tB AY1 T\t\t\t5\t1\r\nkite\tK AY1 T\t\t\t3\t2\r\n");
  s.form->Form_Load();
  s.form->mSpreadsheetLocation = "/bin/true";
  velmora::StatisticsDialog dialog(*s.form, s.platform.window(Window::Form1));
  auto* status = dialog.findChild<QLabel*>(QStringLiteral("lblStatisticsStatus"));
  dialog.findChild<QLineEdit*>(QStringLiteral("txtPairX"))->setText(QStringLiteral("K"));
  dialog.Compute();
  QCOMPARE(status->text(), QStringLiteral("Minimal pairs need two different symbols."));
  dialog.findChild<QLineEdit*>(QStringLiteral("txtPairY"))->setText(QStringLiteral("B"));
  dialog.Compute();
  QVERIFY(dialog.running());
  QTRY_VERIFY(!dialog.running());
  QCOMPARE(status->text(), QStringLiteral("Statistics of 2 entries of in.txt written to %1.").arg(s.path("Statistics.txt")));
  QFile pairs(s.path("MinimalPairs.txt"));
  QVERIFY(pairs.open(QIODevice::ReadOnly));
  QCOMPARE(pairs.readAll(), QByteArray("Word with K\tWord with B\tPosition\r\nkite\tbite\t1\r\n"));
}

void WindowTest::platformKeepsTextsAndWindows() {
  QTemporaryDir dir;
  Session s(dir.path());
  // A label shows its CRs as line breaks, as plain text, and gives back
  // exactly what it was given.
  const std::string key = "<b>Key</b>\r\rSecond\rthird, ə\r";
  s.platform.SetText(Control::lblListOfNaturalClasses, key);
  auto* label = s.child<QLabel>(Window::Form1, "lblListOfNaturalClasses");
  QCOMPARE(label->text(), QStringLiteral("<b>Key</b>\n\nSecond\nthird, ə\n"));
  QCOMPARE(label->textFormat(), Qt::PlainText);
  QCOMPARE(s.platform.Text(Control::lblListOfNaturalClasses), key);

  // An unloaded window's controls are empty and take no text.
  s.platform.SetText(Control::frmHelp_Label1, "lost");
  QCOMPARE(s.platform.Text(Control::frmHelp_Label1), std::string());

  // A window is loaded hidden, once; unloaded, it is destroyed and comes
  // back with empty boxes.
  s.platform.LoadWindow(Window::frmDisplayOptions);
  QPointer<QWidget> viewer = s.platform.window(Window::frmDisplayOptions);
  QVERIFY(viewer != nullptr && !viewer->isVisible());
  s.platform.SetText(Control::frmDisplayOptions_txtWordProcessorLocation, "/usr/bin/editor");
  s.platform.LoadWindow(Window::frmDisplayOptions);
  QCOMPARE(s.platform.window(Window::frmDisplayOptions), viewer.data());
  QCOMPARE(s.platform.Text(Control::frmDisplayOptions_txtWordProcessorLocation), std::string("/usr/bin/editor"));
  s.platform.UnloadWindow(Window::frmDisplayOptions);
  QVERIFY(!s.platform.IsLoaded(Window::frmDisplayOptions));
  Session::Settle();
  QVERIFY(viewer.isNull());
  s.platform.LoadWindow(Window::frmDisplayOptions);
  QCOMPARE(s.platform.Text(Control::frmDisplayOptions_txtWordProcessorLocation), std::string());

  // A program that cannot start says why, in words set into a sentence; one
  // that can is started without a shell, its argument passed whole.
  const std::string reason = s.platform.StartProgram({s.path("no-such-program").toStdString(), "file.txt"}).reason;
  QVERIFY2(!reason.empty() && !reason.ends_with('.'), reason.c_str());
  const QString marker = s.path("started marker");
  QVERIFY(s.platform.StartProgram({"/usr/bin/touch", marker.toStdString()}).ok());
  QTRY_VERIFY(QFile::exists(marker));

  // The title names the user's own folder only when the program works there.
  velmora::ProgramFolderChoice folder;
  folder.folder = "/home/ann/.local/share/velmora";
  for (QWidget* main = s.platform.window(Window::Form1); const bool user : {false, true}) {
    folder.user = user;
    velmora::NameProgramFolder(main, folder);
    QCOMPARE(main->windowTitle(), QStringLiteral("Velmora") + (user ? " - /home/ann/.local/share/velmora" : ""));
  }

  s.platform.Quit();
  QVERIFY(s.quitRequested);
}

void WindowTest::everyTextFitsItsControl() {
  QTemporaryDir dir;
  Session s(dir.path());
  s.form->Form_Load();  // the key and the classes
  QStringList found = Overflows(s.platform.window(Window::Form1));
  // The search buttons' captions while and after searching (the widest
  // progress is that of the whole CMU dictionary); a short caption is shown
  // at the window's size again.
  for (Control button : {Control::cmdSearchTranscriptions, Control::cmdSearchOrthography}) {
    for (const std::string& caption : {velmora::ProgressCaption(126046, 126046), std::string(velmora::kDoneCaption),
                                       std::string(velmora::kReclickCaption)}) {
      s.platform.SetText(button, caption);
      found << Overflow(s.platform.widget(button));
      QCOMPARE(s.platform.Text(button), caption);
    }
    s.platform.SetText(button, "Search");
    QCOMPARE(s.platform.widget(button)->font().pointSizeF(), s.platform.window(Window::Form1)->font().pointSizeF());
  }
  // A key longer than its area scrolls down.
  std::string key = "The natural classes currently available are";
  for (int i = 0; i < 120; ++i) key += "\r\rCLASS" + std::to_string(i);
  s.platform.SetText(Control::lblListOfNaturalClasses, key);
  QCoreApplication::processEvents();
  auto* area = s.child<QScrollArea>(Window::Form1, "lblListOfNaturalClasses_area");
  QVERIFY(area->verticalScrollBar()->maximum() > 0);
  QCOMPARE(area->widget()->width(), area->viewport()->width());

  velmora::StatisticsDialog statistics(*s.form, s.platform.window(Window::Form1));
  statistics.show();
  found << Overflows(&statistics);
  s.form->displayOptions.Open();
  found << Overflows(s.platform.window(Window::frmDisplayOptions));
  s.form->help.OpenFromViewer();
  QWidget* help = s.platform.window(Window::frmHelp);
  for (QAbstractButton* topic : help->findChildren<QAbstractButton*>()) {
    if (topic->objectName() == QLatin1String("cmdExit")) continue;
    topic->click();
    for (const QString& problem : Overflows(help)) found << topic->objectName() + QStringLiteral(": ") + problem;
  }
  found.removeAll(QString());
  QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
