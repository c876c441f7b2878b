#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;

// The help window: the program's name over the manual, which is read afresh
// from "readme.txt" every time the window is shown.
class TfAbout final : public QDialog {
  Q_OBJECT

 public:
  explicit TfAbout(QWidget* parent = nullptr);

  QFrame* Panel1;
  QLabel* AppName;
  QLabel* Description;
  QPlainTextEdit* Manual;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void LoadManual();
};
