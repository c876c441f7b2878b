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

  // The manual to show: "readme.txt" in the current folder, else the copy
  // beside the program (a build), else the installed one under the prefix
  // the program lies in. Empty when there is none.
  static QString FindManual(const QString& program_folder);

  QFrame* Panel1;
  QLabel* AppName;
  QLabel* Description;
  QPlainTextEdit* Manual;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void LoadManual();
};
