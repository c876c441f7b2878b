#pragma once

#include <QObject>

#include "engine/SearchEngine.h"

class TfMain;

// "Make unique"'s answer on show: the cells whose change gives the picture
// clues with one solution, as marks on the picture with their count in the
// status bar, until Enter applies them as one undo step, Esc drops them, or
// any edit makes them stale. The search itself is a solver command.
class UniqueProposal final : public QObject {
  Q_OBJECT

 public:
  explicit UniqueProposal(TfMain& window);

  // Shows what the search found: the changes, or a word when there are none.
  void Show(const search::UniquePicture& made);
  bool Shown() const;
  // Each false when no proposal is on show.
  bool Apply();
  bool Drop();

 private:
  void Cleared();

  TfMain& window_;
  search::Grid proposed_;
  bool shown_ = false;
};
