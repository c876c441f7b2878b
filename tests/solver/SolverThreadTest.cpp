#include <time.h>

#include "SolverPictures.h"
#include "solver/SolverThread.h"

namespace {

std::unique_ptr<TSolver> DeepSolver(std::shared_ptr<ISolverCallback> callback,
                                    const TPicture& puzzle) {
  auto solver = std::make_unique<TSolver>(std::move(callback), puzzle[0].size(), puzzle.size());
  LoadPuzzle(*solver, puzzle);
  solver->field_recursion_methods[1] = true;
  solver->allow_deep_recursion = true;
  return solver;
}

int Positions(const TRecorder& recorder) {
  return std::ranges::count_if(recorder.log,
                               [](const std::string& e) { return e.starts_with("position"); });
}

// The run ends at the next cell and hands back what it decided so far; the
// next run is not stopped by the last one. Reports come on the calling thread.
TEST(SolverThreadTest, StopEndsTheRunAtTheNextCell) {
  TScriptedPlatform platform;
  auto recorder = std::make_shared<TRecorder>();
  const TPicture puzzle = Picture(kNeedsLevel2);
  auto solver = DeepSolver(recorder, puzzle);
  recorder->on_report = [&solver](const std::string& e) {
    if (e.starts_with("position")) solver->Stop();
  };
  solver->Run(true, true, false);
  EXPECT_EQ(Positions(*recorder), 1);
  EXPECT_FALSE(solver->error);
  EXPECT_EQ(PictureOf(*solver), Picture(kLevel2Stuck));
  recorder->on_report = nullptr;
  solver->ResetReports();
  solver->Run(true, true, false);
  EXPECT_TRUE(SolvesClues(PictureOf(*solver), puzzle));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_GT(Positions(*recorder), 1);
  for (std::thread::id id : recorder->threads) EXPECT_EQ(id, std::this_thread::get_id());
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
  // Stopped once the worker has used a twentieth of a second, however long
  // a busy machine takes to give it that: the process's CPU time less this
  // thread's.
  auto others = [] {
    timespec process{}, thread{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &process);
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &thread);
    return (process.tv_sec - thread.tv_sec) + (process.tv_nsec - thread.tv_nsec) * 1e-9;
  };
  const double others_before = others();
  const auto start = steady_clock::now();
  platform.on_process_messages = [&] {
    if (others() - others_before > 0.05) solver->Stop();
  };
  solver->Run(true, true, false);
  const auto wall =
      std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - start);
  EXPECT_GT(solver->cpu_time, 0);
  EXPECT_LE(solver->cpu_time, wall.count() / 10 + 1);
  EXPECT_TRUE(platform.messages.empty());
}

TEST(SolverThreadTest, WorkerExceptionIsAnInternalError) {
  TScriptedPlatform platform;
  auto recorder = std::make_shared<TRecorder>();
  auto solver = DeepSolver(recorder, Picture(kNeedsLevel2));
  recorder->on_report = [](const std::string& e) {
    if (e.starts_with("missing")) throw std::runtime_error("receiver gave up");
  };
  solver->Run(true, true, false);
  EXPECT_FALSE(solver->progress);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Internal Solver error: receiver gave up");
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
  while (!worker.WaitForTimeout(10)) {
  }
  EXPECT_NE(job_thread, std::this_thread::get_id());
  EXPECT_EQ(handed_over_thread, std::this_thread::get_id());
  EXPECT_EQ(worker.Failure(), "job gave up");
}

}  // namespace
