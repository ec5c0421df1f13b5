// SPDX-License-Identifier: GPL-3.0-or-later
// Every failure velmora-syllabify reports, worded from the Status of the step
// that failed: the step decides the words, so each kind of step has its own
// function. Usage errors are worded with the usage, in main.cc.
#ifndef VELMORA_SYLLABIFY_MESSAGES_H_
#define VELMORA_SYLLABIFY_MESSAGES_H_

#include <string>

#include "platform/status.h"
#include "syllabify/english_build.h"

namespace velmora::syllabify {

// A file, or standard input ("-"), could not be read.
std::string ReadMessage(const Status& status);
// A file could not be opened for writing.
std::string OpenForWritingMessage(const Status& status);
// A file, or standard output ("-"), could not be written once open.
std::string WriteMessage(const Status& status);
// A folder of the data set could not be made.
std::string FolderMessage(const Status& status);
// The vowel file at `path` lists no vowel.
std::string NoVowelMessage(const std::string& path);

// The two files of the English sources: a read failure, or a line not of
// the file's form (kMalformed, the line's text as detail).
enum class Source { kPronunciations, kCounts };
std::string SourceMessage(Source source, const Status& status);
// The English sources are unusable (see BuildEnglishDataSet).
std::string BuildMessage(const Status& status, const EnglishBuildResult& result,
                         const EnglishBuildOptions& options);

}  // namespace velmora::syllabify

#endif  // VELMORA_SYLLABIFY_MESSAGES_H_
