// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer done with Qt: each Control is a widget of one of the three
// windows, found by its objectName, and the widget is the only place its text
// or value lives. The platform owns the windows: the main window from Attach
// to the end, the viewer and the help window from LoadWindow to UnloadWindow.
#ifndef VELMORA_QT_QT_PLATFORM_H_
#define VELMORA_QT_QT_PLATFORM_H_

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmora {

class Form1;

class QtPlatform : public Platform {
 public:
  QtPlatform() = default;
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // Creates the main window for `form`, centred and not yet shown. Windows
  // loaded later are wired to form.displayOptions and form.help.
  // REQUIRES: called once, before any other window is loaded.
  void Attach(Form1& form);

  // The window, or null when it is not loaded.
  QWidget* window(Window which) const { return windows_[static_cast<int>(which)]; }
  // The widget that shows a control, or null when its window is not loaded.
  QWidget* widget(Control control) const;

  // Puts a top-level window in the middle of the screen it is on.
  static void Centre(QWidget* window);

  // When set, answers message boxes instead of showing them (tests): called
  // with the text and whether Yes/No is asked; the result is the answer to a
  // Yes/No question.
  std::function<bool(const std::string& text, bool yesNo)> messageHook;
  // Told when the program is asked to end (tests); the event loop is ended as well.
  std::function<void()> quitHook;

  std::string Text(Control control) override;
  void SetText(Control control, const std::string& text) override;
  int Value(Control control) override;
  void SetValue(Control control, int value) override;
  void MsgBox(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void ShowReference(const ReferenceText& reference) override;
  void DoEvents() override;
  void LoadWindow(Window which) override;
  bool IsLoaded(Window which) override;
  void ShowWindow(Window which) override;
  void HideWindow(Window which) override;
  void UnloadWindow(Window which) override;
  Status StartProgram(const std::vector<std::string>& argv) override;
  Status OpenWithDefaultApplication(const std::string& path) override;
  void Quit() override;

 private:
  // The window a message box belongs to: the active one, else a visible one.
  QWidget* MessageParent() const;
  // A modal box with the program's title; true when Yes was pressed.
  bool ShowMessage(const std::string& text, bool yesNo);

  Form1* form_ = nullptr;
  std::array<QPointer<QWidget>, 3> windows_;
};

}  // namespace velmora

#endif  // VELMORA_QT_QT_PLATFORM_H_
