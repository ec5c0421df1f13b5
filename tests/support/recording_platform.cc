// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recording_platform.h"

namespace velmora {

void RecordingPlatform::SetText(Control c, const std::string& text) {
  texts_[static_cast<int>(c)] = text;
  captions[static_cast<int>(c)].push_back(text);
}

bool RecordingPlatform::AskYesNo(const std::string& text) {
  questions.push_back(text);
  if (answers.empty()) return true;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingPlatform::DoEvents() {
  ++doEventsCount;
  for (auto* fn : onDoEvents) fn(*this);
}

void RecordingPlatform::UnloadWindow(Window w) {
  loaded.erase(w);
  visible.erase(w);
  const bool viewer = w == Window::frmDisplayOptions, help = w == Window::frmHelp;
  if (viewer) texts_[static_cast<int>(Control::frmDisplayOptions_txtSpreadsheetLocation)].clear();
  if (viewer) texts_[static_cast<int>(Control::frmDisplayOptions_txtWordProcessorLocation)].clear();
  if (help) texts_[static_cast<int>(Control::frmHelp_Label1)].clear();
}

Status RecordingPlatform::StartProgram(const std::vector<std::string>& argv) {
  startedPrograms.push_back(argv);
  return startFails ? Status::Make(Status::kNotFound, "No such file or directory") : Status::Ok();
}

Status RecordingPlatform::OpenWithDefaultApplication(const std::string& path) {
  openedWithDefault.push_back(path);
  return startFails ? Status::Make(Status::kFailed, "No application is set for this file") : Status::Ok();
}

}  // namespace velmora
