#include "document/SearchRun.h"

#include <stdexcept>
#include <string>

#include "puzzle/Platform.h"
#include "solver/SolverThread.h"

SearchRun::SearchRun(std::shared_ptr<ISolverCallback> callback) : control_(std::move(callback)) {}

search::Result SearchRun::Find(const search::Clues& clues, const search::Grid& known,
                               int max_solutions) {
  search::Result result;
  Run([&](search::Limits limits) {
    limits.max_solutions = max_solutions;
    // Every core: the answer and the first solution are those of one thread.
    limits.threads = 0;
    result = search::FindSolutions(clues, known, limits);
  });
  return result;
}

search::Mistakes SearchRun::FindMistakes(const search::Clues& clues, const search::Grid& cells) {
  search::Mistakes mistakes;
  Run([&](const search::Limits& limits) { mistakes = search::FindMistakes(clues, cells, limits); });
  return mistakes;
}

search::UniquePicture SearchRun::MakeUnique(const search::Grid& picture, bool line_logic) {
  search::UniquePicture made;
  Run([&](const search::Limits& limits) {
    made = search::MakeUnique(picture, line_logic, limits);
  });
  return made;
}

std::optional<search::Hint> SearchRun::Explain(const search::Clues& clues,
                                               const search::Grid& known) {
  search::Hint hint;
  RunOnWorker([&] { hint = search::ExplainNextPiece(clues, known, &control_.stop); });
  if (control_.stop) return std::nullopt;
  return hint;
}

void SearchRun::Run(const std::function<void(const search::Limits&)>& job) {
  search::Limits limits;
  limits.stop = &control_.stop;
  limits.progress = [this](const search::Progress& progress) {
    control_.ReportSearch(progress.decided, progress.cells, progress.depth, progress.nodes);
  };
  RunOnWorker([&] { job(limits); });
}

void SearchRun::RunOnWorker(const std::function<void()>& job) {
  // Messages processed while waiting could start another search on this run.
  if (running_) throw std::logic_error("a search is already running");
  struct RunningScope {
    bool& flag;
    explicit RunningScope(bool& f) : flag(f) { flag = true; }
    ~RunningScope() { flag = false; }
  } running(running_);

  auto worker = std::make_unique<TSolverThread>();
  worker->job = job;
  control_.ResetReports();
  control_.SetThread(worker.get());
  control_.stop = false;
  worker->Start();
  try {
    do {
      CurrentPlatform().ProcessMessages();
    } while (!worker->WaitForTimeout(10));
  } catch (...) {
    // The worker must not outlive the clues and the result it works on.
    control_.stop = true;
    worker.reset();
    control_.SetThread(nullptr);
    throw;
  }
  cpu_time = worker->CpuTime();
  const std::string failure = worker->Failure();
  worker.reset();
  control_.SetThread(nullptr);
  if (!failure.empty()) throw std::runtime_error(failure);
}

void SearchRun::Stop() {
  control_.stop = true;
}
