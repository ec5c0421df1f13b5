// The user settings file UserSettings.txt in the program folder: 18 pairs of a
// label line and a value line, which keep the boxes, the options, the
// example-length limit and the two program locations from one run to the next.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "lexicon/text.h"
#include "platform/files.h"

namespace velmora {

namespace {

constexpr const char* kSettingsFileName = "UserSettings.txt";

// The pairs of the file, in the order they are written.
enum Setting {
  kInputFileName,
  kBox1, kBox2, kBox3, kBox4, kBox5,
  kIgnore1, kIgnore2, kIgnore3, kIgnore4, kIgnore5,
  kOrthography,
  kSyllabified,
  kSpreadsheetLocation,
  kWordProcessorLocation,
  kExclude,
  kExampleLength,
  kVowels,
  kSettingCount
};

constexpr std::array<const char*, kSettingCount> kLabels = {
    "Input file name:",
    "Box 1",
    "Box 2",
    "Box 3",
    "Box 4",
    "Box 5",
    "Ignore Box 1 in sorting",
    "Ignore Box 2 in sorting",
    "Ignore Box 3 in sorting",
    "Ignore Box 4 in sorting",
    "Ignore Box 5 in sorting",
    "Orthography search box",
    "Search syllabified data",
    "Location (full path) of your spreadsheet program:",
    "Location (full path) of your word processor or text editor:",
    "Exclude from counts all forms marked with annotations in the dictionary",
    "Example lists in Medium output files should be no longer than this number (in characters)",
    "Search vowels only",
};

// The setting whose label the line is, exactly (no trimming, case counts);
// kSettingCount when it is none.
int LabelOf(std::string_view line) {
  for (int i = 0; i < kSettingCount; ++i) {
    if (line == kLabels[i]) return i;
  }
  return kSettingCount;
}

// "yes" checks, anything else unchecks.
int CheckedWhenYes(std::string_view value) { return value == "yes" ? 1 : 0; }

void ApplySetting(Form1& form, int setting, std::string_view value) {
  Platform& platform = form.platform();
  switch (setting) {
    case kInputFileName:
      platform.SetText(Control::txtInputFileName, Trim(value));
      break;
    case kBox1: case kBox2: case kBox3: case kBox4: case kBox5:
      platform.SetText(TextBox(setting - kBox1 + 1), Trim(value));
      break;
    case kIgnore1: case kIgnore2: case kIgnore3: case kIgnore4: case kIgnore5:
      platform.SetValue(IgnoreBox(setting - kIgnore1 + 1), CheckedWhenYes(Trim(value)));
      break;
    case kOrthography:
      platform.SetText(Control::txtOrthography, Trim(value));
      break;
    case kSyllabified: {
      // Lowered but not trimmed; a value that is neither leaves the box alone.
      const std::string lowered = Lower(value);
      if (lowered == "yes") {
        platform.SetValue(Control::chkSyllabified, 1);
      } else if (lowered == "no") {
        platform.SetValue(Control::chkSyllabified, 0);
      }
      break;
    }
    case kSpreadsheetLocation:
      form.mSpreadsheetLocation = Trim(value);
      break;
    case kWordProcessorLocation:
      form.mWordProcessorLocation = Trim(value);
      break;
    case kExclude:
      platform.SetValue(Control::chkExclude, CheckedWhenYes(Trim(value)));
      break;
    case kExampleLength:
      form.ExampleLengthLimit = std::max<int32_t>(0, NumericValue(Trim(value)));
      platform.SetText(Control::txtExampleLength, std::to_string(form.ExampleLengthLimit));
      break;
    case kVowels:
      // Exactly as read: no trimming, case counts.
      platform.SetValue(Control::chkVowels, CheckedWhenYes(value));
      break;
    default:
      break;
  }
}

std::string YesNo(bool checked) { return checked ? "yes" : "no"; }

std::string SettingValue(Form1& form, int setting) {
  Platform& platform = form.platform();
  switch (setting) {
    case kInputFileName:
      return Trim(platform.Text(Control::txtInputFileName));
    case kBox1: case kBox2: case kBox3: case kBox4: case kBox5:
      return platform.Text(TextBox(setting - kBox1 + 1));
    case kIgnore1: case kIgnore2: case kIgnore3: case kIgnore4: case kIgnore5:
      // The small boxes count as checked whenever their value is not 0.
      return YesNo(platform.Value(IgnoreBox(setting - kIgnore1 + 1)) != 0);
    case kOrthography:
      return platform.Text(Control::txtOrthography);
    case kSyllabified:
      return YesNo(platform.Value(Control::chkSyllabified) == 1);
    case kSpreadsheetLocation:
      return Trim(form.mSpreadsheetLocation);
    case kWordProcessorLocation:
      return Trim(form.mWordProcessorLocation);
    case kExclude:
      return YesNo(platform.Value(Control::chkExclude) == 1);
    case kExampleLength:
      return std::to_string(form.ExampleLengthLimit);
    case kVowels:
      return YesNo(platform.Value(Control::chkVowels) == 1);
    default:
      return std::string();
  }
}

}  // namespace

void Form1::ReadSettings() {
  std::string contents;
  std::string reason;
  // Without a readable file the controls keep their initial values.
  if (!ReadWholeFile(ProgramFolder + "/" + kSettingsFileName, &contents, &reason)) return;

  // A line that is a label makes the next line its value, whatever that line
  // reads like; other lines are skipped one at a time. A label on the last
  // line has no value and changes nothing.
  int pending = kSettingCount;
  ForEachLine(contents, [&](std::string_view line) {
    if (pending != kSettingCount) {
      ApplySetting(*this, pending, line);
      pending = kSettingCount;
    } else {
      pending = LabelOf(line);
    }
  });
}

void Form1::SaveSettings() {
  const std::string path = ProgramFolder + "/" + kSettingsFileName;
  OutputFile file;
  FileStatus status = file.Open(path);
  if (status.ok()) {
    for (int setting = 0; setting < kSettingCount; ++setting) {
      file.WriteLine(kLabels[setting]);
      file.WriteLine(SettingValue(*this, setting));
    }
    status = file.Close();
  }
  // Not being able to save is no reason to stop what the user asked for.
  if (!status.ok()) {
    platform().MsgBox("The settings could not be saved to " + path + ": " + status.reason + ".");
  }
}

}  // namespace velmora
