#include "ui/QtPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToQtIcon(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::Information:
      return QMessageBox::Information;
    case TMessageIcon::Question:
      return QMessageBox::Question;
    case TMessageIcon::Warning:
      return QMessageBox::Warning;
    case TMessageIcon::Error:
      return QMessageBox::Critical;
    case TMessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

TMessageResult TQtPlatform::ShowMessage(const std::string& caption, const std::string& text,
                                        TMessageButtons buttons, TMessageIcon icon) {
  // The texts break their lines with a bare carriage return, which a Qt label
  // would not show as a break.
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(
      ToQtIcon(icon), QString::fromStdString(caption), shown,
      buttons == TMessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
      QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  const int result = box.exec();
  if (buttons == TMessageButtons::Ok) return TMessageResult::Ok;
  return result == QMessageBox::Yes ? TMessageResult::Yes : TMessageResult::No;
}

void TQtPlatform::ProcessMessages() {
  QCoreApplication::processEvents();
}
