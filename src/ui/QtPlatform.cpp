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
  QMessageBox::StandardButtons shown_buttons = QMessageBox::Ok;
  if (buttons == TMessageButtons::YesNo) shown_buttons = QMessageBox::Yes | QMessageBox::No;
  if (buttons == TMessageButtons::SaveDiscardCancel) {
    shown_buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  }
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption), shown, shown_buttons,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  if (buttons == TMessageButtons::SaveDiscardCancel) {
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
  }
  const int result = box.exec();
  switch (buttons) {
    case TMessageButtons::Ok:
      return TMessageResult::Ok;
    case TMessageButtons::YesNo:
      return result == QMessageBox::Yes ? TMessageResult::Yes : TMessageResult::No;
    case TMessageButtons::SaveDiscardCancel:
      break;
  }
  if (result == QMessageBox::Save) return TMessageResult::Save;
  return result == QMessageBox::Discard ? TMessageResult::Discard : TMessageResult::Cancel;
}

void TQtPlatform::ProcessMessages() {
  QCoreApplication::processEvents();
}
