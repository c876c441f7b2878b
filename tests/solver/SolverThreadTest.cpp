#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <functional>
#include <stdexcept>
#include <thread>

#include "ScriptedPlatform.h"
#include "SolverPictures.h"

namespace {

// Notes the thread of every report and message box; answers questions Yes.
class TThreadWatch final : public ISolverCallback, public TPlatform {
 public:
  TThreadWatch() : previous_(InstallPlatform(this)) {}
  ~TThreadWatch() override { InstallPlatform(previous_); }

  void ReportLevel(int32_t) override { Seen(); }
  void ReportType(int32_t, const std::string&) override { Seen(); }
  void ReportPosition(int32_t, const std::string&, int32_t, int32_t, int32_t) override {
    Seen();
    ++positions;
    if (on_position) on_position();
  }
  void ReportMissing(int32_t) override {
    Seen();
    if (fail_on_missing) throw std::runtime_error("receiver gave up");
  }
  void ReportOrder(const TSolverOrder&) override { Seen(); }
  TMessageResult ShowMessage(const std::string&, const std::string& text, TMessageButtons,
                             TMessageIcon) override {
    Seen();
    texts.push_back(text);
    return TMessageResult::Yes;
  }
  void ProcessMessages() override {}

  std::vector<std::thread::id> threads;
  std::vector<std::string> texts;
  int positions = 0;
  bool fail_on_missing = false;
  std::function<void()> on_position;

 private:
  void Seen() { threads.push_back(std::this_thread::get_id()); }
  TPlatform* previous_;
};

std::unique_ptr<TSolver> DeepSolver(std::shared_ptr<ISolverCallback> callback,
                                    const TPicture& puzzle) {
  auto solver = std::make_unique<TSolver>(std::move(callback), puzzle[0].size(), puzzle.size());
  LoadPuzzle(*solver, puzzle);
  solver->field_recursion_methods[1] = true;
  solver->allow_deep_recursion = true;
  return solver;
}

TEST(SolverThreadTest, ReportsAndQuestionsRunOnTheCallingThread) {
  auto watch = std::make_shared<TThreadWatch>();
  DeepSolver(watch, Picture(kNeedsLevel2))->Run(true, true, false);
  DeepSolver(watch, Picture("#. .#"))->Run(true, true, false);
  EXPECT_GT(watch->positions, 0);
  EXPECT_EQ(watch->texts.size(), 1u);
  for (std::thread::id id : watch->threads) EXPECT_EQ(id, std::this_thread::get_id());
}

// The run ends at the next cell and hands back what it decided so far; the
// next run is not stopped by the last one.
TEST(SolverThreadTest, StopEndsTheRunAtTheNextCell) {
  auto watch = std::make_shared<TThreadWatch>();
  const TPicture puzzle = Picture(kNeedsLevel2);
  auto solver = DeepSolver(watch, puzzle);
  watch->on_position = [&solver] { solver->Stop(); };
  solver->Run(true, true, false);
  EXPECT_EQ(watch->positions, 1);
  EXPECT_FALSE(solver->error);
  EXPECT_EQ(PictureOf(*solver), Picture(kLevel2Stuck));
  watch->on_position = nullptr;
  solver->ResetReports();
  solver->Run(true, true, false);
  EXPECT_TRUE(SolvesClues(PictureOf(*solver), puzzle));
  EXPECT_TRUE(watch->texts.empty());
}

TEST(SolverThreadTest, CpuTimeIsTheWorkersInHundredths) {
  using std::chrono::steady_clock;
  // Clues of 1 everywhere: no trial decides anything, so every cell is tried
  // at both levels, which takes seconds unless stopped.
  TPicture slow(20, std::string(20, '.'));
  for (size_t i = 0; i < slow.size(); ++i) slow[i][i] = '#';
  TScriptedPlatform platform;
  auto solver = DeepSolver(nullptr, slow);
  // CPU used before the run: a clock of the whole process would count it in.
  for (const std::clock_t begin = std::clock(); std::clock() - begin < CLOCKS_PER_SEC / 2;) {
  }
  const auto start = steady_clock::now();
  platform.on_process_messages = [&] {
    if (steady_clock::now() - start > std::chrono::milliseconds(400)) solver->Stop();
  };
  solver->Run(true, true, false);
  const auto wall =
      std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - start);
  EXPECT_GT(solver->cpu_time, 0);
  EXPECT_LE(solver->cpu_time, wall.count() / 10 + 1);
  EXPECT_TRUE(platform.messages.empty());
}

TEST(SolverThreadTest, WorkerExceptionIsAnInternalError) {
  auto watch = std::make_shared<TThreadWatch>();
  auto solver = DeepSolver(watch, Picture(kNeedsLevel2));
  watch->fail_on_missing = true;
  solver->Run(true, true, false);
  EXPECT_FALSE(solver->progress);
  EXPECT_EQ(watch->texts, std::vector<std::string>{"Internal Solver error: receiver gave up"});
}

}  // namespace
