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
  full_.Abandon();
  results_.Abandon();
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

Status ResultFiles::Finish(const std::string& display) {
  full_.WriteLine("zzz Search string was:  " + display);
  Status status = FileStep(PathOf("FullOutput.txt"), [&] { return full_.Close(); });
  if (status.ok()) status = FileStep(PathOf("ResultsOfSearchInInputFormat.txt"), [&] { return results_.Close(); });
  if (!status.ok() || NumberOfHits_ == 0) return status;

  // Opens, writes and closes one file, each step retried or reported on its own.
  auto writeFile = [&](const char* name, auto&& write) {
    const std::string path = PathOf(name);
    OutputFile file;
    Status s = FileStep(path, [&] { return file.Open(path); });
    if (!s.ok()) return s;
    write(file);
    return FileStep(path, [&] { return file.Close(); });
  };
  status = writeFile("SmallOutput.txt", [&](OutputFile& file) {
    file.WriteLine(display);
    file.WriteLine(std::string_view(HitWordList).substr(2));
  });
  if (!status.ok()) return status;
  status = writeFile("MediumOutput.txt", [&](OutputFile& file) { WriteMediumOutput(file, display, hitTable_); });
  if (!status.ok()) return status;

  // Hits.txt and Misses.txt are open at once.
  const std::string hitsPath = PathOf("Hits.txt");
  const std::string missesPath = PathOf("Misses.txt");
  OutputFile hits, misses;
  status = FileStep(hitsPath, [&] { return hits.Open(hitsPath); });
  if (status.ok()) status = FileStep(missesPath, [&] { return misses.Open(missesPath); });
  if (!status.ok()) return status;
  WriteHitFlags(hits, misses, hitFlags_);
  status = FileStep(hitsPath, [&] { return hits.Close(); });
  if (status.ok()) status = FileStep(missesPath, [&] { return misses.Close(); });
  return status;
}

}  // namespace velmora
