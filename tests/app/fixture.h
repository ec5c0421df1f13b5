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
#include "platform/recording_platform.h"
#include "support/temp_dir.h"

namespace velmora {

inline const char* kFixtureDictionary =
    "blind\tB L AY1 N D\tB L AY1 NCoda DCoda\t\t50\t1\r\n"
    "child\tCH AY1 L D\tCH AY1 LCoda DCoda\t\t40\t2\r\n"
    "pint\tP AY1 N T\tP AY1 NCoda TCoda\t\t30\t3\r\n"
    "tab\tT AE1 B\tT AE1 BCoda\t\t20\t4\r\n"
    "blackbird\tB L AE1 K B ER0 D\tB L AE1 KCoda B ER0 DCoda\tcompound: black+bird\t5\t5\r\n";

inline const char* kFixtureInventory =
    "[\r\n]\r\nB\r\nL\r\nAY1\r\nN\r\nD\r\nCH\r\nP\r\nT\r\nAE1\r\nK\r\nER0\r\n"
    "BCoda\r\nLCoda\r\nNCoda\r\nDCoda\r\nTCoda\r\nKCoda\r\n";

class AppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Write("in.txt", kFixtureDictionary);
    Write("AllSegments.txt", kFixtureInventory);
    Write("SegmentKey.txt", "AY1 as in bite\r\nAE1 as in bat\r\n");
    ::mkdir(dir.Path("NaturalClasses").c_str(), 0755);
    ::mkdir(dir.Path("SyllabifiedNaturalClasses").c_str(), 0755);
    Write("NaturalClasses/CONSONANT.txt", "B\r\nL\r\nN\r\nD\r\nCH\r\nP\r\nT\r\nK\r\n");
    Write("NaturalClasses/VOWEL.txt", "AY1\r\nAE1\r\nER0\r\n");
    Write("SyllabifiedNaturalClasses/CODA.txt", "BCoda\r\nLCoda\r\nNCoda\r\nDCoda\r\nTCoda\r\nKCoda\r\n");
    Write("SyllabifiedNaturalClasses/VOWEL.txt", "AY1\r\nAE1\r\nER0\r\n");
  }

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

  ScopedTempDir dir;
  RecordingPlatform platform;
  std::unique_ptr<Form1> form;
};

}  // namespace velmora

#endif  // VELMORA_TESTS_APP_FIXTURE_H_
