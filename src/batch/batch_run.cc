#include "batch/batch_run.h"

#include "batch/terminal_platform.h"

namespace velmora {

namespace {

// Form1::Form_Load with the options put into the controls between the
// settings and the classes: the initial texts, UserSettings.txt, the options,
// then the inventory and the label, so that the classes loaded are those of
// the folder the syllabified box selects after the options. With --limit the
// label is posted by the reset button's own procedure, which also takes the
// limit over from the example-length box; the label is posted once either way.
void StartUp(Form1& form, Platform& platform, const BatchOptions& options) {
  platform.SetText(Control::cmdSearchTranscriptions, "Search transcriptions");
  platform.SetText(Control::cmdSearchOrthography, "Search orthography");
  platform.SetText(Control::txtInputFileName, "in.txt");
  platform.SetText(Control::txtExampleLength, "100");
  form.ReadSettings();

  if (!options.items.empty()) {
    for (int b = 1; b <= kMaxItems; ++b) {
      const size_t i = static_cast<size_t>(b - 1);
      platform.SetText(TextBox(b), i < options.items.size() ? options.items[i] : std::string());
    }
  }
  if (options.input) platform.SetText(Control::txtInputFileName, *options.input);
  if (options.syllabified) platform.SetValue(Control::chkSyllabified, *options.syllabified ? 1 : 0);
  if (options.vowels) platform.SetValue(Control::chkVowels, *options.vowels ? 1 : 0);
  if (options.exclude) platform.SetValue(Control::chkExclude, *options.exclude ? 1 : 0);
  if (!options.ignore.empty()) {
    for (int b = 1; b <= kMaxItems; ++b) platform.SetValue(IgnoreBox(b), 0);
    for (int b : options.ignore) platform.SetValue(IgnoreBox(b), 1);
  }
  if (options.limit) platform.SetText(Control::txtExampleLength, *options.limit);
  if (options.orthography) platform.SetText(Control::txtOrthography, *options.orthography);

  form.ReadPhonemeInventory();
  if (options.limit) {
    form.cmdRereadClasses_Click();
  } else {
    form.PostTheUserLabel();
  }
}

std::string Hits(int32_t n) { return n == 1 ? "1 hit" : n == 0 ? "no hits" : std::to_string(n) + " hits"; }

}  // namespace

int ExitStatusOf(Form1::Outcome outcome) {
  switch (outcome) {
    case Form1::Outcome::kHits:
      return kExitHits;
    case Form1::Outcome::kNoHits:
      return kExitNoHits;
    case Form1::Outcome::kRefused:
      return kExitRefused;
    case Form1::Outcome::kFailed:
    case Form1::Outcome::kNone:
      break;
  }
  return kExitFailed;
}

int RunBatch(const BatchOptions& options, const std::string& programFolder, std::ostream& out,
             std::ostream& messages, void (*done)(int status)) {
  TerminalPlatform platform(messages, options.answerYes);
  Form1 form(platform, programFolder);
  const bool orthography = options.orthography.has_value();
  const Control button = orthography ? Control::cmdSearchOrthography : Control::cmdSearchTranscriptions;
  int status = kExitFailed;
  try {
    StartUp(form, platform, options);
    if (orthography) {
      form.cmdSearchOrthography_Click();
    } else {
      form.cmdSearchTranscriptions_Click();
    }
    status = ExitStatusOf(form.lastOutcome);
  } catch (const ProgramEnded&) {
    // A caution answered No, or a result file held by another program.
    form.CloseAllFiles();
  }
  if (status == kExitHits || status == kExitNoHits) {
    const std::string target = orthography ? "\"" + *options.orthography + "\"" : form.SearchStringDisplay();
    out << "Searched " << form.dictionary.NumberOfWords << (orthography ? " spellings of " : " entries of ")
        << platform.Text(Control::txtInputFileName) << " for " << target << ": " << Hits(form.NumberOfHits)
        << ".\n";
  }
  out << platform.Text(button) << '\n';
  out.flush();
  messages.flush();
  if (done != nullptr) done(status);
  return status;
}

}  // namespace velmora
