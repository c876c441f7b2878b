#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class TPixler;

// Keeps unsaved work safe from a crash: while the puzzle has unsaved changes
// it is written, as a puzzle file and atomically like a save, to a recovery
// file in the user's data folder every minute and whenever the window asks
// (before every solve); the next start offers it back. Beside it a second
// file names the puzzle file the work belonged to, so that the work goes
// back under that name.
class TRecovery final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIntervalMs = 60 * 1000;

  TRecovery(TPixler& document, QObject* parent);

  static QString Path();
  // The file that holds the puzzle's file name.
  static QString NamePath();
  // The puzzle's file name, empty while no file holds it.
  void SetPuzzleName(const QString& file_name) { puzzle_name_ = file_name; }
  bool Exists() const;
  // Writes the puzzle when it has unsaved changes; removes a file that no
  // longer holds anything unsaved.
  void Keep();
  void Remove();
  // Asks whether to restore work that an earlier run left behind, naming
  // the puzzle it belonged to and, when not empty, the file that restoring
  // leaves unopened; true when the document now holds it, marked as
  // unsaved, and RestoredName names its puzzle file. A file the user
  // declines is removed.
  bool Offer(const QString& instead_of);
  const QString& RestoredName() const { return restored_name_; }

  const QTimer& Timer() const { return timer_; }

 private:
  TPixler& document_;
  QTimer timer_;
  QString puzzle_name_;
  QString restored_name_;
};
