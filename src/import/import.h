// SPDX-License-Identifier: GPL-3.0-or-later
// One run of velmora-import: the input read in its form, the base feature
// tables and the inventory chosen, the data set built and its folder
// written whole or not at all.
#ifndef VELMORA_IMPORT_IMPORT_H_
#define VELMORA_IMPORT_IMPORT_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "import/data_set.h"
#include "import/readers.h"
#include "platform/status.h"

namespace velmora::import {

struct ImportOptions {
  std::string input;
  std::string dir;
  std::optional<Format> format;  // guessed from the input when absent
  std::string inventory;         // --inventory FILE
  std::string like;              // --like NAME
  std::string features;          // --features FILE
  std::string data_folder;       // the bundled data: IpaFeatures.txt, Features.txt, the sets
};

// Exit statuses.
constexpr int kExitDone = 0;
constexpr int kExitReported = 1;  // written, with lines or symbols reported
constexpr int kExitUsage = 2;
constexpr int kExitFile = 3;      // a file could not be read or written, or no line was usable

// Runs the import; what it did goes to `out`, what it reports to `err`, each
// line begun with "velmora-import: ".
int RunImport(const ImportOptions& options, std::ostream& out, std::ostream& err);

// Writes the files into `dir` together: every one of them takes its place, or
// (on failure) none does and the folders made for them are removed again.
// Class files of an earlier import that this one does not write go.
Status WriteDataSet(const std::string& dir, const std::vector<DataFile>& files);

}  // namespace velmora::import

#endif  // VELMORA_IMPORT_IMPORT_H_
