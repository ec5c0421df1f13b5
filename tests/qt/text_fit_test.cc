// Every text of the three windows fits the control that shows it, measured
// with the font the control really uses (word wrap included): the fixed
// captions, the captions the search buttons take while and after searching,
// and the texts of the key and the help topics, which scroll downwards but
// must never run out sideways. Run on the fonts of this machine (the package
// depends on DejaVu), at 100% and, as a second test, at 200% scaling.
#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

#include "qt/widgets.h"
#include "qt_test_support.h"
#include "ui/help_window.h"

using velmora::Control;
using velmora::Window;
using velmora::testing::QtSession;

namespace {

constexpr int kUnbounded = 100000;

// The rectangle a control draws its text into, and how it lays it out.
struct TextBox {
  QRect rect;
  int flags = 0;
  bool scrollsDown = false;  // only the width counts
};

TextBox TextBoxOf(QWidget* widget) {
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return {contents.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic};
  }
  if (auto* box = qobject_cast<QCheckBox*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return {box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic};
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    const int margin = label->margin();
    QRect rect = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    TextBox box{rect, static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0)};
    if (auto* area = qobject_cast<QScrollArea*>(label->parentWidget() ? label->parentWidget()->parentWidget() : nullptr)) {
      // A text area: the label is as wide as the viewport, as high as its text.
      box.rect.setWidth(area->viewport()->width() - 2 * margin - label->frameWidth() * 2);
      box.scrollsDown = true;
    }
    return box;
  }
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    const QRect rect = line->contentsRect().adjusted(line->textMargins().left() + 2, 0, -line->textMargins().right() - 2, 0);
    return {rect, Qt::AlignLeft | Qt::AlignVCenter};
  }
  return {};
}

QString TextOf(QWidget* widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
  return {};
}

// "name: needs WxH in WxH (family size)" for a text that does not fit; "" when it fits.
QString Overflow(QWidget* widget) {
  const QString text = TextOf(widget);
  if (text.isEmpty()) return {};
  const TextBox box = TextBoxOf(widget);
  if (box.rect.isEmpty()) return widget->objectName() + QStringLiteral(": no room for its text at all");
  const QFontMetrics metrics(widget->font());
  const QRect needed = metrics.boundingRect(QRect(0, 0, box.rect.width(), kUnbounded), box.flags, text);
  const bool tooWide = needed.width() > box.rect.width();
  const bool tooHigh = !box.scrollsDown && needed.height() > box.rect.height();
  if (!tooWide && !tooHigh) return {};
  const QFontInfo font(widget->font());
  return QStringLiteral("%1 \"%2\": needs %3x%4 in %5x%6 (%7 %8pt)")
      .arg(widget->objectName(), text.left(40))
      .arg(needed.width())
      .arg(needed.height())
      .arg(box.rect.width())
      .arg(box.rect.height())
      .arg(font.family())
      .arg(widget->font().pointSizeF());
}

QStringList Overflows(QWidget* window) {
  QStringList found;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_"))) continue;
    const QString problem = Overflow(widget);
    if (!problem.isEmpty()) found << problem;
  }
  return found;
}

}  // namespace

class TextFitTest : public QObject {
  Q_OBJECT

 private slots:
  void theMainWindowsCaptionsFit();
  void theSearchButtonsCaptionsFitWhileAndAfterSearching();
  void theViewersCaptionsFit();
  void everyHelpTopicFitsTheWidthOfTheTextArea();
};

void TextFitTest::theMainWindowsCaptionsFit() {
  QtSession session;
  session.form->Form_Load();  // posts the key and the classes
  QWidget* window = session.window(Window::Form1);
  qInfo() << "dialog font:" << QFontInfo(window->font()).family() << window->font().pointSizeF();
  const QStringList overflows = Overflows(window);
  QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QStringLiteral("\n"))));
}

void TextFitTest::theSearchButtonsCaptionsFitWhileAndAfterSearching() {
  QtSession session;
  // The widest progress a search of the whole CMU dictionary shows, and the end captions.
  const char* captions[] = {"Searching the dictionary; completed 126046/126046",
                            "Done!  You can re-click here for another search.",
                            "You can re-click here for another search."};
  for (Control button : {Control::cmdSearchTranscriptions, Control::cmdSearchOrthography}) {
    for (const char* caption : captions) {
      session.platform.SetText(button, caption);
      QWidget* widget = session.platform.widget(button);
      const QString problem = Overflow(widget);
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
      QCOMPARE(session.platform.Text(button), std::string(caption));
    }
    // Back to a short caption, the button is back at the window's size.
    session.platform.SetText(button, "Search");
    QCOMPARE(session.platform.widget(button)->font().pointSizeF(),
             session.window(Window::Form1)->font().pointSizeF());
  }
}

void TextFitTest::theViewersCaptionsFit() {
  QtSession session;
  session.platform.LoadWindow(Window::frmDisplayOptions);
  const QStringList overflows = Overflows(session.window(Window::frmDisplayOptions));
  QVERIFY2(overflows.isEmpty(), qPrintable(overflows.join(QStringLiteral("\n"))));
}

void TextFitTest::everyHelpTopicFitsTheWidthOfTheTextArea() {
  QtSession session;
  session.form->mnuHelp_Click();
  QWidget* help = session.window(Window::frmHelp);
  QVERIFY(help != nullptr);
  const char* topics[] = {"cmdGeneral",     "cmdNaturalClasses", "cmdReadingOutputFiles",
                          "cmdSyllabification", "cmdOrthography", "cmdCaseSensitive",
                          "cmdIterativeSearches", "cmdDictionary", "cmdOtherLanguages"};
  for (const char* topic : topics) {
    session.click(Window::frmHelp, topic);
    QVERIFY(!session.platform.Text(Control::frmHelp_Label1).empty());
    const QStringList overflows = Overflows(help);
    QVERIFY2(overflows.isEmpty(), qPrintable(topic + QStringLiteral(": ") + overflows.join(QStringLiteral("\n"))));
  }
}

QTEST_MAIN(TextFitTest)
#include "text_fit_test.moc"
