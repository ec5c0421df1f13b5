// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/widgets.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QFrame>
#include <QLineEdit>
#include <QPalette>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVariant>

#include "platform/program_folder.h"

namespace velmora {

namespace {

// The dynamic property that holds a label's caption exactly as it was set.
constexpr const char* kRawTextProperty = "velmoraRawText";
// The dynamic property that holds the font a control had before FitText
// made it smaller.
constexpr const char* kBaseFontProperty = "velmoraBaseFont";

// Where a control draws its caption, and how: the same rectangles and flags
// as the painting below and QLabel's own.
bool CaptionArea(QWidget* control, QRect* area, int* flags, QString* text) {
  if (auto* button = dynamic_cast<WrapButton*>(control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    *area = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).adjusted(2, 0, -2, 0);
    *flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    *text = button->text();
    return true;
  }
  if (auto* box = dynamic_cast<WrapCheckBox*>(control)) {
    QStyleOptionButton option;
    option.initFrom(box);
    *area = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    *flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    *text = box->text();
    return true;
  }
  if (auto* label = qobject_cast<QLabel*>(control)) {
    if (qobject_cast<QScrollArea*>(label->parentWidget() ? label->parentWidget()->parentWidget() : nullptr)) {
      return false;  // a text area grows downwards and scrolls
    }
    const int margin = label->margin();
    *area = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    *flags = static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    *text = label->text();
    return true;
  }
  return false;
}

bool Fits(const QFont& font, const QRect& area, int flags, const QString& text) {
  const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, area.width(), 1 << 16), flags, text);
  return needed.width() <= area.width() && needed.height() <= area.height();
}

QLabel* MakeLabel(const ControlLayout& layout, QWidget* container) {
  auto* label = new QLabel(container);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetLabelText(label, layout.caption);
  if (layout.kind == ControlKind::kBoldLabel) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
  }
  return label;
}

QWidget* MakeWidget(const ControlLayout& layout, QWidget* container) {
  const QString caption = QString::fromUtf8(layout.caption);
  switch (layout.kind) {
    case ControlKind::kButton:
      return new WrapButton(caption, container);
    case ControlKind::kTextBox: {
      auto* box = new QLineEdit(caption, container);
      box->setCursorPosition(0);
      return box;
    }
    case ControlKind::kCheckBox:
      return new WrapCheckBox(caption, container);
    case ControlKind::kLabel:
    case ControlKind::kBoldLabel:
      return MakeLabel(layout, container);
    case ControlKind::kTextArea: {
      // The text may be longer than the area: it scrolls rather than being cut.
      auto* area = new QScrollArea(container);
      area->setFrameShape(QFrame::NoFrame);
      area->setFocusPolicy(Qt::NoFocus);
      area->setWidgetResizable(true);
      area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      QPalette palette = area->palette();
      palette.setColor(QPalette::Window, Qt::white);
      palette.setColor(QPalette::WindowText, Qt::black);
      area->setPalette(palette);
      area->viewport()->setAutoFillBackground(true);
      QLabel* label = MakeLabel(layout, nullptr);
      label->setPalette(palette);
      label->setAutoFillBackground(true);
      label->setMargin(3);
      area->setWidget(label);
      return area;
    }
    case ControlKind::kFrame: {
      auto* frame = new QFrame(container);
      frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
      return frame;
    }
    case ControlKind::kLine: {
      auto* line = new QFrame(container);
      line->setFrameStyle((layout.width >= layout.height ? QFrame::HLine : QFrame::VLine) | QFrame::Sunken);
      return line;
    }
  }
  return nullptr;
}

// A check box with no caption is only its box: keep it at least as large as
// the box the style draws, centred where the table puts it.
QRect BoxOnlyGeometry(QCheckBox* box, QRect rect) {
  QStyleOptionButton option;
  option.initFrom(box);
  const int w = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, box) + 2;
  const int h = box->style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, box) + 2;
  const QPoint centre = rect.center();
  rect.setSize(rect.size().expandedTo(QSize(w, h)));
  rect.moveCenter(centre);
  return rect;
}

}  // namespace

void BuildControls(QWidget* client, std::span<const ControlLayout> layouts) {
  for (const ControlLayout& layout : layouts) {
    QWidget* container = client;
    if (layout.container != nullptr) {
      container = client->findChild<QWidget*>(QString::fromLatin1(layout.container));
      if (container == nullptr) container = client;
    }
    // `placed` takes the geometry; `named` carries the control's name. They
    // differ for a text area: a label inside a scrolling frame named "_area".
    QWidget* placed = MakeWidget(layout, container);
    QWidget* named = placed;
    if (auto* area = qobject_cast<QScrollArea*>(placed)) {
      named = area->widget();
      placed->setObjectName(QString::fromLatin1(layout.name) + QStringLiteral("_area"));
    }
    named->setObjectName(QString::fromLatin1(layout.name));
    // A control with a caption is named by it, as it reads now: a fixed
    // accessible name would hide a changed caption (the search buttons'
    // progress) from a screen reader. A text area's name goes to its
    // scrolling frame, so that the label inside reads out the text it shows.
    if (layout.accessibleName != nullptr) {
      placed->setAccessibleName(QString::fromUtf8(layout.accessibleName));
    }
    QRect rect(Px(layout.left), Px(layout.top), Px(layout.width), Px(layout.height));
    if (layout.kind == ControlKind::kLine) {
      // A line is drawn in the middle of a two-pixel strip.
      if (layout.width >= layout.height) {
        rect.setHeight(2);
      } else {
        rect.setWidth(2);
      }
    }
    if (auto* box = qobject_cast<QCheckBox*>(placed); box != nullptr && layout.caption[0] == '\0') {
      rect = BoxOnlyGeometry(box, rect);
    }
    placed->setGeometry(rect);
    FitText(named);
  }
}

void OnClick(QWidget* root, const char* name, std::function<void()> action) {
  auto* button = root->findChild<QAbstractButton*>(QString::fromLatin1(name));
  Q_ASSERT(button != nullptr);
  QObject::connect(button, &QAbstractButton::clicked, button, [action = std::move(action)] { action(); });
}

void SetTabOrder(QWidget* root, std::span<const char* const> names) {
  QWidget* previous = nullptr;
  for (const char* name : names) {
    QWidget* next = root->findChild<QWidget*>(QString::fromLatin1(name));
    if (previous != nullptr) QWidget::setTabOrder(previous, next);
    previous = next;
  }
  if (!names.empty()) root->findChild<QWidget*>(QString::fromLatin1(names.front()))->setFocus();
}

void FitText(QWidget* control) {
  QRect area;
  int flags = 0;
  QString text;
  if (!CaptionArea(control, &area, &flags, &text) || area.isEmpty()) return;
  const QVariant base = control->property(kBaseFontProperty);
  QFont font = base.isValid() ? base.value<QFont>() : control->font();
  const QFont inherited = font;
  while (!text.isEmpty() && !Fits(font, area, flags, text) && font.pointSizeF() - 0.25 >= kSmallestPointSize) {
    font.setPointSizeF(font.pointSizeF() - 0.25);
  }
  if (font == inherited && !base.isValid()) return;  // fits as it is: keep inheriting
  if (!base.isValid()) control->setProperty(kBaseFontProperty, QVariant::fromValue(inherited));
  control->setFont(font);
}

void NameProgramFolder(QWidget* mainWindow, const ProgramFolderChoice& folder) {
  if (!folder.user) return;
  mainWindow->setWindowTitle(QStringLiteral("%1 - %2").arg(QString::fromLatin1(kApplicationTitle),
                                                          QString::fromStdString(folder.folder)));
}

QFont DialogFont() {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial"), QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

QString WithLineBreaks(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

void SetLabelText(QLabel* label, const std::string& text) {
  const QString raw = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  label->setProperty(kRawTextProperty, raw);
  label->setText(WithLineBreaks(raw));
}

std::string LabelText(const QLabel* label) {
  const QVariant raw = label->property(kRawTextProperty);
  return (raw.isValid() ? raw.toString() : label->text()).toStdString();
}

void WrapButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);

  int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) flags |= Qt::TextHideMnemonic;
  QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
  if (isDown()) {
    area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                   style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
  }
  style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

void WrapCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  const bool focused = (option.state & QStyle::State_HasFocus) != 0;
  option.state &= ~QStyle::State_HasFocus;  // the focus frame goes round the caption below
  painter.drawControl(QStyle::CE_CheckBox, option);
  if (caption.isEmpty()) {
    if (focused) {
      QStyleOptionFocusRect frame;
      frame.initFrom(this);
      painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
    }
    return;
  }

  const QRect area = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
  style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), caption, QPalette::WindowText);
  if (focused) {
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = painter.boundingRect(area, flags, caption).adjusted(-1, 0, 1, 0) & rect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
  }
}

bool WrapCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace velmora
