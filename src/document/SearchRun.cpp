#include "document/SearchRun.h"

#include <stdexcept>
#include <string>

#include "puzzle/Platform.h"
#include "solver/SolverThread.h"

SearchRun::SearchRun(std::shared_ptr<ISolverCallback> callback) : control_(std::move(callback)) {}

search::Result SearchRun::Find(const search::Clues& clues, const search::Grid& known,
                               int max_solutions) {
  // Messages processed while waiting could start another search on this run.
  if (running_) throw std::logic_error("a search is already running");
  struct RunningScope {
    bool& flag;
    explicit RunningScope(bool& f) : flag(f) { flag = true; }
    ~RunningScope() { flag = false; }
  } running(running_);

  search::Limits limits;
  limits.max_solutions = max_solutions;
  limits.stop = &control_.stop;
  limits.threads = 0;
  limits.progress = [this](const search::Progress& progress) {
    control_.ReportSearch(progress.decided, progress.cells, progress.depth, progress.nodes);
  };
  search::Result result;
  auto worker = std::make_unique<TSolverThread>();
  worker->job = [&] { result = search::FindSolutions(clues, known, limits); };
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
  return result;
}

void SearchRun::Stop() {
  control_.stop = true;
}
