#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class TPixler;

// Keeps unsaved work safe from a crash: while the puzzle has unsaved changes
// it is written, as a puzzle file and atomically like a save, to a recovery
// file in the user's data folder every minute and whenever the window asks
// (before every solve); the next start offers it back.
class TRecovery final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIntervalMs = 60 * 1000;

  TRecovery(TPixler& document, QObject* parent);

  static QString Path();
  bool Exists() const;
  // Writes the puzzle when it has unsaved changes; removes a file that no
  // longer holds anything unsaved.
  void Keep();
  void Remove();
  // Asks whether to restore work that an earlier run left behind; true when
  // the document now holds it, marked as unsaved. A file the user declines
  // is removed.
  bool Offer();

  const QTimer& Timer() const { return timer_; }

 private:
  TPixler& document_;
  QTimer timer_;
};
