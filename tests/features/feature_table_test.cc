#include "features/feature_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/text.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

constexpr char kTable[] =
    "Symbol\tsyllabic\tvoice\tsonorant\tround\r\n"
    "AY1\t+\t+\t+\t-\r\n"
    "B\t-\t+\t-\t0\r\n"
    "P\t-\t-\t-\t0\r\n"
    "M\t-\t+\t+\t0\r\n";

FeatureTable Read(std::string_view contents) {
  FeatureTable table;
  const Status status = ReadFeatureTable(contents, "Features.txt", &table);
  EXPECT_TRUE(status.ok()) << status.line << " " << status.detail;
  return table;
}

// The damage of contents the reader must refuse, as "line N what" (or "what"
// for damage of no one line).
std::string Damage(std::string_view contents) {
  FeatureTable table;
  const Status status = ReadFeatureTable(contents, "F.txt", &table);
  EXPECT_EQ(status.kind, Status::kMalformed) << "accepted: " << contents;
  EXPECT_EQ(status.path, "F.txt");
  EXPECT_EQ(table.NumberOfSymbols(), 0);
  EXPECT_TRUE(table.FeatureNames().empty());
  return (status.line > 0 ? "line " + std::to_string(status.line) + " " : "") + status.detail;
}

std::vector<FeatureValue> Bundle(const FeatureTable& t, std::initializer_list<std::pair<const char*, bool>> values) {
  std::vector<FeatureValue> bundle;
  for (const auto& [name, plus] : values) {
    const int32_t f = t.FeatureIndex(name);
    EXPECT_GE(f, 0) << name;
    bundle.push_back({f, plus});
  }
  return bundle;
}

TEST(FeatureTable, BundlesAgreeWithEveryListedValue) {
  const FeatureTable t = Read(kTable);
  ASSERT_EQ(t.NumberOfSymbols(), 4);
  EXPECT_EQ(t.FeatureNames(), (std::vector<std::string>{"syllabic", "voice", "sonorant", "round"}));
  const auto voicedObstruent = Bundle(t, {{"voice", true}, {"sonorant", false}});
  EXPECT_TRUE(t.Agrees("B", voicedObstruent));
  EXPECT_FALSE(t.Agrees("P", voicedObstruent));
  EXPECT_FALSE(t.Agrees("M", voicedObstruent));
  EXPECT_FALSE(t.Agrees("AY1", voicedObstruent));
  // 0 agrees with neither value.
  EXPECT_FALSE(t.Agrees("B", Bundle(t, {{"round", true}})));
  EXPECT_FALSE(t.Agrees("B", Bundle(t, {{"round", false}})));
  EXPECT_TRUE(t.Agrees("AY1", Bundle(t, {{"round", false}})));
  // {+f -f} agrees with nothing; the empty bundle with every symbol that has a line.
  for (const char* s : {"AY1", "B", "P", "M"}) {
    EXPECT_FALSE(t.Agrees(s, Bundle(t, {{"voice", true}, {"voice", false}}))) << s;
    EXPECT_TRUE(t.Agrees(s, {})) << s;
  }
  // A symbol without a line agrees with no bundle.
  EXPECT_FALSE(t.Agrees("T", {}));
  EXPECT_FALSE(t.Agrees("", {}));
  EXPECT_EQ(t.Value("T", 0), '\0');
  EXPECT_EQ(t.Value("B", 3), '0');
  EXPECT_EQ(t.Value("B", 4), '\0');
}

TEST(FeatureTable, SymbolsAndFeatureNamesIgnoreCase) {
  const FeatureTable t = Read("symbol\tVoice\r\nay1\t+\r\nZh\t+\r\n");
  EXPECT_EQ(t.FeatureIndex("voice"), 0);
  EXPECT_EQ(t.FeatureIndex("VOICE"), 0);
  EXPECT_EQ(t.FeatureIndex("voiced"), -1);
  EXPECT_EQ(t.FeatureIndex(""), -1);
  EXPECT_TRUE(t.Agrees("AY1", {{0, true}}));
  EXPECT_TRUE(t.Agrees("zh", {{0, true}}));
  EXPECT_TRUE(t.Agrees("ZH", {{0, true}}));
}

TEST(FeatureTable, LineEndsBlanksAndEmptyLines) {
  // LF, lone CR, CR LF and no last line end; blanks around fields; empty and
  // blank lines anywhere (also before the first line).
  const FeatureTable t = Read("\r\n  \nSymbol \t voice\t sonorant \r\n\r\n B \t+\t -\rP\t-\t-\n\n   \nM\t+\t+");
  ASSERT_EQ(t.NumberOfSymbols(), 3);
  EXPECT_EQ(t.FeatureNames(), (std::vector<std::string>{"voice", "sonorant"}));
  EXPECT_EQ(t.Value("B", 0), '+');
  EXPECT_EQ(t.Value("B", 1), '-');
  EXPECT_EQ(t.Value("P", 0), '-');
  EXPECT_EQ(t.Value("M", 1), '+');
  // A header without features is a table that knows symbols only.
  const FeatureTable bare = Read("Symbol\r\nB\r\n");
  EXPECT_EQ(bare.NumberOfSymbols(), 1);
  EXPECT_TRUE(bare.Agrees("B", {}));
}

TEST(FeatureTable, EachDamageIsNamedWithItsLine) {
  EXPECT_EQ(Damage(""), "it is empty");
  EXPECT_EQ(Damage("\r\n \r\n"), "it holds only empty lines");
  EXPECT_EQ(Damage("Segment\tvoice\r\nB\t+\r\n"),
            "line 1 begins with \"Segment\" where the first line must begin "
            "with Symbol");
  EXPECT_EQ(Damage("\r\nB\t+\r\n"),
            "line 2 begins with \"B\" where the first line must begin with "
            "Symbol");
  EXPECT_EQ(Damage("Symbol\tvoice\t\tnasal\r\n"),
            "line 1 has an empty feature name in field 3");
  EXPECT_EQ(Damage("Symbol\tvoice\t \r\n"),
            "line 1 has an empty feature name in field 3");
  EXPECT_EQ(Damage("Symbol\tdelayed release\r\n"),
            "line 1 has the feature name \"delayed release\", which holds a "
            "blank");
  EXPECT_EQ(Damage("Symbol\tvoice\tnasal\tVOICE\r\n"),
            "line 1 names the feature \"VOICE\" twice");
  EXPECT_EQ(Damage("Symbol\tvoice\tnasal\r\nB\t+\t-\r\nP\t-\r\n"),
            "line 3 has 2 fields, but the first line has 3");
  EXPECT_EQ(Damage("Symbol\tvoice\r\nB\t+\t-\r\n"),
            "line 2 has 3 fields, but the first line has 2");
  EXPECT_EQ(Damage("Symbol\tvoice\r\nB\r\n"),
            "line 2 has 1 field, but the first line has 2");
  EXPECT_EQ(Damage("Symbol\tvoice\r\nB\t+-\r\n"),
            "line 2 gives \"B\" the value \"+-\" for voice, where a value is +, "
            "- or 0");
  EXPECT_EQ(Damage("Symbol\tvoice\r\nB\t\r\n"),
            "line 2 gives \"B\" the value \"\" for voice, where a value is +, - "
            "or 0");
  EXPECT_EQ(Damage("Symbol\tvoice\r\n\t+\r\n"), "line 2 has an empty symbol");
  EXPECT_EQ(Damage("Symbol\tvoice\r\nB\t+\r\n\r\nb\t-\r\n"),
            "line 4 repeats the symbol \"b\" of line 2");
  // The first damage is the one named.
  EXPECT_EQ(Damage("Symbol\tvoice\r\nB\tx\r\nB\t+\t+\r\n"),
            "line 2 gives \"B\" the value \"x\" for voice, where a value is +, "
            "- or 0");
}

TEST(FeatureTable, ReadingAgainReplacesTheTable) {
  FeatureTable t = Read(kTable);
  EXPECT_FALSE(ReadFeatureTable("Symbol\tvoice\r\nB\r\n", "F.txt", &t).ok());
  EXPECT_EQ(t.NumberOfSymbols(), 0);
  EXPECT_EQ(t.FeatureIndex("voice"), -1);
  EXPECT_FALSE(t.Agrees("B", {}));
}

TEST(FeatureTable, LoadNamesAMissingFile) {
  ScopedTempDir dir;
  FeatureTable t;
  Status status = LoadFeatureTable(dir.Path("Features.txt"), &t);
  EXPECT_EQ(status.kind, Status::kNotFound);
  EXPECT_EQ(status.path, dir.Path("Features.txt"));
  EXPECT_EQ(status.reason, "No such file or directory");
  status = LoadFeatureTable(dir.path(), &t);  // a folder
  EXPECT_EQ(status.reason, "Is a directory");
  ASSERT_TRUE(WriteFile(dir.Path("Features.txt"), kTable));
  ASSERT_TRUE(LoadFeatureTable(dir.Path("Features.txt"), &t).ok());
  EXPECT_EQ(t.NumberOfSymbols(), 4);
  EXPECT_EQ(t.path(), dir.Path("Features.txt"));
}

// The bundled table: readable, every symbol of the inventory has a line, and
// the classes a phonologist would expect come out of the bundles.
TEST(FeatureTable, BundledTableCoversTheInventory) {
  const std::string data = VELMORA_DATA_DIR;
  const std::string contents = ReadFile(data + "/Features.txt");
  EXPECT_NE(contents.find("\r\n"), std::string::npos);
  FeatureTable t;
  ASSERT_TRUE(ReadFeatureTable(contents, "Features.txt", &t).ok());
  std::vector<std::string> inventory;
  ForEachLine(ReadFile(data + "/AllSegments.txt"), [&](std::string_view line) {
    if (!TrimView(line).empty()) inventory.emplace_back(TrimView(line));
  });
  EXPECT_EQ(t.NumberOfSymbols(), static_cast<int32_t>(inventory.size()));
  for (const std::string& s : inventory) EXPECT_NE(t.Value(s, 0), '\0') << s;

  auto members = [&](std::vector<FeatureValue> bundle) {
    std::string out;
    for (const std::string& s : inventory) {
      if (t.Agrees(s, bundle)) out += (out.empty() ? "" : " ") + s;
    }
    return out;
  };
  auto f = [&](const char* name) { return t.FeatureIndex(name); };
  EXPECT_EQ(members({{f("voice"), true}, {f("sonorant"), false}, {f("coda"), false}}), "B D G JH V DH Z ZH");
  EXPECT_EQ(members({{f("nasal"), true}, {f("coda"), false}}), "M N NG");
  EXPECT_EQ(members({{f("strident"), true}, {f("coronal"), true}, {f("coda"), false}}), "CH JH S Z SH ZH");
  EXPECT_EQ(members({{f("consonantal"), false}, {f("syllabic"), false}, {f("coda"), false}}), "HH W Y");
  EXPECT_EQ(members({{f("high"), true}, {f("back"), false}, {f("stress1"), true}}), "IH1 IY1");
  EXPECT_EQ(members({{f("round"), true}, {f("stress2"), true}}), "AO2 OW2 OY2 UH2 UW2");
  EXPECT_EQ(members({{f("diphthong"), true}, {f("stress1"), true}}), "AW1 AY1 EY1 OW1 OY1");
  EXPECT_EQ(members({{f("lateral"), true}}), "L LCoda");
  EXPECT_EQ(members({{f("coda"), true}, {f("labial"), true}, {f("continuant"), false}}), "PCoda BCoda MCoda");
  // Stress 0 is neither stress1 nor stress2; a boundary agrees with no feature value.
  EXPECT_EQ(members({{f("syllabic"), true}, {f("stress1"), false}, {f("stress2"), false}, {f("back"), true},
                     {f("low"), true}}),
            "AA0 AW0 AY0");
  EXPECT_FALSE(t.Agrees("[", {{f("syllabic"), false}}));
}

}  // namespace
}  // namespace velmora
