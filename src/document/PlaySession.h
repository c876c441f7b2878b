#pragma once

#include <chrono>
#include <string>

#include "document/BestTimes.h"
#include "document/PlayTimer.h"
#include "engine/SearchEngine.h"

class TPixler;

// What the game tells the window; every call comes on the window thread.
class IPlayView {
 public:
  virtual ~IPlayView() = default;

  // The picture changed: PlaySession::Refresh should run once the command
  // at hand is over. Asked once per batch of changes, not per cell.
  virtual void PlayRefreshWanted() = 0;
  // The puzzle was finished, `text` saying so with the time taken; an empty
  // text says that an edit took the finish back.
  virtual void PlayFinished(const std::string& text) = 0;
};

// The game around one document: whether the picture is finished, the time
// spent on it and the best times, the clues the picture proves placed, and
// the wrong cells a check found. The window forwards its events here and
// shows what it is told.
//
// Finished means that every line's filled cells form exactly its runs: the
// clues are compared, not a stored picture, so any solution counts, and
// undecided cells count as empty. A puzzle without a single clue is never
// finished, since there was nothing to solve. A best time is kept only for a
// puzzle played from an empty picture to the end without help: a solver
// command, a hint, a check for mistakes or drawing in editor mode make the
// time no record.
class PlaySession {
 public:
  PlaySession(TPixler& document, IPlayView& view, PlayTimer::Clock clock,
              std::string best_times_path);
  ~PlaySession();
  PlaySession(const PlaySession&) = delete;
  PlaySession& operator=(const PlaySession&) = delete;

  // A new puzzle is on show (New, Open, Import): time from zero, no help yet.
  void Restart();
  // The window is active and not minimised.
  void SetVisible(bool visible) { timer_.SetVisible(visible); }
  // Solver mode plays; editor mode neither finishes nor crosses clues out.
  void SetPlaying(bool playing);
  // A hint or a check ran on this puzzle. Solver commands need no word:
  // the cells they write are flagged as new.
  void NoteHelp() { helped_ = true; }
  // "Cross out finished clues".
  void SetAutoCrossOut(bool on);

  // Takes in the changes since the last call: finishing, its undoing and the
  // program's crossings.
  void Refresh();

  bool Finished() const { return finished_; }
  std::chrono::milliseconds Elapsed() const { return timer_.Elapsed(); }
  bool TimeRunning() const { return timer_.Running(); }
  const BestTimes& Records() const { return best_times_; }

  // Frames the wrong cells on the picture until the next change and returns
  // what to tell the user; a stopped check frames nothing and says nothing.
  std::string ShowMistakes(const search::Mistakes& mistakes);

  // "0:07", "12:34", "1:02:03".
  static std::string TimeText(std::chrono::milliseconds time);

 private:
  void CellsChanged();
  void UpdateCrossings(const search::Clues& clues, const search::Grid& cells);
  std::string FinishText();

  TPixler& document_;
  IPlayView& view_;
  PlayTimer timer_;
  BestTimes best_times_;
  bool playing_ = true;
  bool auto_cross_out_ = false;
  bool finished_ = false;
  bool helped_ = false;
  bool refresh_wanted_ = false;
};
