// What a screen reader gets from the windows, read through Qt's accessibility
// interfaces (the same ones the AT-SPI bridge serves): labels, text areas and
// buttons are named by the text they show now, the small check boxes by what
// they do; every button and box is reached with Tab; Enter in a box searches.
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "qt_test_support.h"

using velmora::Control;
using velmora::Window;
using velmora::testing::QtSession;
using velmora::testing::TabOrder;

namespace {

QString AccessibleName(QWidget* widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face == nullptr ? QString() : face->text(QAccessible::Name);
}

// The named controls whose accessible name differs from the text they show.
QStringList NamesThatHideTheText(QWidget* window) {
  QStringList found;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))) continue;
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      shown = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      shown = button->text().remove(QLatin1Char('&'));
    } else {
      continue;
    }
    if (shown.isEmpty()) continue;  // the small check boxes: named below
    if (AccessibleName(widget) != shown) {
      found << QStringLiteral("%1 reads \"%2\"").arg(widget->objectName(), AccessibleName(widget).left(40));
    }
  }
  return found;
}

// The buttons and text boxes of a window that Tab does not reach from `first`.
QStringList NotReachedByTab(QWidget* window, QWidget* first) {
  const QStringList visited = TabOrder(first);
  QStringList missing;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QLineEdit*>(widget)) continue;
    if (widget->objectName().startsWith(QLatin1String("qt_"))) continue;  // the menu bar's own
    if (!visited.contains(widget->objectName())) missing << widget->objectName();
  }
  return missing;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void everyCaptionAndTextIsReadAsShown();
  void theSearchButtonReadsItsProgressAndItsEnd();
  void theSmallCheckBoxesAndTheBoxesKeepTheirNames();
  void everyButtonAndBoxIsReachedWithTab();
  void enterInABoxRunsItsSearch();
};

void AccessibilityTest::everyCaptionAndTextIsReadAsShown() {
  QtSession session;
  session.form->Form_Load();
  auto* key = session.child<QLabel>(Window::Form1, "lblListOfNaturalClasses");
  QVERIFY(key->text().contains(QStringLiteral("AY1 as in bite")));
  QCOMPARE(AccessibleName(key), key->text());
  QVERIFY2(NamesThatHideTheText(session.window(Window::Form1)).isEmpty(),
           qPrintable(NamesThatHideTheText(session.window(Window::Form1)).join(QLatin1Char('\n'))));
  // What the text area is stays said by the frame around it.
  QCOMPARE(AccessibleName(session.child(Window::Form1, "lblListOfNaturalClasses_area")),
           QStringLiteral("Key and natural classes"));

  session.platform.LoadWindow(Window::frmDisplayOptions);
  QVERIFY2(NamesThatHideTheText(session.window(Window::frmDisplayOptions)).isEmpty(),
           qPrintable(NamesThatHideTheText(session.window(Window::frmDisplayOptions)).join(QLatin1Char('\n'))));

  session.form->mnuHelp_Click();
  auto* help = session.child<QLabel>(Window::frmHelp, "Label1");
  const QString first = AccessibleName(help);
  QVERIFY(!first.isEmpty());
  QCOMPARE(first, help->text());
  session.click(Window::frmHelp, "cmdNaturalClasses");
  QVERIFY(AccessibleName(help) != first);
  QCOMPARE(AccessibleName(help), help->text());
  QVERIFY2(NamesThatHideTheText(session.window(Window::frmHelp)).isEmpty(),
           qPrintable(NamesThatHideTheText(session.window(Window::frmHelp)).join(QLatin1Char('\n'))));
}

void AccessibilityTest::theSearchButtonReadsItsProgressAndItsEnd() {
  QtSession session;
  QWidget* button = session.platform.widget(Control::cmdSearchTranscriptions);
  QCOMPARE(AccessibleName(button), QStringLiteral("Search transcriptions"));
  for (const char* caption : {"Searching the dictionary; completed 500/20000",
                              "Done!  You can re-click here for another search."}) {
    session.platform.SetText(Control::cmdSearchTranscriptions, caption);
    QCOMPARE(AccessibleName(button), QString::fromLatin1(caption));
  }
}

void AccessibilityTest::theSmallCheckBoxesAndTheBoxesKeepTheirNames() {
  QtSession session;
  for (int box = 1; box <= 5; ++box) {
    const QByteArray check = "chkIgnore" + QByteArray::number(box);
    const QByteArray text = "Text" + QByteArray::number(box);
    QCOMPARE(AccessibleName(session.child(Window::Form1, check.constData())),
             QStringLiteral("Ignore box %1 when sorting").arg(box));
    QCOMPARE(AccessibleName(session.child(Window::Form1, text.constData())), QStringLiteral("Box %1").arg(box));
  }
  QCOMPARE(AccessibleName(session.child(Window::Form1, "txtInputFileName")), QStringLiteral("Input file name"));
}

void AccessibilityTest::everyButtonAndBoxIsReachedWithTab() {
  QtSession session;
  QWidget* main = session.window(Window::Form1);
  QStringList missing = NotReachedByTab(main, session.child(Window::Form1, "cmdSearchTranscriptions"));
  QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));

  session.platform.LoadWindow(Window::frmDisplayOptions);
  missing = NotReachedByTab(session.window(Window::frmDisplayOptions),
                            session.child(Window::frmDisplayOptions, "cmdFullSpreadsheet"));
  QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));

  session.form->mnuHelp_Click();
  missing = NotReachedByTab(session.window(Window::frmHelp), session.child(Window::frmHelp, "cmdExit"));
  QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
}

void AccessibilityTest::enterInABoxRunsItsSearch() {
  QtSession session;
  QSignalSpy transcriptions(session.child<QPushButton>(Window::Form1, "cmdSearchTranscriptions"),
                            &QAbstractButton::clicked);
  QSignalSpy orthography(session.child<QPushButton>(Window::Form1, "cmdSearchOrthography"),
                         &QAbstractButton::clicked);
  for (int box = 1; box <= 5; ++box) {
    const QByteArray name = "Text" + QByteArray::number(box);
    QTest::keyClick(session.child(Window::Form1, name.constData()), Qt::Key_Return);
    QCOMPARE(transcriptions.count(), box);
  }
  QCOMPARE(orthography.count(), 0);
  QTest::keyClick(session.child(Window::Form1, "txtOrthography"), Qt::Key_Enter);
  QCOMPARE(orthography.count(), 1);
  QCOMPARE(transcriptions.count(), 5);
  // The search really ran: empty boxes are refused with a message.
  QVERIFY(!session.messages.empty());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
