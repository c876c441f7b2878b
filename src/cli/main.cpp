#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/Batch.h"
#include "cli/CliOptions.h"
#include "cli/CliPlatform.h"
#include "cli/ConvertCommand.h"
#include "cli/DocumentSolve.h"
#include "cli/ExitStatus.h"
#include "cli/SearchCommands.h"
#include "cli/StopWatcher.h"
#include "document/Pixler.h"
#include "puzzle/ProcessSetup.h"

namespace {

// Installs the tool's platform for as long as the run lasts.
class TPlatformGuard {
 public:
  explicit TPlatformGuard(TPlatform& platform) : previous_(InstallPlatform(&platform)) {}
  ~TPlatformGuard() { InstallPlatform(previous_); }
  TPlatformGuard(const TPlatformGuard&) = delete;
  TPlatformGuard& operator=(const TPlatformGuard&) = delete;

 private:
  TPlatform* previous_;
};

int RunSolve(const TCliOptions& options, StopWatcher& watcher) {
  TCliPlatform platform(std::cerr, options.first_solution);
  TPlatformGuard guard(platform);

  auto pixler = TPixler::CreateHeadless();
  if (!LoadPuzzle(*pixler, options.input, std::cerr)) return kExitError;

  ApplySolverOptions(*pixler, options);
  {
    StopWatcher::Watch watch(
        watcher, [&pixler] { pixler->Stop(); }, options.timeout);
    RunCommand(*pixler, options.command);
  }
  const bool contradiction = pixler->LastRunFoundError();
  const bool undecided = HasUndecidedCell(*pixler);

  if (!WriteSolveResult(*pixler, options.input, options.output, std::cout, std::cerr))
    return kExitError;
  if (watcher.Signal() != 0) return watcher.SignalStatus();
  if (contradiction) return kExitContradiction;
  return undecided ? kExitUndecided : kExitComplete;
}

}  // namespace

int main(int argc, char** argv) {
  SetUpProcess();
  TCliOptions options;
  int status = 0;
  if (!ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc), options, status,
                         std::cout, std::cerr)) {
    return status;
  }
  // Conversion is short and has no run to stop: a signal ends it as usual.
  if (options.job == CliJob::convert) return RunConvert(options);
  StopWatcher watcher;
  switch (options.job) {
    case CliJob::solve:
      return options.search_engine ? RunSearchSolve(options, watcher) : RunSolve(options, watcher);
    case CliJob::batch:
      return Batch(options, watcher).Run(std::cout, isatty(STDERR_FILENO) ? &std::cerr : nullptr);
    case CliJob::check:
      return RunCheck(options, watcher);
    case CliJob::count:
      return RunCount(options, watcher);
    case CliJob::make_unique:
      return RunMakeUnique(options, watcher);
    case CliJob::generate:
      return RunGenerate(options.generate, watcher);
    case CliJob::convert:
      break;
  }
  return kExitError;
}
