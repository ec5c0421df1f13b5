// The window's search-language parts: the boxes' tooltips, the Search
// language entry, and the Filters dialog, whose fields go to Form1.
#include <QLineEdit>
#include <QTest>

#include "app/form1.h"
#include "qt/filters_dialog.h"
#include "qt_test_support.h"

using velmora::Window;
using velmora::testing::QtSession;

class FiltersDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void eachBoxTellsWhatItTakes();
  void searchLanguageEntryShowsTheLanguage();
  void okSetsTheFiltersAndAWrongFieldKeepsTheDialogOpen();
};

void FiltersDialogTest::eachBoxTellsWhatItTakes() {
  QtSession session;
  for (int box = 1; box <= 5; ++box) {
    auto* text = session.window(Window::Form1)->findChild<QWidget*>(QStringLiteral("Text%1").arg(box));
    QVERIFY(text != nullptr);
    QVERIFY(text->toolTip().startsWith(QStringLiteral("Box %1: ").arg(box)));
    QVERIFY(text->toolTip().contains(QStringLiteral("{+voice -sonorant}")));
  }
}

void FiltersDialogTest::searchLanguageEntryShowsTheLanguage() {
  QtSession session;
  session.action(Window::Form1, "mnuSearchLanguage")->trigger();
  QCOMPARE(session.messages.size(), size_t{1});
  QVERIFY(session.messages[0].rfind("The search language", 0) == 0);
}

void FiltersDialogTest::okSetsTheFiltersAndAWrongFieldKeepsTheDialogOpen() {
  QtSession session;
  session.form->filters.stress = "10";
  velmora::FiltersDialog dialog(*session.form, session.window(Window::Form1));
  auto* stress = dialog.findChild<QLineEdit*>(QStringLiteral("txtStress"));
  auto* segments = dialog.findChild<QLineEdit*>(QStringLiteral("txtSegments"));
  QVERIFY(stress != nullptr && segments != nullptr);
  QCOMPARE(stress->text(), QStringLiteral("10"));

  segments->setText(QStringLiteral("9-2"));
  dialog.accept();
  QCOMPARE(session.messages.size(), size_t{1});
  QVERIFY(session.messages[0].find("\"segments\"") != std::string::npos);
  QVERIFY(dialog.result() != QDialog::Accepted);
  QCOMPARE(session.form->filters.stress, std::string("10"));

  segments->setText(QStringLiteral("2-9"));
  stress->setText(QString());
  dialog.accept();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QVERIFY(session.form->filters.segments.has_value());
  QCOMPARE(session.form->filters.segments->Text(), std::string("2-9"));
  QVERIFY(session.form->filters.stress.empty());
}

QTEST_MAIN(FiltersDialogTest)
#include "filters_dialog_test.moc"
