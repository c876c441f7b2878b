#pragma once

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

#include "document/PlaySession.h"
#include "solver/SolverBase.h"

class PixlerSearch;
class QAction;
class QLabel;
class TfMain;

// The window's side of the game: "Show timer" (View), "Cross out finished
// clues" (Options) and "Check for mistakes" (Solver), with the time and what
// the game says in the status bar. The game itself is PlaySession's; this
// unit hands it the window's events and shows what it is told. Both check
// marks are remembered from one run of the program to the next.
class PlayCommands final : public QObject, public IPlayView {
  Q_OBJECT

 public:
  // Tests hand in a clock they step themselves.
  explicit PlayCommands(TfMain& window, PlayTimer::Clock clock = PlayTimer::SteadyClock());
  ~PlayCommands() override;

  // Where the best times are kept: the user's data folder.
  static QString BestTimesPath();

  // A new puzzle is on show.
  void Restart();
  // A solver command changed or may change the picture.
  void NoteHelp() { session_->NoteHelp(); }
  void SetPlaying(bool playing) { session_->SetPlaying(playing); }
  // "Check for mistakes", run on the worker thread by `search`; Stop ends it
  // without a word.
  void CheckMistakes(PixlerSearch& search, std::shared_ptr<ISolverCallback> callback);
  // Brings the timer's panel up to date; the window's tick calls it.
  void ShowTime();

  PlaySession& Session() { return *session_; }

  void PlayRefreshWanted() override;
  void PlayFinished(const std::string& text) override;

  QAction* MenuItemShowTimer;
  QAction* MenuItemCrossOutClues;
  QAction* MenuItemCheckMistakes;
  QLabel* StatusTimer;
  // The finish, and what a check for mistakes found.
  QLabel* StatusPlay;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TfMain& window_;
  std::unique_ptr<PlaySession> session_;
  QTimer tick_;
};
