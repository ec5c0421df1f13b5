// velmora: the windowed program. The program folder is the folder that holds
// the executable; the data files lie beside it.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/form1.h"
#include "qt/qt_platform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  // The program ends only through "Ex&it" (or closing the main window), never
  // because the main window is hidden behind the viewer.
  QApplication::setQuitOnLastWindowClosed(false);

  velmora::QtPlatform platform;
  // "Exit", closing the main window and a No to a caution end the process
  // here, at once: the open files are already closed or abandoned.
  platform.endHook = [] {
    std::fflush(nullptr);
    std::_Exit(0);
  };
  velmora::Form1 form(platform, QCoreApplication::applicationDirPath().toStdString());
  platform.Attach(form);  // the main window, centred
  platform.ShowWindow(velmora::Window::Form1);
  form.Form_Load();
  return QApplication::exec();
}
