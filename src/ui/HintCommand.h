#pragma once

#include <QObject>

#include "engine/SearchEngine.h"

class TfMain;

// "Explain next piece": finds the next deduction, shows its line and the
// cells it decides on the picture, and its reason in the status bar and a
// tool tip, until the next edit. Run again, or Apply, while it is shown
// writes its cells as one undo step.
class HintCommand final : public QObject {
  Q_OBJECT

 public:
  explicit HintCommand(TfMain& window);

  // Applies the hint on show, if it decides cells; otherwise finds and shows
  // the next one.
  void Run();
  // False when no hint with cells is shown.
  bool Apply();
  bool Shown() const;
  const search::Hint& Current() const { return hint_; }

 private:
  void Show();
  void Cleared();

  TfMain& window_;
  search::Hint hint_;
  // The field may show another overlay, which is not this hint.
  bool shown_ = false;
};
