// SPDX-License-Identifier: GPL-3.0-or-later
#include "syllabify/messages.h"

namespace velmora::syllabify {

std::string ReadMessage(const Status& status) {
  if (status.path == "-") return "cannot read standard input";
  return "cannot open " + status.path + " for reading: " + status.reason;
}

std::string OpenForWritingMessage(const Status& status) {
  return "cannot open " + status.path + " for writing: " + status.reason;
}

std::string WriteMessage(const Status& status) {
  if (status.path == "-") return "cannot write to standard output";
  return "cannot write " + status.path;
}

std::string FolderMessage(const Status& status) {
  return "cannot create " + status.path + ": " + status.reason;
}

std::string NoVowelMessage(const std::string& path) { return path + " lists no vowel"; }

std::string SourceMessage(Source source, const Status& status) {
  if (status.kind != Status::kMalformed) return ReadMessage(status);
  const char* form = source == Source::kPronunciations ? "key TAB pronunciation" : "word TAB count";
  return status.path + ": expected " + form + ", got \"" + status.detail + "\"";
}

std::string BuildMessage(const Status& status, const EnglishBuildResult& result,
                         const EnglishBuildOptions& options) {
  if (status.kind == Status::kMalformed) {
    return "the pronunciation of \"" + result.failed_word + "\" has the unknown symbol " + status.detail;
  }
  return "only " + std::to_string(result.qualifying_words) + " words qualify, " +
         std::to_string(options.word_count) + " wanted";
}

}  // namespace velmora::syllabify
