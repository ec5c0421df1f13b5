// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/feature_table.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

constexpr char kTable[] = "Symbol\tsyllabic\tvoice\tsonorant\tround\r\nAY1\t+\t+\t+\t-\r\nB\t-\t+\t-\t0\r\n"
                          "P\t-\t-\t-\t0\r\nM\t-\t+\t+\t0\r\n";

// A bundle written as "+voice -sonorant".
std::vector<FeatureValue> Bundle(const FeatureTable& t, const std::string& text) {
  std::vector<FeatureValue> bundle;
  for (const std::string& v : SplitShellWords(text)) bundle.push_back({t.FeatureIndex(v.substr(1)), v[0] == '+'});
  return bundle;
}

// Contents read over a table read before: the names and each symbol's values
// ("voice sonorant; B+- M++"), or the damage as "line N what" (a failed read
// leaves the table empty).
std::string Read(std::string_view contents) {
  FeatureTable t;
  EXPECT_TRUE(ReadFeatureTable(kTable, "F.txt", &t).ok());
  const Status status = ReadFeatureTable(contents, "F.txt", &t);
  if (!status.ok()) {
    EXPECT_EQ(status.kind, Status::kMalformed);
    EXPECT_EQ(status.path, "F.txt");
    EXPECT_TRUE(t.NumberOfSymbols() == 0 && t.FeatureNames().empty() && t.FeatureIndex("voice") == -1);
    EXPECT_FALSE(t.Agrees("B", {}));
    return (status.line > 0 ? "line " + std::to_string(status.line) + " " : "") + status.detail;
  }
  std::string out;
  for (const std::string& name : t.FeatureNames()) out += (out.empty() ? "" : " ") + name;
  out += ";";
  for (const char* s : {"AY1", "B", "P", "M", "ZH"}) {
    if (!t.HasSymbol(s)) continue;
    out += std::string(" ") + s;
    for (int32_t f = 0; f < static_cast<int32_t>(t.FeatureNames().size()); ++f) out += t.Value(s, f);
  }
  return out + " " + std::to_string(t.NumberOfSymbols());
}

// Line ends LF, lone CR, CR LF or none; blanks around fields; empty and blank
// lines anywhere; case ignored in symbols and feature names. The first damage
// is the one named.
TEST(FeatureTable, ReadOrRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {kTable, "syllabic voice sonorant round; AY1+++- B-+-0 P---0 M-++0 4"},
      {"\r\n  \nSymbol \t voice\t sonorant \r\n\r\n B \t+\t -\rP\t-\t-\n\n   \nM\t+\t+", "voice sonorant; B+- P-- M++ 3"},
      {"symbol\tVoice\r\nay1\t+\r\nZh\t-\r\n", "Voice; AY1+ ZH- 2"}, {"Symbol\r\nB\r\n", "; B 1"},
      {"", "it is empty"}, {"\r\n \r\n", "it holds only empty lines"},
      {"Segment\tvoice\r\nB\t+\r\n", "line 1 begins with \"Segment\" where the first line must begin with Symbol"},
      {"\r\nB\t+\r\n", "line 2 begins with \"B\" where the first line must begin with Symbol"},
      {"Symbol\tvoice\t\tnasal\r\n", "line 1 has an empty feature name in field 3"},
      {"Symbol\tvoice\t \r\n", "line 1 has an empty feature name in field 3"},
      {"Symbol\tdelayed release\r\n", "line 1 has the feature name \"delayed release\", which holds a blank"},
      {"Symbol\tvoice\tnasal\tVOICE\r\n", "line 1 names the feature \"VOICE\" twice"},
      {"Symbol\tvoice\tnasal\r\nB\t+\t-\r\nP\t-\r\n", "line 3 has 2 fields, but the first line has 3"},
      {"Symbol\tvoice\r\nB\t+\t-\r\n", "line 2 has 3 fields, but the first line has 2"},
      {"Symbol\tvoice\r\nB\r\n", "line 2 has 1 field, but the first line has 2"},
      {"Symbol\tvoice\r\nB\t+-\r\n", "line 2 gives \"B\" the value \"+-\" for voice, where a value is +, - or 0"},
      {"Symbol\tvoice\r\nB\t\r\n", "line 2 gives \"B\" the value \"\" for voice, where a value is +, - or 0"},
      {"Symbol\tvoice\r\n\t+\r\n", "line 2 has an empty symbol"},
      {"Symbol\tvoice\r\nB\t+\r\n\r\nb\t-\r\n", "line 4 repeats the symbol \"b\" of line 2"},
      {"Symbol\tvoice\r\nB\tx\r\nB\t+\t+\r\n", "line 2 gives \"B\" the value \"x\" for voice, where a value is +, - or 0"},
  };
  for (const auto& [contents, read] : cases) EXPECT_EQ(Read(contents), read) << contents;
}

// 0 agrees with neither value; {+f -f} with nothing; the empty bundle with
// every symbol that has a line; a symbol without a line with no bundle.
TEST(FeatureTable, BundlesAgreeWithEveryListedValue) {
  FeatureTable t;
  ASSERT_TRUE(ReadFeatureTable(kTable, "F.txt", &t).ok());
  const struct { const char* symbol; const char* bundle; bool agrees; } cases[] = {
      {"B", "+voice -sonorant", true}, {"b", "+VOICE -sonorant", true}, {"P", "+voice -sonorant", false},
      {"M", "+voice -sonorant", false}, {"AY1", "+voice -sonorant", false}, {"B", "+round", false},
      {"B", "-round", false}, {"AY1", "-round", true}, {"M", "+voice -voice", false}, {"AY1", "", true},
      {"P", "", true}, {"T", "", false}, {"", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(t.Agrees(c.symbol, Bundle(t, c.bundle)), c.agrees) << c.symbol << c.bundle;
  EXPECT_EQ(t.FeatureIndex("Voice"), 1);
  EXPECT_EQ(t.FeatureIndex("voiced"), -1);
  EXPECT_EQ(t.FeatureIndex(""), -1);
  EXPECT_EQ(t.Value("T", 0), '\0');
  EXPECT_EQ(t.Value("B", 4), '\0');
}

// The bundled table (CR LF lines) has a line for every symbol of the
// inventory and gives the classes a phonologist would expect out of the bundles.
TEST(FeatureTable, LoadTheBundledTable) {
  FeatureTable t;
  const std::string data = VELMORA_DATA_DIR;
  ASSERT_TRUE(LoadFeatureTable(data + "/Features.txt", &t).ok());
  EXPECT_EQ(t.path(), data + "/Features.txt");
  EXPECT_NE(ReadFile(data + "/Features.txt").find("\r\n"), std::string::npos);
  std::vector<std::string> inventory;
  ForEachLine(ReadFile(data + "/AllSegments.txt"), [&](std::string_view line) {
    if (!TrimView(line).empty()) inventory.emplace_back(TrimView(line));
  });
  EXPECT_EQ(t.NumberOfSymbols(), static_cast<int32_t>(inventory.size()));
  auto members = [&](const char* bundle) {
    std::string out;
    for (const std::string& s : inventory) out += t.Agrees(s, Bundle(t, bundle)) ? (out.empty() ? "" : " ") + s : "";
    return out;
  };
  for (const std::string& s : inventory) EXPECT_NE(t.Value(s, 0), '\0') << s;
  EXPECT_EQ(members("+voice -sonorant -coda"), "B D G JH V DH Z ZH");
  EXPECT_EQ(members("+coda +labial -continuant"), "PCoda BCoda MCoda");
  EXPECT_EQ(members("+syllabic -stress1 -stress2 +back +low"), "AA0 AW0 AY0");  // stress 0 is neither
  EXPECT_FALSE(t.Agrees("[", Bundle(t, "-syllabic")));  // a boundary agrees with no value
}

}  // namespace
}  // namespace velmora
