// SPDX-License-Identifier: GPL-3.0-or-later
// A platform that holds the controls' values in plain arrays and records every
// message, question, caption and started program: the stand-in for the window
// in the tests of the window's models.
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
  RecordingPlatform() : loaded{Window::Form1}, visible{Window::Form1} {}

  std::string Text(Control c) override { return texts_[static_cast<int>(c)]; }
  void SetText(Control c, const std::string& text) override;
  int Value(Control c) override { return values_[static_cast<int>(c)]; }
  void SetValue(Control c, int value) override { values_[static_cast<int>(c)] = value; }
  void MsgBox(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override;
  void DoEvents() override;
  void LoadWindow(Window w) override { loaded.insert(w); }
  bool IsLoaded(Window w) override { return loaded.count(w) != 0; }
  void ShowWindow(Window w) override { visible.insert(w); }
  void HideWindow(Window w) override { visible.erase(w); }
  void UnloadWindow(Window w) override;  // and clears its text boxes
  Status StartProgram(const std::vector<std::string>& argv) override;
  Status OpenWithDefaultApplication(const std::string& path) override;
  void Quit() override { quitRequested = true; }

  std::vector<std::string> messages;                 // OK message boxes
  std::vector<std::string> questions;                // Yes/No questions asked
  std::deque<bool> answers;                          // answers to give; Yes when empty
  std::vector<std::string> captions[kControlCount];  // every text set, per control
  int doEventsCount = 0;
  std::vector<std::vector<std::string>> startedPrograms;
  std::vector<std::string> openedWithDefault;
  std::set<Window> loaded, visible;
  bool quitRequested = false;
  bool startFails = false;  // StartProgram and OpenWithDefaultApplication fail
  // Called on every DoEvents (a test can click a box in the middle of a search).
  std::vector<void (*)(RecordingPlatform&)> onDoEvents;

 private:
  std::array<std::string, kControlCount> texts_;
  std::array<int, kControlCount> values_{};
};

}  // namespace velmora

#endif  // VELMORA_TESTS_SUPPORT_RECORDING_PLATFORM_H_
