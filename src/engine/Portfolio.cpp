#include "engine/Portfolio.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/Searcher.h"

namespace search {

namespace {

// What the helpers race for: the first of them to decide the puzzle.
struct Race {
  std::atomic<bool> quit_first{false};
  std::atomic<bool> first_is_enough{false};
  std::atomic<bool> quit_helpers{false};
  std::mutex mutex;
  std::optional<Result> decided;

  void Decided(const Result& result) {
    const std::lock_guard lock(mutex);
    if (decided) return;
    decided = result;
    quit_helpers = true;
    if (result.solution_count >= 2) {
      first_is_enough = true;
    } else {
      quit_first = true;
    }
  }
};

Searcher::Strategy HelperStrategy(int helper, const Limits& limits) {
  // The dive first: on random pictures with several solutions it finds two
  // in a third of the turns' time (75x75: 2.0 s against 6.6 s of CPU), where
  // the SAT backstop alone takes longer than the turns. Counting lists many
  // solutions, where the backstop's blocking clauses are the other way.
  if (limits.max_solutions > 2) return Searcher::Strategy::sat;
  return helper == 1 ? Searcher::Strategy::dive : Searcher::Strategy::sat;
}

// Each helper searches in its own way, and each way is deterministic: a
// second helper of the same way would repeat the first one's work.
int HelperCount(int threads, const Limits& limits) {
  return std::min(threads - 1, limits.max_solutions > 2 ? 1 : 2);
}

struct QuitOnExit {
  std::atomic<bool>& quit;
  ~QuitOnExit() { quit = true; }
};

}  // namespace

Result Portfolio::Run(const Clues& clues, const Grid& known, const Limits& limits, int threads) {
  Searcher first(clues, limits);
  if (!first.Root(known)) return first.Outcome();

  Race race;
  Limits helper_limits = limits;
  // The progress report belongs to the calling thread.
  helper_limits.progress = nullptr;
  std::vector<std::unique_ptr<Searcher>> helpers;
  for (int i = 0; i < HelperCount(threads, limits); ++i) {
    helpers.push_back(std::make_unique<Searcher>(clues, helper_limits));
    helpers.back()->Adopt(first);
    helpers.back()->Watch(&race.quit_helpers, nullptr);
  }
  first.Watch(&race.quit_first, &race.first_is_enough);

  std::vector<Result> helper_results(helpers.size());
  std::vector<std::jthread> workers;
  // However this returns, the helpers hear that they are done before they
  // are joined.
  const QuitOnExit quit_helpers{race.quit_helpers};
  for (std::size_t i = 0; i < helpers.size(); ++i) {
    workers.emplace_back([&, i] {
      // A helper that fails (out of memory) leaves the race to the others.
      try {
        const Result result = helpers[i]->Search(HelperStrategy(static_cast<int>(i) + 1, limits));
        helper_results[i] = result;
        // One solution found when one was asked proves nothing the first
        // search can use: its own first may be another.
        const bool exhausted = result.solution_count < std::max(1, limits.max_solutions);
        if (!result.stopped && (exhausted || result.solution_count >= 2)) race.Decided(result);
      } catch (...) {
      }
    });
  }
  Result result = first.Search(Searcher::Strategy::turns);
  race.quit_helpers = true;
  workers.clear();

  std::int64_t nodes = result.nodes;
  for (const Result& helper : helper_results) nodes += helper.nodes;
  const std::lock_guard lock(race.mutex);
  if (race.decided && (result.stopped || race.first_is_enough)) {
    const Grade grade = result.grade;
    std::vector<Grid> shown = std::move(result.solutions);
    result = *race.decided;
    result.grade = grade;
    if (result.solution_count >= 2) {
      // Several: the first search's first solution leads, its second or else
      // a different one of the helper's follows. Stopped by the user before
      // its first, the verdict stands on the helper's solutions alone.
      result.stopped = shown.empty();
      if (!shown.empty()) {
        for (const Grid& other : result.solutions) {
          if (shown.size() < 2 && other.cells != shown.front().cells) shown.push_back(other);
        }
        result.solutions = std::move(shown);
      }
    }
  }
  result.nodes = nodes;
  return result;
}

}  // namespace search
