#pragma once

#include <QObject>
#include <memory>

#include "engine/SearchEngine.h"

class QAction;
class QLabel;
class PixlerSearch;
class TfMain;

// "Make unique": finds a few cells whose change gives the picture clues
// with one solution, and shows them as marks on the picture with their
// count, until Enter applies them as one undo step, Esc drops them, or any
// edit makes them stale. Editor mode only, like the other commands that
// build a puzzle from its picture.
class UniqueProposal final : public QObject {
  Q_OBJECT

 public:
  // Adds its item to the Edit menu and its panel to the status bar.
  explicit UniqueProposal(TfMain& window);
  ~UniqueProposal() override;

  QAction* Item() const { return item_; }
  QLabel* Panel() const { return panel_; }
  // Looks for the change on the worker thread while the window stays live,
  // then shows it; Esc stops the search.
  void Run();
  void Stop();
  bool Running() const { return running_; }
  bool Shown() const;
  // False when no change is on show.
  bool Apply();
  void Drop();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show(const search::UniquePicture& made);
  void Cleared();
  void ModeChanged(bool editor);

  TfMain& window_;
  QAction* item_;
  QLabel* panel_;
  std::unique_ptr<PixlerSearch> search_;
  search::Grid proposed_;
  bool shown_ = false;
  bool running_ = false;
};
