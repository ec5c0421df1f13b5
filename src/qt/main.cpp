// SPDX-License-Identifier: GPL-3.0-or-later
// velmora: the windowed program. The program folder is the folder that holds
// the executable when it may be written there (a build tree, an unpacked
// copy), and the user's own folder for an installed copy; the data files lie
// in it and the results are written into it.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/form1.h"
#include "app/messages.h"
#include "platform/program_folder.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"
#include "qt/widgets.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Velmora"));
  QApplication::setDesktopFileName(QStringLiteral("io.github.velmora.Velmora"));
  // The program ends only through "Ex&it" (or closing the main window), never
  // because the main window is hidden behind the viewer.
  QApplication::setQuitOnLastWindowClosed(false);

  const std::string executable = QCoreApplication::applicationDirPath().toStdString();
  const velmora::ProgramFolderChoice folder = velmora::ChooseProgramFolder(
      executable, velmora::InstalledDataFolder(executable), velmora::ProcessEnvironment());
  if (!folder.status.ok()) {
    QMessageBox::critical(nullptr, QString::fromLatin1(velmora::kApplicationTitle),
                          QString::fromStdString(velmora::ProgramFolderMessage(folder)));
    return 1;
  }
  if (!folder.readOnlyFolder.empty()) {
    std::fprintf(stderr, "velmora: %s\n", velmora::ProgramFolderFallbackMessage(folder).c_str());
  }

  velmora::QtPlatform platform;
  velmora::Form1 form(platform, folder.folder);
  form.DataSource = folder.source;
  platform.Attach(form);  // the main window, centred
  velmora::NameProgramFolder(platform.window(velmora::Window::Form1), folder);
  platform.ShowWindow(velmora::Window::Form1);
  form.Form_Load();
  velmora::ShowDataSetInTitle(platform.window(velmora::Window::Form1), form);
  // "Exit", closing the main window and a No to a caution end the event
  // loop; the open files are closed or abandoned by then.
  const int status = QApplication::exec();
  std::fflush(nullptr);
  std::_Exit(status);
}
