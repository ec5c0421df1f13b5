// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStringList>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#include "app/form1.h"
#include "qt/help_window_qt.h"
#include "qt/main_window.h"
#include "qt/reference_dialog.h"
#include "qt/viewer_window.h"
#include "qt/widgets.h"

namespace velmora {

namespace {

struct ControlPlace {
  Window window;
  const char* objectName;
};

// Where each control lives, in the order of the Control enum.
constexpr ControlPlace kPlaces[kControlCount] = {
    {Window::Form1, "Text1"},
    {Window::Form1, "Text2"},
    {Window::Form1, "Text3"},
    {Window::Form1, "Text4"},
    {Window::Form1, "Text5"},
    {Window::Form1, "chkIgnore1"},
    {Window::Form1, "chkIgnore2"},
    {Window::Form1, "chkIgnore3"},
    {Window::Form1, "chkIgnore4"},
    {Window::Form1, "chkIgnore5"},
    {Window::Form1, "txtOrthography"},
    {Window::Form1, "txtExampleLength"},
    {Window::Form1, "txtInputFileName"},
    {Window::Form1, "chkSyllabified"},
    {Window::Form1, "chkVowels"},
    {Window::Form1, "chkExclude"},
    {Window::Form1, "cmdSearchTranscriptions"},
    {Window::Form1, "cmdSearchOrthography"},
    {Window::Form1, "lblListOfNaturalClasses"},
    {Window::frmDisplayOptions, "txtSpreadsheetLocation"},
    {Window::frmDisplayOptions, "txtWordProcessorLocation"},
    {Window::frmHelp, "Label1"},
};

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtPlatform::~QtPlatform() {
  for (QPointer<QWidget>& window : windows_) delete window.data();
}

void QtPlatform::Attach(Form1& form) {
  form_ = &form;
  auto* main = new MainWindow(form);
  windows_[static_cast<int>(Window::Form1)] = main;
  Centre(main);
}

QWidget* QtPlatform::widget(Control control) const {
  const ControlPlace& place = kPlaces[static_cast<int>(control)];
  QWidget* owner = window(place.window);
  if (owner == nullptr) return nullptr;
  return owner->findChild<QWidget*>(QString::fromLatin1(place.objectName));
}

void QtPlatform::Centre(QWidget* window) {
  window->adjustSize();
  QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const int left = area.x() + (area.width() - window->width()) / 2;
  const int top = area.y() + (area.height() - window->height()) / 2;
  window->move(left, top);
}

std::string QtPlatform::Text(Control control) {
  QWidget* w = widget(control);
  if (auto* box = qobject_cast<QLineEdit*>(w)) return box->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(w)) return LabelText(label);
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text().toStdString();
  return {};
}

void QtPlatform::SetText(Control control, const std::string& text) {
  QWidget* w = widget(control);
  if (auto* box = qobject_cast<QLineEdit*>(w)) {
    box->setText(FromUtf8(text));
    box->setCursorPosition(0);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    SetLabelText(label, text);
    FitText(label);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(FromUtf8(text));
    FitText(button);
  }
}

int QtPlatform::Value(Control control) {
  auto* box = qobject_cast<QCheckBox*>(widget(control));
  return box != nullptr && box->isChecked() ? 1 : 0;
}

void QtPlatform::SetValue(Control control, int value) {
  if (auto* box = qobject_cast<QCheckBox*>(widget(control))) box->setChecked(value != 0);
}

QWidget* QtPlatform::MessageParent() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (const QPointer<QWidget>& window : windows_) {
    if (window != nullptr && window->isVisible()) return window;
  }
  return nullptr;
}

bool QtPlatform::ShowMessage(const std::string& text, bool yesNo) {
  if (messageHook) return messageHook(text, yesNo);
  QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), WithLineBreaks(FromUtf8(text)),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, MessageParent());
  box.setTextFormat(Qt::PlainText);
  if (yesNo) box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtPlatform::MsgBox(const std::string& text) { ShowMessage(text, false); }

bool QtPlatform::AskYesNo(const std::string& text) { return ShowMessage(text, true); }

void QtPlatform::ShowReference(const ReferenceText& reference) {
  if (messageHook) {
    messageHook(PlainReference(reference), false);
    return;
  }
  ShowReferenceWindow(reference, MessageParent());
}

void QtPlatform::DoEvents() { QCoreApplication::processEvents(); }

void QtPlatform::LoadWindow(Window which) {
  if (IsLoaded(which) || form_ == nullptr) return;
  QWidget* created = nullptr;
  switch (which) {
    case Window::Form1:
      created = new MainWindow(*form_);
      break;
    case Window::frmDisplayOptions:
      created = new ViewerWindow(form_->displayOptions);
      break;
    case Window::frmHelp:
      created = new HelpWindow(form_->help);
      break;
  }
  windows_[static_cast<int>(which)] = created;
  Centre(created);
}

bool QtPlatform::IsLoaded(Window which) { return window(which) != nullptr; }

void QtPlatform::ShowWindow(Window which) {
  QWidget* w = window(which);
  if (w == nullptr) return;
  w->show();
  w->raise();
  w->activateWindow();
}

void QtPlatform::HideWindow(Window which) {
  if (QWidget* w = window(which)) w->hide();
}

void QtPlatform::UnloadWindow(Window which) {
  QWidget* w = window(which);
  if (w == nullptr) return;
  // The window may be unloaded from one of its own event handlers: forget it
  // now, destroy it once the handler has returned.
  windows_[static_cast<int>(which)] = nullptr;
  w->hide();
  w->deleteLater();
}

Status QtPlatform::StartProgram(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return Status::Make(Status::kFailed, "no program is named");
  QProcess process;
  process.setProgram(FromUtf8(argv[0]));
  QStringList arguments;
  for (size_t i = 1; i < argv.size(); ++i) arguments << FromUtf8(argv[i]);
  process.setArguments(arguments);
  if (process.startDetached()) return Status::Ok();
  const std::string reason = process.errorString().toStdString();
  return Status::Make(Status::kFailed, reason.empty() ? "the program could not be started" : reason, argv[0]);
}

Status QtPlatform::OpenWithDefaultApplication(const std::string& path) {
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(FromUtf8(path)))) return Status::Ok();
  return Status::Make(Status::kFailed, "no application is set up to open this file", path);
}

void QtPlatform::Quit() {
  if (quitHook) quitHook();
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  QCoreApplication::exit(0);
}

}  // namespace velmora
