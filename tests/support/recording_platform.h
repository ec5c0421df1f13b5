// A platform that holds the controls' values in plain arrays and records every
// message, question and caption: the stand-in for the window in the tests of
// the window's models.
#ifndef VELMORA_TESTS_SUPPORT_RECORDING_PLATFORM_H_
#define VELMORA_TESTS_SUPPORT_RECORDING_PLATFORM_H_

#include <array>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmora {

class RecordingPlatform : public Platform {
 public:
  RecordingPlatform();

  std::string Text(Control control) override;
  void SetText(Control control, const std::string& text) override;
  int Value(Control control) override;
  void SetValue(Control control, int value) override;
  void MsgBox(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void DoEvents() override;
  void LoadWindow(Window window) override;
  bool IsLoaded(Window window) override;
  void ShowWindow(Window window) override;
  void HideWindow(Window window) override;
  void UnloadWindow(Window window) override;
  bool StartProgram(const std::vector<std::string>& argv, std::string* reason) override;
  bool OpenWithDefaultApplication(const std::string& path, std::string* reason) override;
  void Quit() override { quitRequested = true; }

  // What happened, in order.
  std::vector<std::string> messages;             // OK message boxes
  std::vector<std::string> questions;            // Yes/No questions asked
  std::deque<bool> answers;                      // answers to give; Yes when empty
  std::vector<std::string> captions[kControlCount];  // every text set, per control
  int doEventsCount = 0;
  std::vector<std::vector<std::string>> startedPrograms;
  std::vector<std::string> openedWithDefault;
  std::set<Window> loaded;
  std::set<Window> visible;
  bool quitRequested = false;                    // Quit was asked for
  bool startFails = false;                       // StartProgram reports failure
  // Called on every DoEvents (a test can click a box in the middle of a search).
  std::vector<void (*)(RecordingPlatform&)> onDoEvents;

 private:
  std::array<std::string, kControlCount> texts_;
  std::array<int, kControlCount> values_{};
};

}  // namespace velmora

#endif  // VELMORA_TESTS_SUPPORT_RECORDING_PLATFORM_H_
