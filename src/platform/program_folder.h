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
//
// The English data set lies at the top of the program folder; every other
// bundled set is a subfolder of it that holds in.txt, named by its language
// code ("it", "en-ipa"). A set is copied into the user's folder only once it
// is chosen, in the same way.
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
  // The folder the data is copied from (the installed data, or a read-only
  // copy's own folder); "" when the program folder is the executable's.
  std::string source;
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

// The name of the English data set, the default.
inline constexpr const char* kEnglishDataSet = "en";

// The bundled data sets: "en" first, then the subfolders of `folder` or of
// `source` (the folder the data is copied from, or "") that hold in.txt,
// sorted by name.
std::vector<std::string> BundledDataSets(const std::string& folder, const std::string& source);

struct DataSetChoice {
  std::string folder;  // where the set's files are read; "" when there is none
  // What UserSettings.txt keeps: "" for English, a bundled set's name, or
  // the absolute path of a folder.
  std::string saved;
  std::vector<std::string> copied;  // names (relative to the program folder) copied now
  // kMalformed (detail: the name) when `name` names no data set; another
  // failure when the set could not be copied (path: what could not be).
  Status status;
};

// The data set `name` chooses for the program folder `folder`: "" or "en"
// the English one (the program folder itself); a bundled set's name; else a
// folder (relative to the working folder) that holds in.txt and
// AllSegments.txt. A bundled set that `source` holds is filled into
// folder/NAME first, as the English files are: only what is missing there.
DataSetChoice FindDataSet(const std::string& folder, const std::string& source, const std::string& name);

}  // namespace velmora

#endif  // VELMORA_PLATFORM_PROGRAM_FOLDER_H_
