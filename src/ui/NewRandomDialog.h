#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <thread>

#include "engine/SearchEngine.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

// "New random puzzle...": asks for the size, the density and the difficulty,
// then makes the puzzle on a worker thread while the dialog shows the effort
// spent; Stop (or Esc) ends the work and leaves the choices open to change.
// A grade that cannot be met is said in the dialog, which stays open. The
// dialog is accepted once a puzzle was made.
class TfNewRandom final : public QDialog {
  Q_OBJECT

 public:
  using Generate = std::function<search::Generated(const search::GenerateRequest&,
                                                   const search::GenerateLimits&)>;

  // `generate` makes the puzzle; the engine's generator unless a test
  // stands in for it.
  explicit TfNewRandom(QWidget* parent = nullptr, Generate generate = search::GeneratePuzzle);
  ~TfNewRandom() override;

  QSpinBox* Width;
  QSpinBox* Height;
  QSpinBox* Density;  // percent
  QComboBox* Difficulty;
  QProgressBar* Progress;
  QLabel* Status;
  QPushButton* MakeButton;
  QPushButton* CancelButton;

  bool Running() const { return worker_.joinable(); }
  // The puzzle made, once the dialog was accepted.
  const search::Generated& Made() const { return made_; }

  // Esc and the close button stop a run instead of closing the dialog.
  void reject() override;

 private:
  void Start();
  void Poll();
  void Finish();
  void SetRunning(bool running);

  Generate generate_;
  QTimer* poll_;
  std::thread worker_;
  std::atomic<bool> stop_ = false;
  std::atomic<bool> done_ = false;
  std::atomic<int> tries_ = 0;
  std::atomic<int> max_tries_ = 0;
  search::GenerateRequest request_;
  search::Generated made_;
  std::string failure_;
};
