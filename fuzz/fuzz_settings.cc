// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader on a fuzzed UserSettings.txt. Whatever the file held,
// saving what was read and reading it again must give the same controls with
// nothing to report, and saving once more must write the same bytes. The same
// file with each lone CR written as CR LF must read the same.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "fuzz_support.h"
#include "support/recording_platform.h"

namespace velmora::fuzz {
namespace {

const ProgramFolder& Folder() {
  static const ProgramFolder& folder = [] () -> const ProgramFolder& {
    const ProgramFolder& f = ProgramFolder::Get();
    f.Write("AllSegments.txt", "[\r\n]\r\n");
    f.Write("SegmentKey.txt", "");
    return f;
  }();
  return folder;
}

// Everything the settings can change.
struct Snapshot {
  std::array<std::string, kControlCount> texts;
  std::array<int, kControlCount> values{};
  std::string spreadsheet, wordProcessor;
  int32_t exampleLength = 0;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(Form1& form) {
  Snapshot s;
  for (int c = 0; c < kControlCount; ++c) {
    const Control control = static_cast<Control>(c);
    if (control == Control::lblListOfNaturalClasses) continue;  // not a setting
    s.texts[c] = form.platform().Text(control);
    s.values[c] = form.platform().Value(control);
  }
  s.spreadsheet = form.mSpreadsheetLocation;
  s.wordProcessor = form.mWordProcessorLocation;
  s.exampleLength = form.ExampleLengthLimit;
  return s;
}

// A fresh start-up in the folder, reading the settings file there. A damaged
// file may be reported (a saved filter that cannot be read); saving is quiet.
Snapshot StartUp(RecordingPlatform& platform) {
  Form1 form(platform, Folder().path());
  form.Form_Load();
  FUZZ_CHECK(form.ExampleLengthLimit >= 0);
  Snapshot s = Take(form);
  const size_t reported = platform.messages.size();
  form.SaveSettings();
  FUZZ_CHECK(platform.messages.size() == reported);
  return s;
}

}  // namespace
}  // namespace velmora::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace velmora;
  using namespace velmora::fuzz;
  const ProgramFolder& folder = Folder();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  folder.Write("UserSettings.txt", WithCrLfLineEnds(input));
  RecordingPlatform cr;
  const Snapshot readWithCr = StartUp(cr);

  folder.Write("UserSettings.txt", input);
  RecordingPlatform first;
  const Snapshot read = StartUp(first);
  FUZZ_CHECK(read == readWithCr);
  FUZZ_CHECK(first.messages == cr.messages);
  const std::string saved = folder.Read("UserSettings.txt");
  // The five filters are saved, two lines each, only when one is set.
  FUZZ_CHECK(CountLines(saved) == 36 || CountLines(saved) == 46);

  RecordingPlatform second;
  const Snapshot reread = StartUp(second);
  FUZZ_CHECK(read == reread);
  FUZZ_CHECK(second.messages.empty());  // what was saved reads back whole
  FUZZ_CHECK(folder.Read("UserSettings.txt") == saved);
  return 0;
}
