// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder: where the window and velmora-batch read the dictionary,
// the classes and the settings, and write their results.
//
// A copy that may write beside itself (a build tree, an unpacked copy) keeps
// using the folder that holds its executable. An installed copy, whose folder
// only the system may write, uses the user's own folder instead,
// $XDG_DATA_HOME/velmora (~/.local/share/velmora when XDG_DATA_HOME is unset),
// filled from the installed data: the first start copies everything, a later
// start copies only what is missing there, and nothing the user changed is
// ever overwritten.
#ifndef VELMORA_PLATFORM_PROGRAM_FOLDER_H_
#define VELMORA_PLATFORM_PROGRAM_FOLDER_H_

#include <string>
#include <vector>

#include "platform/status.h"

namespace velmora {

// What the choice depends on besides the executable's folder, so that it can
// be made for any environment.
struct FolderEnvironment {
  std::string xdgDataHome;  // $XDG_DATA_HOME; ignored unless an absolute path
  std::string home;         // $HOME
};
// The environment of this process.
FolderEnvironment ProcessEnvironment();

// The folder of the installed data set for an executable in
// `executableFolder`: PREFIX/share/velmora beside PREFIX/bin when it holds
// in.txt, else the folder this program was built to be installed into (which
// may not exist). Never empty.
std::string InstalledDataFolder(const std::string& executableFolder);

// The user's own folder for this environment, or "" when neither an absolute
// XDG_DATA_HOME nor HOME says where it is.
std::string UserFolder(const FolderEnvironment& environment);

struct ProgramFolderChoice {
  std::string folder;                // the program folder, without a trailing "/"; "" when there is none
  bool user = false;                 // the user's folder rather than the executable's
  std::vector<std::string> copied;   // names (relative to folder) copied from the data set now
  // The executable's folder, when a copy that is not installed may not write
  // there and uses the user's folder instead; "" otherwise.
  std::string readOnlyFolder;
  // Not ok when no folder could be made (status.path: the folder, or the
  // folder above it that must exist and does not) or filled (filling:
  // status.path is the file or folder that could not be copied or read).
  Status status;
  bool filling = false;
};

// Chooses the program folder. The executable's folder is kept when this user
// may write into it and it is not an installed copy (an executable folder
// without in.txt while `dataFolder` holds one). Otherwise the user's folder is
// made when missing and every data file that it lacks is copied into it from
// the executable's folder when that holds in.txt (a read-only unpacked copy),
// else from `dataFolder`: the text files other than the six results, and the
// two class folders. A file that is there already, changed or not, is left
// alone. Nothing is made above $XDG_DATA_HOME or $HOME/.local/share: a
// missing HOME (or folder above XDG_DATA_HOME) is a failure that names it.
// When no user's folder is named at all, `folder` is "" and status is not ok;
// on another failure `folder` is still the folder that was meant.
ProgramFolderChoice ChooseProgramFolder(const std::string& executableFolder, const std::string& dataFolder,
                                        const FolderEnvironment& environment);

}  // namespace velmora

#endif  // VELMORA_PLATFORM_PROGRAM_FOLDER_H_
