#include "ui/NewDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "puzzle/Platform.h"

namespace {

bool ReadNumber(const QLineEdit* edit, int32_t& value) {
  bool ok = false;
  const int number = edit->text().trimmed().toInt(&ok, 10);
  if (ok) value = number;
  return ok;
}

}  // namespace

TfNew::TfNew(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Create new ..."));
  setFixedSize(269, 77);

  SizeX = new QLineEdit(this);
  SizeX->setGeometry(64, 10, 89, 23);
  SizeY = new QLineEdit(this);
  SizeY->setGeometry(64, 44, 89, 23);
  SizeXLabel = new QLabel(QStringLiteral("Size &X:"), this);
  SizeXLabel->setGeometry(10, 10, 50, 23);
  SizeXLabel->setBuddy(SizeX);
  SizeYLabel = new QLabel(QStringLiteral("Size &Y:"), this);
  SizeYLabel->setGeometry(10, 44, 50, 23);
  SizeYLabel->setBuddy(SizeY);

  OkButton = new QPushButton(QStringLiteral("&Ok"), this);
  OkButton->setGeometry(172, 9, 87, 26);
  OkButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
  CancelButton->setGeometry(172, 43, 87, 26);

  connect(OkButton, &QPushButton::clicked, this, &TfNew::OkButtonClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TfNew::showEvent(QShowEvent* event) {
  SizeX->setText(QString::number(FSizeX));
  SizeY->setText(QString::number(FSizeY));
  SizeX->setFocus();
  SizeX->selectAll();
  QDialog::showEvent(event);
}

// A width that was read stays stored even when the height then fails.
void TfNew::OkButtonClick() {
  if (!ReadNumber(SizeX, FSizeX) || !ReadNumber(SizeY, FSizeY)) {
    CurrentPlatform().ShowMessage("Error!", "A number was awaited...", TMessageButtons::Ok,
                                  TMessageIcon::Warning);
    return;
  }
  accept();
}
