// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/result_files.h"

#include <utility>

namespace velmora {

ResultFiles::ResultFiles(std::string folder, const Dictionary& dictionary, int32_t exampleLengthLimit,
                         InUsePolicy& policy)
    : folder_(std::move(folder)),
      dictionary_(dictionary),
      exampleLengthLimit_(exampleLengthLimit),
      policy_(policy),
      hitFlags_(static_cast<size_t>(dictionary.NumberOfWords) + 1, 0) {}

template <typename Step>
Status ResultFiles::FileStep(const std::string& path, Step&& step) {
  for (;;) {
    Status status = step();
    if (status.ok()) return status;
    if (status.path.empty()) status.path = path;
    if (status.kind == Status::kInUse && policy_.RetryInUse(status)) continue;
    return status;
  }
}

Status ResultFiles::Open() {
  const std::string fullPath = PathOf("FullOutput.txt");
  const std::string resultsPath = PathOf("ResultsOfSearchInInputFormat.txt");
  Status status = FileStep(fullPath, [&] { return full_.Open(fullPath); });
  if (status.ok()) status = FileStep(resultsPath, [&] { return results_.Open(resultsPath); });
  if (!status.ok()) return status;
  full_.WriteLine(kFullOutputHeader);
  return status;
}

void ResultFiles::Abandon() {
  for (OutputFile* file : {&full_, &results_, &small_, &medium_, &hits_, &misses_}) file->Abandon();
}

void ResultFiles::InstallANewEntry(int32_t n, const FocusText& focus) {
  const std::string_view spelling = dictionary_.Spellings[static_cast<size_t>(n)];
  int32_t row = focus.key() != 0 ? static_cast<int32_t>(rowOfKey_.Find(focus.key())) : 0;
  bool newRow = false;
  if (row == 0) {
    row = hitTable_.Find(focus.Text());
    if (row == 0) {
      row = hitTable_.AddRow(focus.Text(), spelling);
      newRow = true;
    }
    if (focus.key() != 0) rowOfKey_.Insert(focus.key(), static_cast<uint32_t>(row));
  }
  ++NumberOfHits_;
  hitRows_.Write(dictionary_, n, hitTable_.FocusStrings[static_cast<size_t>(row)], full_, results_);
  HitWordList += ", ";
  HitWordList += spelling;
  if (!newRow) hitTable_.AddToRow(row, spelling, exampleLengthLimit_);
}

void ResultFiles::EntryDone(int32_t n, bool found) { hitFlags_[static_cast<size_t>(n)] = found ? 1 : 0; }

template <typename Fill>
Status ResultFiles::WriteFile(OutputFile& file, const char* name, Fill&& write) {
  const std::string path = PathOf(name);
  Status status = FileStep(path, [&] { return file.Open(path); });
  if (status.ok()) {
    write(file);
    status = file.Flush();
  }
  return status;
}

Status ResultFiles::Finish(const std::string& display) {
  full_.WriteLine("zzz Search string was:  " + display);
  Status status = full_.Flush();
  if (status.ok()) status = results_.Flush();
  if (status.ok() && NumberOfHits_ > 0) {
    status = WriteFile(small_, "SmallOutput.txt", [&](OutputFile& file) {
      file.WriteLine(display);
      file.WriteLine(std::string_view(HitWordList).substr(2));
    });
    if (status.ok()) {
      status = WriteFile(medium_, "MediumOutput.txt",
                         [&](OutputFile& file) { WriteMediumOutput(file, display, hitTable_); });
    }
    // Hits.txt and Misses.txt are written at once.
    if (status.ok()) status = WriteFile(hits_, "Hits.txt", [](OutputFile&) {});
    if (status.ok()) status = WriteFile(misses_, "Misses.txt", [](OutputFile&) {});
    if (status.ok()) WriteHitFlags(hits_, misses_, hitFlags_);
  }
  // Every file is whole: they take the earlier files' places together.
  if (status.ok()) status = PutInPlace({&full_, &results_, &small_, &medium_, &hits_, &misses_});
  if (!status.ok()) Abandon();
  return status;
}

}  // namespace velmora
