#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include "ScriptedPlatform.h"
#include "SolverPictures.h"
#include "solver/Solver.h"

namespace {

// Stuck for the line methods and for the single-cell brute force, so a run
// with deeper recursion reaches level 2 and reports positions there.
const TPicture kDeep = {
    ".#..#...", ".#.#....", "....#.##", "#..#####", "#.##.#..", "..#...#.", "#...##..", "#.#.####",
};

// A sparse random picture: nothing in it can be decided, so a run with deeper
// recursion tries every cell at both levels and takes seconds.
TPicture SlowPuzzle() {
  std::mt19937 random(1);
  TPicture picture(20, std::string(20, '.'));
  for (std::string& row : picture) {
    for (char& cell : row) cell = random() % 100 < 30 ? '#' : '.';
  }
  return picture;
}

// Notes on which thread each report arrives and can act on it.
class TThreadCallback final : public ISolverCallback {
 public:
  void ReportLevel(int32_t level) override {
    Seen();
    if (level == throw_at_level) throw std::runtime_error("receiver gave up");
  }
  void ReportType(int32_t, const std::string&) override { Seen(); }
  void ReportPosition(int32_t, const std::string&, int32_t, int32_t, int32_t) override {
    Seen();
    ++positions;
    if (on_position) on_position();
  }
  void ReportMissing(int32_t) override { Seen(); }
  void ReportOrder(const TSolverOrder&) override { Seen(); }

  std::vector<std::thread::id> threads;
  int positions = 0;
  int32_t throw_at_level = -1;
  std::function<void()> on_position;

 private:
  void Seen() { threads.push_back(std::this_thread::get_id()); }
};

// Answers the multiple-solutions question and notes the thread asking it.
class TThreadPlatform final : public TPlatform {
 public:
  TThreadPlatform() : previous_(InstallPlatform(this)) {}
  ~TThreadPlatform() override { InstallPlatform(previous_); }
  TMessageResult ShowMessage(const std::string&, const std::string& text, TMessageButtons,
                             TMessageIcon) override {
    threads.push_back(std::this_thread::get_id());
    texts.push_back(text);
    return TMessageResult::Yes;
  }
  void ProcessMessages() override {
    if (on_process_messages) on_process_messages();
  }

  std::vector<std::thread::id> threads;
  std::vector<std::string> texts;
  std::function<void()> on_process_messages;

 private:
  TPlatform* previous_;
};

std::unique_ptr<TSolver> DeepSolver(std::shared_ptr<ISolverCallback> callback,
                                    const TPicture& puzzle = kDeep) {
  const auto size = static_cast<int32_t>(puzzle.size());
  auto solver = std::make_unique<TSolver>(std::move(callback), size, size);
  LoadPuzzle(*solver, puzzle);
  solver->field_recursion_methods[1] = true;
  solver->allow_deep_recursion = true;
  return solver;
}

TEST(SolverThreadTest, ReportsAndQuestionsRunOnTheCallingThread) {
  TThreadPlatform platform;
  auto callback = std::make_shared<TThreadCallback>();
  auto solver = DeepSolver(callback);
  solver->Run(true, true, false);
  EXPECT_GT(callback->positions, 0);

  TSolver two_solutions(callback, 2, 2);
  LoadPuzzle(two_solutions, {"#.", ".#"});
  two_solutions.field_recursion_methods[1] = true;
  two_solutions.Run(true, true, false);
  ASSERT_EQ(platform.texts.size(), 1u);

  for (std::thread::id id : callback->threads) EXPECT_EQ(id, std::this_thread::get_id());
  for (std::thread::id id : platform.threads) EXPECT_EQ(id, std::this_thread::get_id());
}

TEST(SolverThreadTest, StopEndsTheRunAtTheNextCell) {
  TThreadPlatform platform;
  auto callback = std::make_shared<TThreadCallback>();
  auto solver = DeepSolver(callback);
  callback->on_position = [&solver] { solver->Stop(); };
  solver->Run(true, true, false);
  EXPECT_EQ(callback->positions, 1);
  EXPECT_FALSE(solver->error);
  EXPECT_TRUE(platform.texts.empty());
  EXPECT_GT(solver->field->missing_cells, 0);

  // The next run starts afresh and is not stopped by the last one.
  callback->on_position = nullptr;
  solver->ResetReports();
  solver->Run(true, true, false);
  EXPECT_GT(callback->positions, 1);
}

TEST(SolverThreadTest, StopFromMessageProcessingEndsALongRun) {
  TThreadPlatform platform;
  auto callback = std::make_shared<TThreadCallback>();
  auto solver = DeepSolver(callback, SlowPuzzle());
  std::atomic<int> polls = 0;
  platform.on_process_messages = [&] {
    if (callback->positions > 0) solver->Stop();
    ++polls;
  };
  solver->Run(true, true, false);
  EXPECT_FALSE(solver->error);
  EXPECT_GT(solver->field->missing_cells, 0);
  EXPECT_GT(polls, 0);
}

// The worker's own CPU time: the window thread burns CPU of its own while it
// waits, which a clock of the whole process would add in.
TEST(SolverThreadTest, CpuTimeIsTheWorkersInHundredths) {
  TThreadPlatform platform;
  auto callback = std::make_shared<TThreadCallback>();
  auto solver = DeepSolver(callback, SlowPuzzle());
  const auto start = std::chrono::steady_clock::now();
  platform.on_process_messages = [&] {
    const auto busy_until = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
    while (std::chrono::steady_clock::now() < busy_until) {
    }
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(400)) solver->Stop();
  };
  solver->Run(true, true, false);
  const auto wall = std::chrono::steady_clock::now() - start;
  const int64_t wall_hundredths =
      std::chrono::duration_cast<std::chrono::milliseconds>(wall).count() / 10;
  EXPECT_GT(solver->cpu_time, 0);
  EXPECT_LE(solver->cpu_time, wall_hundredths + 1);
}

TEST(SolverThreadTest, WorkerExceptionIsAnInternalError) {
  TScriptedPlatform platform;
  auto callback = std::make_shared<TThreadCallback>();
  callback->throw_at_level = 1;
  auto solver = DeepSolver(callback);
  solver->Run(true, true, false);
  EXPECT_FALSE(solver->progress);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].caption, "Solver");
  EXPECT_EQ(platform.messages[0].text, "Internal Solver error: receiver gave up");
}

TEST(SolverThreadTest, NegativeMissingCountIsReportedAndFlagsStillCopied) {
  TScriptedPlatform platform;
  TSolver solver(nullptr, 2, 2);
  LoadPuzzle(solver, {"#.", "##"});
  solver.Run(true, true, false);
  ASSERT_EQ(PictureOf(solver), (TPicture{"#.", "##"}));
  solver.field->missing_cells = -1;
  solver.field->error = true;
  solver.Run(true, false, true);
  EXPECT_TRUE(solver.error);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Internal Solver error: field.missing_cells = -1.");
}

}  // namespace
