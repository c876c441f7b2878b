#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the size of a new puzzle. The caller sets FSizeX and FSizeY before
// showing it and reads them after OK; the range is the caller's to check.
class TfNew final : public QDialog {
  Q_OBJECT

 public:
  explicit TfNew(QWidget* parent = nullptr);

  int32_t FSizeX = 25;
  int32_t FSizeY = 25;

  QLabel* SizeXLabel;
  QLabel* SizeYLabel;
  QLineEdit* SizeX;
  QLineEdit* SizeY;
  QPushButton* OkButton;
  QPushButton* CancelButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OkButtonClick();
};
