#pragma once

#include <QObject>
#include <QString>

#include "engine/SearchEngine.h"

class QAction;
class QLabel;
class QTimer;
class BackgroundCheck;
class TfMain;

// "Check while drawing": in editor mode, after each stroke, the verdict of
// the picture's own clues in the status bar and the cells where a solver
// would have to guess tinted on the picture. It reads the document and
// never changes it. Judging runs on a thread of its own, so drawing never
// waits; a stroke during a judgement stops it.
class DrawingCheck final : public QObject {
  Q_OBJECT

 public:
  // Serves the window's check mark and adds its panel to the status bar.
  explicit DrawingCheck(TfMain& window);

  QAction* Item() const { return item_; }
  QLabel* Panel() const { return panel_; }
  // The clues whose verdict is shown: the picture's own, or, while nothing
  // is drawn, the clues typed into the tables.
  search::Clues CluesToJudge() const;

  static QString VerdictText(const search::Result& result);

 private:
  void Toggled(bool on);
  void ModeChanged(bool editor);
  // Starts a judgement when the clues changed since the last one and no
  // stroke is under way.
  void Poll();
  void Judged(const search::Verdict& verdict, const QString& failure);
  void Stop();

  TfMain& window_;
  QAction* item_;
  QLabel* panel_;
  QTimer* poll_;
  BackgroundCheck* check_;
  search::Clues judged_;
  bool any_judged_ = false;
};
