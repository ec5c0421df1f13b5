#include "support/recording_platform.h"

namespace velmora {

RecordingPlatform::RecordingPlatform() { loaded.insert(Window::Form1); visible.insert(Window::Form1); }

std::string RecordingPlatform::Text(Control control) { return texts_[static_cast<int>(control)]; }

void RecordingPlatform::SetText(Control control, const std::string& text) {
  texts_[static_cast<int>(control)] = text;
  captions[static_cast<int>(control)].push_back(text);
}

int RecordingPlatform::Value(Control control) { return values_[static_cast<int>(control)]; }

void RecordingPlatform::SetValue(Control control, int value) { values_[static_cast<int>(control)] = value; }

void RecordingPlatform::MsgBox(const std::string& text) { messages.push_back(text); }

bool RecordingPlatform::AskYesNo(const std::string& text) {
  questions.push_back(text);
  if (answers.empty()) return true;
  bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingPlatform::DoEvents() {
  ++doEventsCount;
  for (auto* fn : onDoEvents) fn(*this);
}

void RecordingPlatform::LoadWindow(Window window) { loaded.insert(window); }
bool RecordingPlatform::IsLoaded(Window window) { return loaded.count(window) != 0; }
void RecordingPlatform::ShowWindow(Window window) { visible.insert(window); }
void RecordingPlatform::HideWindow(Window window) { visible.erase(window); }

void RecordingPlatform::UnloadWindow(Window window) {
  loaded.erase(window);
  visible.erase(window);
  if (window == Window::frmDisplayOptions) {
    texts_[static_cast<int>(Control::frmDisplayOptions_txtSpreadsheetLocation)].clear();
    texts_[static_cast<int>(Control::frmDisplayOptions_txtWordProcessorLocation)].clear();
  } else if (window == Window::frmHelp) {
    texts_[static_cast<int>(Control::frmHelp_Label1)].clear();
  }
}

bool RecordingPlatform::StartProgram(const std::vector<std::string>& argv, std::string* reason) {
  startedPrograms.push_back(argv);
  if (startFails) {
    *reason = "No such file or directory";
    return false;
  }
  return true;
}

bool RecordingPlatform::OpenWithDefaultApplication(const std::string& path, std::string* reason) {
  openedWithDefault.push_back(path);
  if (startFails) {
    *reason = "No application is set for this file";
    return false;
  }
  return true;
}


}  // namespace velmora
