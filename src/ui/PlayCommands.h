#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>

#include "document/PlaySession.h"
#include "solver/SolverBase.h"

class PixlerSearch;
class TPixler;
class TfMain;

// The window's side of the game: "Show timer" (View), "Cross out finished
// clues" (Options) and "Check for mistakes" (Solver), with the time and what
// the game says in the status bar. The game itself is PlaySession's; this
// unit hands it what the window's handlers forward and shows what it is
// told. Both check marks are remembered from one run of the program to the
// next.
class PlayCommands final : public QObject, public IPlayView {
  Q_OBJECT

 public:
  // Sets the window's two check marks as they were remembered. Tests hand in
  // a clock they step themselves.
  PlayCommands(TfMain& window, TPixler& document,
               PlayTimer::Clock clock = PlayTimer::SteadyClock());
  ~PlayCommands() override;

  // Where the best times are kept: the user's data folder.
  static QString BestTimesPath();

  // A new puzzle is on show: New, Open, Import, recovered work.
  void Restart();
  void SetPlaying(bool playing) { session_->SetPlaying(playing); }
  // The window is active and not minimised.
  void SetVisible(bool visible) { session_->SetVisible(visible); }
  // A hint was asked for.
  void NoteHelp() { session_->NoteHelp(); }
  void ShowTimer(bool on);
  void CrossOutClues(bool on);
  // "Check for mistakes", run on the worker thread by `search` inside a
  // solver command; a stopped check says nothing.
  void CheckMistakes(PixlerSearch& search, const std::shared_ptr<ISolverCallback>& callback);
  // Brings the timer's panel up to date; a tick calls it a few times a
  // second.
  void ShowTime();

  PlaySession& Session() { return *session_; }

  void PlayRefreshWanted() override;
  void PlayFinished(const std::string& text) override;

 private:
  TfMain& window_;
  std::unique_ptr<PlaySession> session_;
  QTimer tick_;
};
