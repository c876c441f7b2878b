#include "engine/Portfolio.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/Searcher.h"

namespace search {

namespace {

using Rows = std::vector<LineSolver::Mask>;
constexpr std::int64_t kNowhere = Searcher::Board::kNowhere;

struct QuitOnExit {
  std::atomic<bool>& quit;
  ~QuitOnExit() { quit = true; }
};

Grid PictureOf(const Rows& rows, int width) {
  Grid grid{width, static_cast<int>(rows.size()), {}};
  grid.cells.reserve(static_cast<std::size_t>(width) * rows.size());
  for (const LineSolver::Mask row : rows) {
    for (int x = 0; x < width; ++x)
      grid.cells.push_back(((row >> x) & 1) != 0 ? Cell::filled : Cell::empty);
  }
  return grid;
}

// What the searches of the split turns found, where in one thread's order,
// and how far each got. The first solution is the one one thread would have
// found first: the solution at the lowest place, once every other search of
// the turns has searched every place below it. Each part of the turns
// searches as one thread's would until one thread's search would have found
// a solution, since the parts hear of each other's solutions in one thread's
// order only.
class Schedule {
 public:
  // Searches 0 .. `lanes` - 1 take part in the turns.
  Schedule(int max_solutions, int lanes)
      : max_solutions_(max_solutions),
        reached_(lanes, 0),
        last_place_(lanes, kNowhere),
        found_at_place_(lanes, 0) {}

  class Lane final : public Searcher::Board {
   public:
    Lane(Schedule& schedule, int index) : schedule_(schedule), index_(index) {}
    void Found(std::int64_t place, const Rows& rows) override {
      schedule_.Found(index_, place, rows);
    }
    void Reached(std::int64_t place) override { schedule_.Reached(index_, place); }
    void Complete() override { schedule_.Complete(index_); }
    void Others(std::int64_t place, std::vector<Rows>& rows) override {
      schedule_.Others(index_, place, rows);
    }

   private:
    Schedule& schedule_;
    int index_;
  };

  std::atomic<bool> quit{false};

  // A search that failed (out of memory) holds no one up; the first
  // solution may then be another than one thread's.
  void Failed(int lane) { Reached(lane, kNowhere); }

  // The verdict with the solutions, the first leading; stopped unless
  // decided, with the solutions found so far.
  Result Outcome(Result result, int width) {
    const std::lock_guard lock(mutex_);
    result.stopped = !decided_;
    result.solution_count = std::min(static_cast<int>(found_.size()), max_solutions_);
    result.solutions.clear();
    std::vector<const Entry*> order;
    const Entry* first = First();
    if (first != nullptr) order.push_back(first);
    for (const Entry& entry : found_) {
      if (&entry != first) order.push_back(&entry);
    }
    std::stable_sort(order.begin() + (first != nullptr ? 1 : 0), order.end(),
                     [](const Entry* a, const Entry* b) { return Before(*a, *b); });
    for (const Entry* entry : order) {
      if (result.solutions.size() == 2 ||
          static_cast<int>(result.solutions.size()) == result.solution_count)
        break;
      result.solutions.push_back(PictureOf(entry->rows, width));
    }
    return result;
  }

 private:
  struct Entry {
    std::int64_t place;
    // Its rank among the solutions its lane found at that place: a place
    // belongs to one lane, which finds them in one thread's order.
    std::int64_t rank;
    int lane;
    Rows rows;
    unsigned known_by;  // lanes that found it or were handed it, as bits
  };

  static bool Before(const Entry& a, const Entry& b) {
    return a.place != b.place ? a.place < b.place : a.rank < b.rank;
  }

  void Found(int lane, std::int64_t place, const Rows& rows) {
    const std::lock_guard lock(mutex_);
    reached_[lane] = std::max(reached_[lane], place);
    if (place != last_place_[lane]) {
      last_place_[lane] = place;
      found_at_place_[lane] = 0;
    }
    const std::int64_t rank = found_at_place_[lane]++;
    auto same = std::find_if(found_.begin(), found_.end(),
                             [&](const Entry& entry) { return entry.rows == rows; });
    if (same == found_.end()) {
      found_.push_back(Entry{place, rank, lane, rows, 0});
      same = found_.end() - 1;
    } else if (place < same->place) {
      same->place = place;
      same->rank = rank;
      same->lane = lane;
    }
    same->known_by |= 1u << lane;
    Decide();
  }

  void Reached(int lane, std::int64_t place) {
    const std::lock_guard lock(mutex_);
    reached_[lane] = std::max(reached_[lane], place);
    Decide();
  }

  void Complete(int lane) {
    const std::lock_guard lock(mutex_);
    complete_ = true;
    // The search ended: it has no place left to search.
    reached_[lane] = kNowhere;
    Decide();
  }

  void Others(int lane, std::int64_t place, std::vector<Rows>& rows) {
    const std::lock_guard lock(mutex_);
    for (Entry& entry : found_) {
      if (entry.place >= place || (entry.known_by & (1u << lane)) != 0) continue;
      entry.known_by |= 1u << lane;
      rows.push_back(entry.rows);
    }
  }

  const Entry* First() const {
    const Entry* first = nullptr;
    for (const Entry& entry : found_) {
      if (entry.place != kNowhere && (first == nullptr || Before(entry, *first)))
        first = &entry;
    }
    if (first == nullptr) return nullptr;
    for (int lane = 0; lane < static_cast<int>(reached_.size()); ++lane) {
      if (lane != first->lane && reached_[lane] < first->place) return nullptr;
    }
    return first;
  }

  void Decide() {
    const bool enough = static_cast<int>(found_.size()) >= max_solutions_;
    // Once every solution is known and there is only one, it is the one one
    // thread finds first, wherever the other searches stand.
    const bool only_one = complete_ && found_.size() == 1;
    if ((complete_ && found_.empty()) || only_one ||
        (First() != nullptr && (enough || complete_))) {
      decided_ = true;
      quit = true;
    }
  }

  std::mutex mutex_;
  int max_solutions_;
  std::vector<Entry> found_;  // distinct solutions, each at its lowest place
  std::vector<std::int64_t> reached_;
  // Per lane: the place of its last solution, and how many it found there.
  std::vector<std::int64_t> last_place_;
  std::vector<std::int64_t> found_at_place_;
  bool complete_ = false;
  bool decided_ = false;
};

// Deciding or solving: the turns split in two (see Portfolio). More threads
// are not used: a search beside the turns, such as a second dive, can never
// find the solution shown first, only a second one, and its SAT solver
// would take a check of a 100x100 puzzle past the memory it may use.
Result Split(Searcher& first, const Clues& clues, const Limits& limits) {
  const int max_solutions = std::max(1, limits.max_solutions);
  Schedule schedule(max_solutions, 2);
  Limits helper_limits = limits;
  // The progress report belongs to the calling thread.
  helper_limits.progress = nullptr;
  // A dive node solves lines under new known cells mostly, so a small line
  // cache serves the dive's turns: on a 100x100 puzzle the full one is 8 MB.
  constexpr int kDiveCachePerCell = 1;
  Schedule::Lane first_lane(schedule, 0);
  Schedule::Lane helper_lane(schedule, 1);
  first.Post(&first_lane);
  first.Watch(&schedule.quit, nullptr);
  Searcher helper(clues, helper_limits, kDiveCachePerCell);
  helper.Adopt(first);
  helper.Post(&helper_lane);
  helper.Watch(&schedule.quit, nullptr);

  std::int64_t helper_nodes = 0;
  // Declared first so that it joins last: should the search below throw, the
  // helper hears the quit before it is waited for.
  std::jthread worker;
  const QuitOnExit quit_helper{schedule.quit};
  worker = std::jthread([&] {
    try {
      helper_nodes = helper.Search(Searcher::Strategy::dive_part).nodes;
    } catch (...) {
      schedule.Failed(1);
    }
  });
  Result result = first.Search(Searcher::Strategy::search_part);
  // The other part of the turns may still have to search the places below
  // this part's first solution.
  worker.join();
  result.nodes += helper_nodes;
  return schedule.Outcome(std::move(result), clues.width);
}

// What the counting helper races for: deciding the count first.
struct Race {
  std::atomic<bool> quit_first{false};
  std::atomic<bool> first_is_enough{false};
  std::atomic<bool> quit_helper{false};
  std::mutex mutex;
  std::optional<Result> decided;

  void Decided(const Result& result) {
    const std::lock_guard lock(mutex);
    if (decided) return;
    decided = result;
    quit_helper = true;
    if (result.solution_count >= 2) {
      first_is_enough = true;
    } else {
      quit_first = true;
    }
  }
};

// Counting: the one-thread search beside the SAT backstop alone counting
// with blocking clauses, each far faster than the other on some puzzles.
Result Count(Searcher& first, const Clues& clues, const Limits& limits) {
  Race race;
  Limits helper_limits = limits;
  helper_limits.progress = nullptr;
  Searcher helper(clues, helper_limits);
  helper.Adopt(first);
  helper.Watch(&race.quit_helper, nullptr);
  first.Watch(&race.quit_first, &race.first_is_enough);

  Result helper_result;
  std::int64_t helper_nodes = 0;
  // Declared first so that it joins last: should the search below throw, the
  // helper hears the quit before it is waited for.
  std::jthread worker;
  const QuitOnExit quit_helper{race.quit_helper};
  worker = std::jthread([&] {
    // A helper that fails (out of memory) leaves the race to the first.
    try {
      helper_result = helper.Search(Searcher::Strategy::sat);
      helper_nodes = helper_result.nodes;
      const bool exhausted = helper_result.solution_count < limits.max_solutions;
      if (!helper_result.stopped && (exhausted || helper_result.solution_count >= 2))
        race.Decided(helper_result);
    } catch (...) {
    }
  });
  Result result = first.Search(Searcher::Strategy::turns);
  race.quit_helper = true;
  worker.join();

  const std::int64_t nodes = result.nodes + helper_nodes;
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

}  // namespace

Result Portfolio::Run(const Clues& clues, const Grid& known, const Limits& limits) {
  Searcher first(clues, limits);
  if (!first.Root(known)) return first.Outcome();
  if (limits.max_solutions > 2) return Count(first, clues, limits);
  return Split(first, clues, limits);
}

}  // namespace search
