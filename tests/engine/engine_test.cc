// The engine without a window: a lexicon loaded once, queries as values, the
// six files written by the result sink, every failure a Status and every
// question the caller's to answer.
#include "engine/engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

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
  void Load() { Load(engine); }
  static void Load(Engine& engine) {
    ASSERT_TRUE(engine.LoadInventory().ok());
    ASSERT_TRUE(engine.LoadClasses(false).classes.ok());
  }
  Query Items(std::vector<std::string> items, Query::Kind kind = Query::Kind::kTranscriptions) {
    Settings s;
    for (size_t b = 0; b < items.size(); ++b) s.boxes[b] = items[b];
    Query q;
    EXPECT_FALSE(engine.Compile(s, kind, &q).refused());
    return q;
  }
  // Runs query into the program folder; the number of hits.
  int32_t Run(const Query& query, const std::string& out = "") {
    const SearchResult result = engine.Run(query, out.empty() ? dir.path() : out, events);
    EXPECT_TRUE(result.status.ok()) << result.status.reason;
    return result.hits;
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
    q.push_back(Items({"AY1", "CONSONANT", "CONSONANT", "]"}, Query::Kind::kOrthography));
    q.back().orthography = "in";
    return q;
  }();
  for (size_t k = 0; k < queries.size(); ++k) {
    const std::string out = dir.Path("q" + std::to_string(k));
    ASSERT_TRUE(MakeFolder(out).ok());
    Run(queries[k], out);
  }
  const SymbolId* firstRow = engine.lexicon()->Table(Tier::kPlain).Row(1);
  for (size_t k = 0; k < queries.size(); ++k) {
    ScopedTempDir fresh;
    ASSERT_TRUE(WriteFixtureFolder(fresh.path()));
    Engine other(fresh.path());
    Load(other);
    ASSERT_TRUE(other.Run(queries[k], fresh.path(), events).status.ok());
    for (const char* name : {"FullOutput.txt", "ResultsOfSearchInInputFormat.txt", "SmallOutput.txt",
                             "MediumOutput.txt", "Hits.txt", "Misses.txt"}) {
      EXPECT_EQ(ReadFile(dir.Path("q" + std::to_string(k) + "/" + name)), ReadFile(fresh.Path(name)))
          << k << " " << name;
    }
  }
  EXPECT_EQ(engine.lexicon()->Table(Tier::kPlain).Row(1), firstRow);  // not divided again
}

// A No stops the division and leaves nothing divided nor written; the next
// search asks again. An engine that asks cautions again asks a divided
// dictionary's cautions at every search, and a No there stops that search.
TEST_F(EngineTest, ANoToACautionStopsTheSearchAndIsAskedAgainNextTime) {
  for (bool again : {false, true}) {
    ScopedTempDir folder;
    ASSERT_TRUE(WriteFixtureFolder(folder.path()));
    ASSERT_TRUE(WriteFile(folder.Path("AllSegments.txt"), "[\r\n]\r\nB\r\n"));
    Engine e(folder.path(), Engine::Options{.keepEveryDictionary = again, .askCautionsAgain = again});
    Load(e);
    Settings s;
    s.boxes[0] = "B";
    Query q;
    ASSERT_FALSE(e.Compile(s, Query::Kind::kTranscriptions, &q).refused());
    Events ev;
    ev.answer = false;
    EXPECT_EQ(e.Run(q, folder.path(), ev).outcome, Outcome::kStopped);
    ASSERT_EQ(ev.cautions.size(), 1u);  // nothing is asked after the No
    EXPECT_EQ(ev.cautions[0].kind, Caution::kNotInInventory);
    EXPECT_EQ(ev.cautions[0].symbol, "L");
    EXPECT_EQ(ev.cautions[0].word, "L AY1 N D ]");
    EXPECT_FALSE(e.lexicon()->divided());
    EXPECT_FALSE(FileExists(folder.Path("FullOutput.txt")));
    ev.answer = true;
    EXPECT_EQ(e.Run(q, folder.path(), ev).outcome, Outcome::kHits);
    const size_t asked = ev.cautions.size();
    EXPECT_GT(asked, 1u);
    EXPECT_TRUE(e.lexicon()->divided());
    ev.answer = false;
    EXPECT_EQ(e.Run(q, folder.path(), ev).outcome, again ? Outcome::kStopped : Outcome::kHits) << again;
    EXPECT_EQ(ev.cautions.size(), again ? asked + 1 : asked);
  }
}

TEST_F(EngineTest, AMissingDictionaryIsAStatusThatNamesIt) {
  Query q = Items({"AY1"});
  q.inputFileName = "missing.txt";
  const SearchResult result = engine.Run(q, dir.path(), events);
  EXPECT_EQ(result.outcome, Outcome::kInputFailed);
  EXPECT_EQ(result.status.kind, Status::kNotFound);
  EXPECT_EQ(result.status.path, dir.Path("missing.txt"));
  EXPECT_EQ(result.status.reason, "No such file or directory");
  EXPECT_EQ(engine.lexicon(), nullptr);
}

// A result file that may not be written is the caller's to retry; given up,
// the search ends with the in-use status and the earlier files stay.
TEST_F(EngineTest, AFileInUseGivenUpEndsTheSearchAndKeepsTheEarlierFiles) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
  ASSERT_TRUE(WriteFile(dir.Path("FullOutput.txt"), "earlier"));
  ASSERT_EQ(::chmod(dir.Path("FullOutput.txt").c_str(), 0444), 0);
  const Status status = engine.Run(Items({"AY1"}), dir.path(), events).status;
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
