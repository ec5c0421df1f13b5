// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/word_list.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/text.h"

namespace velmora {

WordList ReadWordList(std::string_view text, const Dictionary& dict, const std::vector<std::string>& inventory) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::unordered_set<std::string_view> symbols(inventory.begin() + (inventory.empty() ? 0 : 1),
                                                     inventory.end());
  WordList list;
  // Lines that name a spelling: (subject index, line), and the entries of
  // each spelling asked for, filled in one pass over the dictionary.
  std::vector<std::pair<size_t, int32_t>> spelled;
  std::unordered_map<std::string, std::vector<int32_t>> entriesOf;
  int32_t lineNumber = 0;
  ForEachLine(text, [&](std::string_view raw) {
    ++lineNumber;
    const std::string_view line = TrimView(raw);
    if (line.empty()) return;
    StatsSubject subject;
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      subject.spelling = Lower(line);
      subject.transcription = line;  // as written, for a report
      entriesOf.try_emplace(subject.spelling);
      spelled.emplace_back(list.subjects.size(), lineNumber);
      list.subjects.push_back(std::move(subject));
      return;
    }
    std::string_view transcription = line.substr(tab + 1);
    transcription = transcription.substr(0, transcription.find('\t'));
    for (std::string_view symbol : SplitSymbols(transcription)) {
      if (symbols.count(symbol) == 0) {
        list.problems.push_back({lineNumber, WordListProblem::kUnknownSymbol, std::string(symbol)});
        return;
      }
    }
    subject.spelling = line.substr(0, tab);
    subject.transcription = transcription;
    list.subjects.push_back(std::move(subject));
  });
  if (spelled.empty()) return list;
  for (int32_t e = 1; e <= dict.NumberOfWords; ++e) {
    auto it = entriesOf.find(Lower(dict.Spellings[static_cast<size_t>(e)]));
    if (it != entriesOf.end()) it->second.push_back(e);
  }
  // Each spelled line becomes one subject per entry of its spelling, in place.
  std::vector<StatsSubject> subjects;
  size_t next = 0;
  for (size_t k = 0; k < list.subjects.size(); ++k) {
    if (next == spelled.size() || spelled[next].first != k) {
      subjects.push_back(std::move(list.subjects[k]));
      continue;
    }
    const std::vector<int32_t>& entries = entriesOf[list.subjects[k].spelling];
    if (entries.empty()) {
      list.problems.push_back(
          {spelled[next].second, WordListProblem::kUnknownSpelling, list.subjects[k].transcription});
    }
    for (int32_t e : entries) {
      subjects.emplace_back();
      subjects.back().entry = e;
    }
    ++next;
  }
  list.subjects = std::move(subjects);
  std::stable_sort(list.problems.begin(), list.problems.end(),
                   [](const WordListProblem& a, const WordListProblem& b) { return a.line < b.line; });
  return list;
}

}  // namespace velmora
