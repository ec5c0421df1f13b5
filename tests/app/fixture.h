// A program folder written by the test itself: a small dictionary, the
// inventory, the key and the class folders, with a Form1 on a recording
// platform started up in it.
#ifndef VELMORA_TESTS_APP_FIXTURE_H_
#define VELMORA_TESTS_APP_FIXTURE_H_

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>

#include "app/form1.h"
#include "support/recording_platform.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteFixtureFolder(dir.path())); }

  void Write(const std::string& name, std::string_view bytes) { ASSERT_TRUE(WriteFile(dir.Path(name), bytes)); }
  std::string Read(const std::string& name) { return ReadFile(dir.Path(name)); }

  // A Form1 started up in the folder.
  Form1& Start() {
    form = std::make_unique<Form1>(platform, dir.path());
    form->Form_Load();
    return *form;
  }
  void Boxes(std::initializer_list<const char*> items) {
    int b = 1;
    for (const char* item : items) platform.SetText(TextBox(b++), item);
    for (; b <= 5; ++b) platform.SetText(TextBox(b), "");
  }
  std::string Caption(Control c) { return platform.Text(c); }
  // Clicks the transcription search: true unless the validation refused the boxes.
  bool Validates() {
    form->cmdSearchTranscriptions_Click();
    return form->lastOutcome != Form1::Outcome::kRefused;
  }

  ScopedTempDir dir;
  RecordingPlatform platform;
  std::unique_ptr<Form1> form;
};

}  // namespace velmora

#endif  // VELMORA_TESTS_APP_FIXTURE_H_
