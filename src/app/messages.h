// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the front ends show or print: the messages made from a Status,
// a Caution or a Refusal, the captions of the search buttons, the about
// message. The window shows them in message boxes; velmora-batch prints the
// same texts on stderr.
#ifndef VELMORA_APP_MESSAGES_H_
#define VELMORA_APP_MESSAGES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "lexicon/lexicon.h"
#include "platform/platform.h"
#include "platform/program_folder.h"
#include "platform/status.h"
#include "search/query.h"
#include "ui/maintainer.h"

namespace velmora {

// Shown when a result file is held by another program; the step that failed is
// tried again once the user clicks OK.
inline constexpr const char* kFileInUseMessage =
    "It looks like you have one of the output files already open in some other program. Please close this "
    "application, then click Ok to continue.";
inline constexpr const char* kNoExamplesMessage = "No examples were found.";

// Captions of the search buttons.
inline constexpr const char* kSearchTranscriptionsCaption = "Search transcriptions";
inline constexpr const char* kSearchOrthographyCaption = "Search orthography";
inline constexpr const char* kPreparingCaption = "Preparing search ...";
inline constexpr const char* kReclickCaption = "You can re-click here for another search.";
inline constexpr const char* kDoneCaption = "Done!  You can re-click here for another search.";
std::string ProgressCaption(int32_t done, int32_t total);

// The dictionary could not be read.
std::string InputFileMessage(const Status& status);
// AllSegments.txt could not be read.
std::string InventoryMessage(const Status& status);
// SegmentKey.txt, a class folder or a class file could not be read: the error
// number and the description, which names the file.
std::string ErrorText(const Status& status);
// A result file could not be written.
std::string GeneralFileErrorMessage(const Status& status);
// UserSettings.txt could not be written.
std::string SettingsNotSavedMessage(const Status& status);
// A Yes/No question about a segment found while dividing.
std::string CautionMessage(const Caution& caution);
// The boxes the validation refused.
std::string RefusalMessage(const Refusal& refusal);

// A name that chooses no data set (choice.status: kMalformed); `bundled`:
// the names of the bundled sets; `saved`: the name came from
// UserSettings.txt rather than from the user just now.
std::string UnknownDataSetMessage(const DataSetChoice& choice, const std::vector<std::string>& bundled, bool saved);
// A bundled data set could not be copied into the program folder.
std::string DataSetNotCopiedMessage(const std::string& name, const DataSetChoice& choice);

std::string AboutMessage();

// The tooltip of Box box (1..5): the items it takes.
std::string ItemBoxToolTip(int box);
// The search language with examples (the menu entry "Search language").
ReferenceText SearchLanguageReference();
// What each column of Statistics.txt and each list means.
ReferenceText StatisticsReference();
// A filter value of the Filters dialog that is not of its form.
std::string FilterValueMessage(const std::string& filter, const std::string& value);
// The saved filters of UserSettings.txt that could not be read (kMalformed:
// the line and the label of each as the detail), in one message; the
// searches run without them. REQUIRES: !filters.empty().
std::string UnreadableFiltersMessage(const std::vector<Status>& filters);

// The program folder: which one is in use and why (for --help), why none
// could be made or filled, and the notice that a copy that may not write
// beside itself uses the user's folder instead.
std::string ProgramFolderLine(const ProgramFolderChoice& choice);
std::string ProgramFolderMessage(const ProgramFolderChoice& choice);
std::string ProgramFolderFallbackMessage(const ProgramFolderChoice& choice);

// velmora-batch: a usage error (kMalformed; with a line, in the queries
// file), a queries file that cannot be read, a query's folder that cannot be
// made.
std::string UsageErrorMessage(const Status& status);
std::string QueriesFileMessage(const Status& status);
std::string FolderNotMadeMessage(const Status& status);

}  // namespace velmora

#endif  // VELMORA_APP_MESSAGES_H_
