// A whole program behind real Qt windows for the window tests: a temporary
// program folder with a tiny inventory, key and class folder, the Qt platform
// with message boxes answered by the test, and Form1 attached to it.
#ifndef VELMORA_TESTS_QT_QT_TEST_SUPPORT_H_
#define VELMORA_TESTS_QT_QT_TEST_SUPPORT_H_

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QMenuBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "qt/qt_platform.h"

namespace velmora::testing {

inline void WriteFile(const QString& path, const QByteArray& contents) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(path));
  file.write(contents);
}

struct QtSession {
  QTemporaryDir folder;
  std::vector<std::string> messages;   // every OK box and question, in order
  std::deque<bool> answers;            // answers to Yes/No; Yes when empty
  QtPlatform platform;
  std::unique_ptr<Form1> form;

  QtSession() {
    WriteFile(path("AllSegments.txt"), "[\r\n]\r\nAY1\r\nK\r\nT\r\n");
    WriteFile(path("SegmentKey.txt"), "AY1 as in bite\r\nK as in cat\r\n");
    QDir(folder.path()).mkdir(QStringLiteral("NaturalClasses"));
    WriteFile(path("NaturalClasses/CONSONANT.txt"), "K\r\nT\r\n");
    platform.messageHook = [this](const std::string& text, bool yesNo) {
      messages.push_back(text);
      if (!yesNo || answers.empty()) return true;
      const bool answer = answers.front();
      answers.pop_front();
      return answer;
    };
    platform.quitHook = [this] { quitRequested = true; };
    form = std::make_unique<Form1>(platform, folder.path().toStdString());
    platform.Attach(*form);
  }
  ~QtSession() {
    form.reset();
    // Windows unloaded during the test are destroyed by the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QtSession(const QtSession&) = delete;
  bool quitRequested = false;
  QtSession& operator=(const QtSession&) = delete;

  QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

  QWidget* window(Window which) const { return platform.window(which); }
  template <typename T = QWidget>
  T* child(Window which, const char* name) const {
    QWidget* w = window(which);
    return w == nullptr ? nullptr : w->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* action(Window which, const char* name) const {
    QWidget* w = window(which);
    return w == nullptr ? nullptr : w->findChild<QAction*>(QString::fromLatin1(name));
  }
  void click(Window which, const char* name) const {
    auto* button = child<QAbstractButton>(which, name);
    if (button == nullptr) qFatal("no button %s", name);
    button->click();
  }
  // Lets unloaded windows go.
  static void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

// The object names of the widgets that take the focus, in the order the Tab
// key visits them, starting at `first`.
inline QStringList TabOrder(QWidget* first) {
  QStringList names;
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() && !w->objectName().isEmpty()) {
      names << w->objectName();
    }
    w = w->nextInFocusChain();
  } while (w != first && names.size() < 100);
  return names;
}

}  // namespace velmora::testing

#endif  // VELMORA_TESTS_QT_QT_TEST_SUPPORT_H_
