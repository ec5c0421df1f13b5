// SPDX-License-Identifier: GPL-3.0-or-later
// The building blocks of the three windows: a table-driven builder that places
// controls by their twips geometry, the classic look (buttons and check boxes
// whose captions wrap, labels that break lines at CR), and the conversion of
// label texts. Every widget gets the control's name as its objectName, so the
// platform layer and the tests find it by that name.
#ifndef VELMORA_QT_WIDGETS_H_
#define VELMORA_QT_WIDGETS_H_

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <functional>
#include <span>
#include <string>

namespace velmora {

struct ProgramFolderChoice;

// Window geometry is kept in twips; the screen has 15 twips per pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// The title of every window and message box.
inline constexpr const char* kApplicationTitle = "Velmora";

enum class ControlKind {
  kButton,
  kTextBox,
  kCheckBox,
  kLabel,
  kBoldLabel,
  kTextArea,  // white text area that wraps and scrolls: the key, the help text
  kFrame,     // a box that holds other controls
  kLine,      // a horizontal or vertical sunken line (the thinner side decides)
};

struct ControlLayout {
  const char* name;
  ControlKind kind;
  const char* caption;  // caption or initial text; may be empty
  int left, top, width, height;  // twips, relative to the container
  const char* container = nullptr;  // name of an earlier kFrame, or the client area
  const char* accessibleName = nullptr;  // when the caption does not name the control
};

// Creates the controls of a table inside `client`, in table order.
void BuildControls(QWidget* client, std::span<const ControlLayout> layouts);

// Runs `action` when the button named `name` under `root` is clicked.
void OnClick(QWidget* root, const char* name, std::function<void()> action);
// Chains the focus through the named controls under `root` in the given
// order and puts the focus on the first.
void SetTabOrder(QWidget* root, std::span<const char* const> names);

// The main window's title names the user's own folder when the program works
// there (an installed copy); a copy that works beside its executable keeps the
// plain title.
void NameProgramFolder(QWidget* mainWindow, const ProgramFolderChoice& folder);

// Makes the caption of a button, check box or label fit the control's fixed
// rectangle: the control keeps the font it inherits when the text fits there
// (word wrap included), else takes the largest smaller size, in quarter
// points, at which it fits. Called when a control is built and whenever its
// caption changes; a shorter caption returns to the inherited size. Text areas
// (which scroll) and text boxes are left alone.
void FitText(QWidget* control);
// The smallest size FitText goes down to.
inline constexpr double kSmallestPointSize = 6.0;

// The default font of the windows: a small sans-serif dialog font.
QFont DialogFont();

// Label captions keep CR (code 13) as their line break. The label shows the
// text with CR turned into line breaks and remembers the raw text, which
// LabelText gives back exactly.
void SetLabelText(QLabel* label, const std::string& text);
std::string LabelText(const QLabel* label);
// CR LF, and CR alone, become the line break of a Qt text.
QString WithLineBreaks(const QString& text);

// A command button whose caption wraps at word boundaries when it does not fit
// on one line, as the captions of the large search button do.
class WrapButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A check box whose caption wraps to the width of the box; a click anywhere on
// it toggles it.
class WrapCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

}  // namespace velmora

#endif  // VELMORA_QT_WIDGETS_H_
