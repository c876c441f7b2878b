#include "SolverPictures.h"
#include "solver/SolverThread.h"

namespace {

int Positions(const TRecorder& recorder) {
  return std::ranges::count_if(recorder.log,
                               [](const std::string& e) { return e.starts_with("position"); });
}

// A receiver that throws ends the run as an internal error. A stop ends the
// run at the next cell and hands back what it decided so far. Neither stops
// the next run, and reports come on the calling thread.
TEST(SolverThreadTest, AThrowOrAStopEndsTheRunAndNotTheNext) {
  TScriptedPlatform platform;
  auto recorder = std::make_shared<TRecorder>();
  const TPicture puzzle = Rows(kNeedsLevel2);
  TSolver solver(recorder, puzzle[0].size(), puzzle.size());
  LoadPuzzle(solver, puzzle);
  solver.field_recursion_methods[1] = true;
  solver.allow_deep_recursion = true;
  recorder->on_report = [](const std::string& e) {
    if (e.starts_with("missing")) throw std::runtime_error("receiver gave up");
  };
  solver.Run(true, true, false);
  EXPECT_FALSE(solver.progress);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Internal Solver error: receiver gave up");
  recorder->on_report = [&solver](const std::string& e) {
    if (e.starts_with("position")) solver.Stop();
  };
  recorder->log.clear();
  solver.Run(true, true, false);
  EXPECT_EQ(Positions(*recorder), 1);
  EXPECT_FALSE(solver.error);
  EXPECT_EQ(PictureOf(solver), Rows(kLevel2Stuck));
  recorder->on_report = nullptr;
  solver.ResetReports();
  solver.Run(true, true, false);
  EXPECT_TRUE(SolvesClues(PictureOf(solver), puzzle));
  EXPECT_EQ(platform.messages.size(), 1u);
  EXPECT_GT(Positions(*recorder), 1);
  for (std::thread::id id : recorder->threads) EXPECT_EQ(id, std::this_thread::get_id());
}

// Work other than a field solve runs on the worker, hands calls over to the
// creating thread, and ends as an internal failure when it throws.
TEST(SolverThreadTest, RunsAJobInsteadOfASolve) {
  TSolverThread worker;
  std::thread::id job_thread;
  std::thread::id handed_over_thread;
  worker.job = [&] {
    job_thread = std::this_thread::get_id();
    worker.Synchronize([&] { handed_over_thread = std::this_thread::get_id(); });
    throw std::runtime_error("job gave up");
  };
  worker.Start();
  while (!worker.WaitForTimeout(10)) continue;
  EXPECT_NE(job_thread, std::this_thread::get_id());
  EXPECT_EQ(handed_over_thread, std::this_thread::get_id());
  EXPECT_EQ(worker.Failure(), "job gave up");
}

// The search reports often; the window hears of it ten times a second at
// most, and a reset lets the next report through at once.
TEST(SolverControlTest, PassesSearchProgressTenTimesASecondAtMost) {
  auto receiver = std::make_shared<TRecorder>();
  TSolverControl control(receiver);
  control.ResetReports();
  const auto start = std::chrono::steady_clock::now();
  for (int32_t decided = 1; receiver->log.size() < 2; ++decided)
    control.ReportSearch(decided, 4, 1, 10);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  control.ResetReports();
  control.ReportSearch(0, 4, 0, 40);
  EXPECT_EQ(receiver->log,
            (std::vector<std::string>{"search 1 4 1 10", receiver->log[1], "search 0 4 0 40"}));
}

}  // namespace
