#include "document/PlaySession.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "document/Pixler.h"
#include "document/PixlerFile.h"
#include "document/SearchClues.h"
#include "puzzle/CellState.h"

namespace {

std::vector<int> RunsOf(const search::Grid& cells, int start, int step, int count) {
  std::vector<int> runs;
  int run = 0;
  for (int i = 0; i < count; ++i) {
    if (cells.cells[start + i * step] == search::Cell::filled) {
      ++run;
    } else if (run > 0) {
      runs.push_back(std::exchange(run, 0));
    }
  }
  if (run > 0) runs.push_back(run);
  return runs;
}

bool MeetsClues(const search::Clues& clues, const search::Grid& cells) {
  for (int y = 0; y < clues.height; ++y) {
    if (RunsOf(cells, y * clues.width, 1, clues.width) != clues.rows[y]) return false;
  }
  for (int x = 0; x < clues.width; ++x) {
    if (RunsOf(cells, x, clues.width, clues.height) != clues.columns[x]) return false;
  }
  return true;
}

bool HasClues(const search::Clues& clues) {
  auto any = [](const std::vector<std::vector<int>>& lines) {
    return std::ranges::any_of(lines, [](const std::vector<int>& runs) { return !runs.empty(); });
  };
  return any(clues.rows) || any(clues.columns);
}

std::vector<search::Cell> LineOf(const search::Grid& cells, int start, int step, int count) {
  std::vector<search::Cell> line(count);
  for (int i = 0; i < count; ++i) line[i] = cells.cells[start + i * step];
  return line;
}

}  // namespace

PlaySession::PlaySession(TPixler& document, IPlayView& view, PlayTimer::Clock clock,
                         std::string best_times_path)
    : document_(document),
      view_(view),
      timer_(std::move(clock)),
      best_times_(std::move(best_times_path)) {
  document_.GetField().SetChangeObserver([this] { CellsChanged(); });
}

PlaySession::~PlaySession() {
  document_.GetField().SetChangeObserver(nullptr);
}

void PlaySession::CellsChanged() {
  // What is drawn in editor mode is the answer, not a solution found.
  if (!playing_) helped_ = true;
  if (refresh_wanted_) return;
  refresh_wanted_ = true;
  view_.PlayRefreshWanted();
}

void PlaySession::Restart() {
  timer_.Restart();
  // A picture brought along half done was not played here from the start.
  const search::Grid cells = KnownCellsOf(document_);
  helped_ = std::ranges::any_of(cells.cells,
                                [](search::Cell cell) { return cell != search::Cell::unknown; });
  finished_ = false;
  document_.GetField().SetFinished(false);
  Refresh();
}

void PlaySession::SetPlaying(bool playing) {
  playing_ = playing;
  Refresh();
}

void PlaySession::SetAutoCrossOut(bool on) {
  auto_cross_out_ = on;
  Refresh();
}

void PlaySession::Refresh() {
  refresh_wanted_ = false;
  // Whatever wrote cells flagged as new was a solver command; the help
  // counts even after those cells are undone or overwritten.
  const TField& field = document_.GetField();
  for (int x = 1; x <= field.GetWidth() && !helped_; ++x) {
    for (int y = 1; y <= field.GetHeight(); ++y) {
      if ((field.GetCell(x, y) & csNewFlag) != 0) helped_ = true;
    }
  }
  const search::Clues clues = CluesOf(document_);
  const search::Grid cells = KnownCellsOf(document_);
  UpdateCrossings(clues, cells);
  const bool finished = playing_ && HasClues(clues) && MeetsClues(clues, cells);
  if (finished == finished_) return;
  finished_ = finished;
  timer_.SetFinished(finished);
  document_.GetField().SetFinished(finished);
  view_.PlayFinished(finished ? FinishText() : std::string());
}

// The tables keep a line's first run in its highest used slot; empty slots
// stand for no run wherever they are.
void PlaySession::UpdateCrossings(const search::Clues& clues, const search::Grid& cells) {
  const bool on = playing_ && auto_cross_out_;
  TNumbersTop& top = document_.GetTop();
  for (int x = 1; x <= clues.width; ++x) {
    std::vector<int> placed;
    if (on)
      placed =
          search::PlacedRuns(clues.columns[x - 1], LineOf(cells, x - 1, clues.width, clues.height));
    bool changed = false;
    std::size_t run = 0;
    for (int slot = top.GetRows(); slot >= 1; --slot) {
      const bool crossed = top.GetCell(x, slot) > 0 && on && placed[run++] >= 0;
      changed = changed || top.GetAutoMark(x, slot) != crossed;
      top.SetAutoMark(x, slot, crossed);
    }
    if (changed) top.Redraw(x, -1);
  }
  TNumbersLeft& left = document_.GetLeft();
  for (int y = 1; y <= clues.height; ++y) {
    std::vector<int> placed;
    if (on)
      placed = search::PlacedRuns(clues.rows[y - 1],
                                  LineOf(cells, (y - 1) * clues.width, 1, clues.width));
    bool changed = false;
    std::size_t run = 0;
    for (int slot = left.GetCols(); slot >= 1; --slot) {
      const bool crossed = left.GetCell(slot, y) > 0 && on && placed[run++] >= 0;
      changed = changed || left.GetAutoMark(slot, y) != crossed;
      left.SetAutoMark(slot, y, crossed);
    }
    if (changed) left.Redraw(-1, y);
  }
}

std::string PlaySession::FinishText() {
  const std::string key = BestTimes::KeyOf(CluesOf(document_));
  const std::chrono::milliseconds time = timer_.Elapsed();
  std::string text = "Finished in " + TimeText(time);
  if (!helped_) {
    try {
      if (best_times_.Record(key, time)) return text + ": a new best time!";
    } catch (const TPixlerFileError& error) {
      return text + "; the best time could not be kept: " + error.what();
    }
  }
  const auto best = best_times_.Best(key);
  if (helped_) text += " with help, so it is no record";
  if (best) text += " (best " + TimeText(*best) + ")";
  return text + ".";
}

std::string PlaySession::ShowMistakes(const search::Mistakes& mistakes) {
  if (mistakes.stopped) return {};
  if (mistakes.solution_count == 0) return "The clues have no solution, so no cell can be judged.";
  TField& field = document_.GetField();
  field.ClearMistakes();
  const int width = document_.GetWidth();
  for (const int index : mistakes.cells) field.MarkMistake(index % width + 1, index / width + 1);
  const std::size_t count = mistakes.cells.size();
  const std::string cells = std::to_string(count) + (count == 1 ? " cell" : " cells");
  if (mistakes.solution_count == 1) {
    return count == 0 ? "No mistakes: every decided cell agrees with the solution."
                      : cells + (count == 1 ? " is" : " are") + " wrong (framed in red).";
  }
  return count == 0
             ? "The clues have several solutions; every decided cell agrees with one of "
               "them."
             : "The clues have several solutions; " + cells + (count == 1 ? " agrees" : " agree") +
                   " with none of them (framed in red).";
}

std::string PlaySession::TimeText(std::chrono::milliseconds time) {
  const long long seconds = time.count() / 1000;
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  }
  return text;
}
