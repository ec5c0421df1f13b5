// The engine without a window: a lexicon loaded once, queries as values, the
// six files written by the result sink, every failure a Status and every
// question the caller's to answer.
#include "engine/engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/label.h"
#include "support/fixture_folder.h"
#include "support/temp_dir.h"

namespace velmora {
namespace {

// Answers every question the same way and records what it was asked.
class Events : public SearchEvents {
 public:
  bool Continue(const Caution& caution) override {
    cautions.push_back(caution);
    return answer;
  }
  bool RetryInUse(const Status& status) override {
    inUse.push_back(status.path);
    return false;
  }
  void Progress(int32_t done, int32_t) override { progress.push_back(done); }
  bool answer = true;
  std::vector<Caution> cautions;
  std::vector<std::string> inUse;
  std::vector<int32_t> progress;
};

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteFixtureFolder(dir.path()));
    Load();
  }
  void Load() {
    ASSERT_TRUE(engine.lexicon.LoadInventory(dir.Path("AllSegments.txt")).ok());
    ASSERT_TRUE(LoadKeyAndClasses(dir.path(), false, &engine.lexicon.classes).classes.ok());
  }
  Query Items(std::vector<std::string> items) {
    Query q;
    for (size_t b = 0; b < items.size(); ++b) q.items[b] = items[b];
    return q;
  }
  // Prepares and runs query into the program folder; the number of hits.
  int32_t Run(const Query& query, const std::string& out = "") {
    EXPECT_TRUE(engine.Prepare("in.txt", query.syllabified, events).ok());
    int32_t hits = -1;
    const Status status = engine.Run(query, out.empty() ? dir.path() : out, events, &hits);
    EXPECT_TRUE(status.ok()) << status.reason;
    return hits;
  }

  ScopedTempDir dir;
  Engine engine{dir.path()};
  Events events;
};

TEST_F(EngineTest, ASearchWritesTheSixFiles) {
  EXPECT_EQ(Run(Items({"AY1", "CONSONANT", "CONSONANT", "]"})), 3);
  EXPECT_REFERENCE_SEARCH_FILES(dir.path());
  EXPECT_TRUE(events.cautions.empty());
}

// One load serves many queries, each into a folder of its own, each as a
// fresh engine would answer it; the dictionary is read and divided once.
TEST_F(EngineTest, ManyQueriesOverOneLoadAnswerAsFreshEnginesDo) {
  const std::vector<Query> queries = [&] {
    std::vector<Query> q = {Items({"AY1", "CONSONANT", "CONSONANT", "]"}), Items({"VOWEL"}), Items({"[", "B"})};
    q[1].vowels = true;
    q[2].exclude = true;
    q.push_back(Items({"AY1", "CONSONANT", "CONSONANT", "]"}));
    q.back().kind = Query::Kind::kOrthography;
    q.back().orthography = "in";
    return q;
  }();
  for (size_t k = 0; k < queries.size(); ++k) {
    const std::string out = dir.Path("q" + std::to_string(k));
    ASSERT_TRUE(MakeFolder(out).ok());
    Run(queries[k], out);
  }
  const SymbolId* firstRow = engine.lexicon.Transcriptions.Row(1);
  for (size_t k = 0; k < queries.size(); ++k) {
    ScopedTempDir fresh;
    ASSERT_TRUE(WriteFixtureFolder(fresh.path()));
    Engine other(fresh.path());
    ASSERT_TRUE(other.lexicon.LoadInventory(fresh.Path("AllSegments.txt")).ok());
    LoadKeyAndClasses(fresh.path(), false, &other.lexicon.classes);
    ASSERT_TRUE(other.Prepare("in.txt", false, events).ok());
    int32_t hits = 0;
    ASSERT_TRUE(other.Run(queries[k], fresh.path(), events, &hits).ok());
    for (const char* name : {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                             "MediumOutput.txt", "Hits.txt", "Misses.txt"}) {
      EXPECT_EQ(ReadFile(dir.Path("q" + std::to_string(k) + "/" + name)), ReadFile(fresh.Path(name)))
          << k << " " << name;
    }
  }
  EXPECT_EQ(engine.lexicon.Transcriptions.Row(1), firstRow);  // not divided again
}

// A No stops the division and leaves nothing divided; the next search asks again.
TEST_F(EngineTest, ANoToACautionStopsTheDivisionAndIsAskedAgainNextTime) {
  ASSERT_TRUE(WriteFile(dir.Path("AllSegments.txt"), "[\r\n]\r\nB\r\n"));
  Load();
  events.answer = false;
  EXPECT_EQ(engine.Prepare("in.txt", false, events).kind, Status::kStopped);
  ASSERT_EQ(events.cautions.size(), 1u);  // nothing is asked after the No
  EXPECT_EQ(events.cautions[0].kind, Caution::kNotInInventory);
  EXPECT_EQ(events.cautions[0].symbol, "L");
  EXPECT_EQ(events.cautions[0].word, "L AY1 N D ]");
  EXPECT_FALSE(engine.lexicon.divided());
  events.answer = true;
  EXPECT_TRUE(engine.Prepare("in.txt", false, events).ok());
  EXPECT_GT(events.cautions.size(), 1u);
  EXPECT_TRUE(engine.lexicon.divided());
}

TEST_F(EngineTest, AMissingDictionaryIsAStatusThatNamesIt) {
  const Status status = engine.Prepare("missing.txt", false, events);
  EXPECT_EQ(status.kind, Status::kNotFound);
  EXPECT_EQ(status.path, dir.Path("missing.txt"));
  EXPECT_EQ(status.reason, "No such file or directory");
  EXPECT_FALSE(engine.lexicon.loaded());
}

// A result file that may not be written is the caller's to retry; given up,
// the search ends with the in-use status and the earlier files stay.
TEST_F(EngineTest, AFileInUseGivenUpEndsTheSearchAndKeepsTheEarlierFiles) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
  ASSERT_TRUE(WriteFile(dir.Path("FullOutput.txt"), "earlier"));
  ASSERT_EQ(::chmod(dir.Path("FullOutput.txt").c_str(), 0444), 0);
  ASSERT_TRUE(engine.Prepare("in.txt", false, events).ok());
  int32_t hits = 0;
  const Status status = engine.Run(Items({"AY1"}), dir.path(), events, &hits);
  EXPECT_EQ(status.kind, Status::kInUse);
  EXPECT_EQ(events.inUse, std::vector<std::string>{dir.Path("FullOutput.txt")});
  EXPECT_EQ(ReadFile(dir.Path("FullOutput.txt")), "earlier");
}

TEST_F(EngineTest, ProgressComesEveryHundredEntries) {
  std::string dictionary;
  for (int i = 0; i < 250; ++i) dictionary += "tab\tT AE1 B\r\n";
  ASSERT_TRUE(WriteFile(dir.Path("in.txt"), dictionary));
  Run(Items({"T"}));
  EXPECT_EQ(events.progress, (std::vector<int32_t>{100, 200}));
}

}  // namespace
}  // namespace velmora
