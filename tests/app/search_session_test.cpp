// The main window's search, results and command logic through a fake view: message order,
// states, the analysis rule and the results commands.
#include "app/search_session.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include "../engine/test_home.h"
#include "app/main_rules.h"
#include "app/process_home.h"
#include "app/results_commands.h"
#include "engine/base/file_ops.h"
#include "engine/base/string_table.h"
#include "engine/dict/dictionary_names.h"
#include "engine/dict/operation_context.h"
#include "engine/search/subset_builder.h"

namespace wk::test {
namespace {

using Words = std::vector<std::string>;

// Runs the worker at once on the calling thread, as if its thread had ended before the first
// tick; records what the window would show.
struct FakeView : app::SearchView {
  SearchFields shown = app::clearedFields();
  std::vector<int> statuses;
  std::string found, checked;
  int selectOpened = 0, analyses = 0, listResets = 0, tabStop = 0;
  bool analysisResult = true, threadStarts = true, disabled = false;
  app::SearchSession* session = nullptr;

  SearchFields fields() const override { return shown; }
  void pushHistories() override {}
  void showFields(const SearchFields& f) override { shown = f; }
  void setStatus(int id) override { statuses.push_back(id); }
  void showCounts(const std::string& f, const std::string& c) override {
    found = f;
    checked = c;
  }
  void setSearching(bool s) override { disabled = s; }
  void openSelectDictionaries() override { ++selectOpened; }
  void resetList() override { ++listResets; }
  void showRows(int stop, bool) override { tabStop = stop; }
  bool runAnalysis(SubsetBuilder& builder) override {
    ++analyses;
    return analysisResult && builder.run();
  }
  bool startWorker() override {
    if (!threadStarts) return false;
    session->work();
    session->finished();
    return true;
  }
};

struct ImmediateHost : app::DialogHost {
  void setStatus(int) override {}
  RunOutcome runOperation(Operation& operation) override {
    return operation.run() ? RunOutcome::kCompleted : RunOutcome::kFailed;
  }
};

// Runs the operation on a worker while this thread keeps reading the list's rows, as the window
// does when the list repaints behind the wait dialog.
struct RepaintingHost : app::DialogHost {
  app::ResultList* list = nullptr;
  int rowsRead = 0;
  void setStatus(int) override {}
  RunOutcome runOperation(Operation& operation) override {
    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
    bool ok = false;
    // The operation starts once the list is being read, so that the two run side by side even
    // on a busy machine (where a quick report could end before the first read).
    std::thread worker([&] {
      while (reads < 2) std::this_thread::yield();
      ok = operation.run();
      done = true;
    });
    while (!done) {
      list->rowText(rowsRead++ % list->rowCount());
      ++reads;
    }
    worker.join();
    return ok ? RunOutcome::kCompleted : RunOutcome::kFailed;
  }
};

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class SearchSessionTest : public HomeTest {
 protected:
  void SetUp() override {
    HomeTest::SetUp();
    dict = makeDictionary("d", {"a", "at", "act", "cat", "dog", "god", "tac", "coat"});
    own = std::make_unique<app::SearchSession>(view, app::processCatalogue());
    view.session = own.get();
  }
  void select() { app::processCatalogue().setSelected(dict, true); }
  // Starts a search of `find` (and `from`) and runs it to its end.
  bool search(const std::string& find, const std::string& from = "") {
    view.shown.find = find;
    view.shown.from = from;
    if (!session().start()) return false;
    while (session().tick()) {
    }
    return true;
  }
  Words results() {
    Words out;
    for (int i = 0; i < session().store().entryCount(); ++i)
      out.push_back(session().store().entry(i));
    return out;
  }

  std::string dict;
  FakeView view;
  std::unique_ptr<app::SearchSession> own;
  app::SearchSession& session() { return *own; }
};

TEST_F(SearchSessionTest, StartWithoutDictionaryOpensSelect) {
  app::processCatalogue();
  messages.shown.clear();
  EXPECT_FALSE(session().start());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].caption, "No Dictionaries Selected");
  EXPECT_EQ(messages.beeps, 1);
  EXPECT_EQ(view.selectOpened, 1);
  EXPECT_FALSE(session().searching());
}

TEST_F(SearchSessionTest, SingleWordSearchFillsStoreAndEnds) {
  select();
  ASSERT_TRUE(search("?at"));
  EXPECT_EQ(results(), (Words{"cat"}));
  EXPECT_EQ(view.statuses, (std::vector<int>{kSearching, kSearchingCompleted}));
  EXPECT_EQ(view.found, "1");
  EXPECT_EQ(view.checked, std::to_string(session().checked()));
  EXPECT_GT(session().checked(), 0u);
  EXPECT_FALSE(view.disabled);
  EXPECT_EQ(view.tabStop, (3 + 4) * 4);
  EXPECT_EQ(session().header().find, "?at");
}

TEST_F(SearchSessionTest, StartHoldsPastedFieldsToTheTypingRules) {
  select();
  EXPECT_FALSE(search("?at", "ab1"));
  EXPECT_EQ(messages.shown.back().text, "'1' cannot be typed into this field: FROM");
  EXPECT_FALSE(session().searching());
  ASSERT_TRUE(search("c/t"));
  EXPECT_EQ(view.shown.find, "c?t");
  EXPECT_EQ(results(), (Words{"cat"}));
}

TEST_F(SearchSessionTest, FailedCheckLeavesIdleAfterResettingList) {
  select();
  EXPECT_FALSE(search(""));
  EXPECT_EQ(messages.shown.back().caption, "Input Error");
  EXPECT_FALSE(session().searching());
  EXPECT_EQ(view.listResets, 1);
  EXPECT_TRUE(view.statuses.empty());
}

TEST_F(SearchSessionTest, AnalysisRunsOnlyWhenFromLettersChange) {
  select();
  ASSERT_TRUE(search("* *", "tacdog"));
  EXPECT_EQ(view.analyses, 1);
  EXPECT_EQ(results().size(), 12u);  // {act,cat,tac} x {dog,god}, both orders
  ASSERT_TRUE(search("* *", "dogcat"));
  EXPECT_EQ(view.analyses, 1);
  ASSERT_TRUE(search("?at"));
  ASSERT_TRUE(search("* *", "dogcat"));
  EXPECT_EQ(view.analyses, 2);
}

TEST_F(SearchSessionTest, AnalysisRunsAgainWhenTheDictionariesChange) {
  select();
  const std::string other = makeDictionary("e", {"og", "tacd"});
  app::processCatalogue().addIfAbsent(other);
  ASSERT_TRUE(search("* *", "tacdog"));
  EXPECT_EQ(view.analyses, 1);
  app::processCatalogue().setSelected(other, true);
  ASSERT_TRUE(search("* *", "tacdog"));
  EXPECT_EQ(view.analyses, 2);
  EXPECT_EQ(results().size(), 12u + 2u);  // the new dictionary's tacd + og, both orders
}

TEST_F(SearchSessionTest, CancelledAnalysisEndsSearchAndAnalysesAgain) {
  select();
  view.analysisResult = false;
  EXPECT_FALSE(search("* *", "tacdog"));
  EXPECT_EQ(view.statuses.back(), kSearchingCompleted);
  EXPECT_FALSE(session().searching());
  view.analysisResult = true;
  ASSERT_TRUE(search("* *", "tacdog"));
  EXPECT_EQ(view.analyses, 2);
}

TEST_F(SearchSessionTest, ThreadThatCannotStartIsReported) {
  select();
  view.threadStarts = false;
  EXPECT_FALSE(search("?at"));
  EXPECT_EQ(messages.shown.back().text, "Unable to create thread");
  EXPECT_EQ(messages.shown.back().caption, "Error");
  EXPECT_FALSE(session().searching());
}

// Records whether the worker was held at the pause gate while the question was up.
struct GateWatcher : FakeMessages {
  bool heldDuringQuestion = false;
  PauseGate* gate = nullptr;
  int show(const std::string& t, const std::string& c, unsigned s) override {
    heldDuringQuestion = gate && gate->held();
    return FakeMessages::show(t, c, s);
  }
};

TEST_F(SearchSessionTest, CancelQuestionHoldsWorkerAndYesCancels) {
  select();
  GateWatcher watcher;
  ScopedMessagePort scoped(&watcher);
  struct Paused : FakeView {
    bool startWorker() override { return true; }  // the worker "runs" until cancelled
  } paused;
  paused.shown.find = "?at";
  app::SearchSession running(paused, app::processCatalogue());
  ASSERT_TRUE(running.start());
  ASSERT_NE(running.worker(), nullptr);
  OperationContext& context = running.worker()->context();
  watcher.gate = &context.pause();
  EXPECT_FALSE(running.askCancel());
  EXPECT_EQ(watcher.shown.back().text, "Are you sure you want to cancel this search?");
  EXPECT_EQ(watcher.shown.back().caption, "Confirm");
  EXPECT_EQ(watcher.shown.back().style, mb::kYesNo);  // no icon
  EXPECT_TRUE(watcher.heldDuringQuestion);
  EXPECT_FALSE(context.pause().held());
  EXPECT_FALSE(context.cancelRequested());
  watcher.answers = {mb::kIdYes};
  EXPECT_TRUE(running.askCancel());
  EXPECT_TRUE(context.cancelRequested());
  running.finished();
}

TEST_F(SearchSessionTest, ClearAllResetsFieldsCountsAndStore) {
  select();
  view.shown.useAll = false;
  view.shown.include = "Ab";
  view.shown.exclude = "c";
  view.shown.suppressPermutations = true;
  ASSERT_TRUE(search("?at"));
  session().clearAll();
  EXPECT_EQ(view.shown.find, "*");
  EXPECT_TRUE(view.shown.useAll);
  EXPECT_TRUE(view.shown.suppressPermutations) << "Clear All leaves Suppress Permutations";
  EXPECT_EQ(view.shown.include + view.shown.exclude, "");
  // The next overlap check compares with what the fields show now, not with "ab" and "c".
  EXPECT_EQ(session().request().include + session().request().exclude, "");
  messages.shown.clear();
  EXPECT_TRUE(session().checks().storeInclude("c"));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(view.found, "Found: 0");
  EXPECT_EQ(view.checked, "Checked: 0");
  EXPECT_EQ(view.statuses.back(), kBlankStatus);
  EXPECT_EQ(session().store().entryCount(), 0);
}

TEST_F(SearchSessionTest, SaveViewAndDeleteResults) {
  select();
  ImmediateHost host;
  ASSERT_TRUE(search("?at"));
  const std::string saved = (home / "files" / "cats").string();
  EXPECT_TRUE(app::saveResults(host, session(), saved, true));
  EXPECT_TRUE(fileExists(saved + ".wkg"));
  EXPECT_TRUE(fileExists(saved + ".pdx"));
  // The same bare name again: the replace question, No saves nothing.
  const size_t before = messages.shown.size();
  EXPECT_FALSE(app::saveResults(host, session(), saved, true));
  EXPECT_NE(messages.shown.back().text.find("This file already exists"), std::string::npos);
  EXPECT_EQ(messages.shown.size(), before + 1);
  session().clearAll();
  session().request().exclude = "q";
  session().view(saved + ".wkg");
  EXPECT_EQ(view.shown.find, "?at");
  EXPECT_EQ(session().request().exclude, "") << "View stores the shown Exclude";
  EXPECT_EQ(view.found, "1");
  EXPECT_EQ(results(), Words{"cat"});
  // Deleting asks first, No by default: the pair stays on display.
  EXPECT_FALSE(session().deleteResults());
  EXPECT_EQ(messages.shown.back().text, "Delete these saved results: " + saved + ".wkg");
  EXPECT_TRUE(messages.shown.back().style & mb::kDefButton2);
  EXPECT_TRUE(fileExists(saved + ".wkg"));
  EXPECT_EQ(results(), Words{"cat"});
  messages.answers.push_back(mb::kIdYes);
  EXPECT_TRUE(session().deleteResults());
  EXPECT_FALSE(fileExists(saved + ".wkg"));
  EXPECT_FALSE(fileExists(saved + ".pdx"));
  EXPECT_EQ(view.shown.find, "*");
}

TEST_F(SearchSessionTest, SaveAsOtherExtensionWritesReport) {
  select();
  ImmediateHost host;
  ASSERT_TRUE(search("d?g"));
  const std::string report = (home / "files" / "dogs.txt").string();
  EXPECT_TRUE(app::saveResults(host, session(), report, true));
  std::ifstream in(report);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("Find Field: d?g\n"), std::string::npos);
  EXPECT_NE(text.str().find("dog\n"), std::string::npos);
  EXPECT_FALSE(fileExists((home / "files" / "dogs.wkg").string()));
}

TEST_F(SearchSessionTest, ReportWhileTheListRepaintsHoldsEveryResultOnce) {
  Words words;
  for (int i = 0; i < 8 * 8 * 8 * 8 * 8; ++i) {
    std::string w;
    for (int n = i, k = 0; k < 5; ++k, n /= 8) w.insert(w.begin(), static_cast<char>('a' + n % 8));
    words.push_back(w);
  }
  const std::string many = makeDictionary("many", words);
  app::processCatalogue().addIfAbsent(many);
  ASSERT_EQ(app::processCatalogue().setSelected(many, true), 1);
  ASSERT_TRUE(search("?????")) << (messages.shown.empty() ? "" : messages.shown.back().text);
  ASSERT_EQ(session().store().entryCount(), static_cast<int>(words.size()));
  RepaintingHost host;
  host.list = &session().list();
  const std::string report = (home / "files" / "many.txt").string();
  EXPECT_TRUE(app::saveResults(host, session(), report, false));
  EXPECT_GT(host.rowsRead, 1);
  std::string expected;
  for (const std::string& w : words) expected += w + "\n";
  const std::string text = fileText(report);
  const std::string rule = loadString(kReportRule);
  const size_t body = text.find(rule, rule.size());
  ASSERT_NE(body, std::string::npos);
  EXPECT_TRUE(text.substr(body + rule.size()) == expected) << "the body differs from the results";
  EXPECT_EQ(session().list().rowText(1), "aaaab\t");
}

TEST_F(SearchSessionTest, DictionaryGoneBeforeSearchIsReportedInOneBox) {
  select();
  app::processCatalogue();
  std::filesystem::remove(dict);
  messages.shown.clear();
  search("?at");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Unable to open Dictionary: " + dict);
  EXPECT_EQ(messages.shown[0].caption, "File Error");
}

TEST_F(SearchSessionTest, ExitRemovesThisRunsWorkingFiles) {
  select();
  ASSERT_TRUE(search("* *", "tacdog"));
  const DictionaryNames& names = app::processCatalogue();
  EXPECT_TRUE(fileExists(names.resultsDataPath()));
  session().cleanUpForExit();
  EXPECT_FALSE(fileExists(names.resultsDataPath()));
  EXPECT_FALSE(fileExists(names.resultsIndexPath()));
}

TEST(MainRules, EnablingFollowsSearchAndInstances) {
  using namespace app::command;
  app::CommandState idle{false, true, true, 3};
  app::CommandState searching{true, true, true, 3};
  app::CommandState twoCopies{false, false, true, 3};
  for (int id : {kClearAll, kView, kSelect, kStart, kSaveAs, kDeleteResults, kAddWord})
    EXPECT_TRUE(app::commandEnabled(id, idle)) << id;
  for (int id : {kClearAll, kView, kSelect, kStart, kSaveAs, kDeleteResults, kMerge, kCreate})
    EXPECT_FALSE(app::commandEnabled(id, searching)) << id;
  for (int id : {kCancel, kHelp, kAbout, kDetails}) EXPECT_TRUE(app::commandEnabled(id, searching));
  for (int id : {kAddWord, kRemoveWord, kMerge, kCreate, kDeleteResults, kDeleteDictionaries})
    EXPECT_FALSE(app::commandEnabled(id, twoCopies)) << id;
  for (int id : {kHelp, kAbout, kDetails, kCancel, kSelect})
    EXPECT_TRUE(app::commandEnabled(id, twoCopies)) << id;
  EXPECT_FALSE(app::commandEnabled(kSaveAs, {false, true, true, 0}));
  EXPECT_FALSE(app::commandEnabled(kDeleteResults, {false, true, false, 0}));
}

TEST(MainRules, WaitDialogRevealsWhenProjectedBeyondOneSecond) {
  EXPECT_TRUE(app::revealWaitDialog(1, 0));
  EXPECT_FALSE(app::revealWaitDialog(2, 40));
  EXPECT_TRUE(app::revealWaitDialog(3, 40));
  EXPECT_FALSE(app::revealWaitDialog(1, 100));
  EXPECT_FALSE(app::revealWaitDialog(0, 0));
}

}  // namespace
}  // namespace wk::test
