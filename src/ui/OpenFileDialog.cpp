#include "ui/OpenFileDialog.h"

#include <QFileInfo>

OpenFileDialog::OpenFileDialog(QWidget* parent, const QString& filter,
                               const QString& default_suffix)
    : QFileDialog(parent, QString(), QStringLiteral("."), filter), default_suffix_(default_suffix) {
  setAcceptMode(QFileDialog::AcceptOpen);
  setFileMode(QFileDialog::ExistingFile);
}

// QFileDialog's own default suffix would be added before the name as typed
// is ever looked for; its own check would refuse the completed name.
void OpenFileDialog::accept() {
  const QStringList typed = selectedFiles();
  chosen_ = typed.value(0);
  if (typed.size() == 1) {
    const QFileInfo as_typed(chosen_);
    const QString completed = chosen_ + '.' + default_suffix_;
    if (!as_typed.exists() && !as_typed.fileName().contains('.') && QFileInfo::exists(completed)) {
      chosen_ = completed;
      QDialog::accept();
      return;
    }
  }
  QFileDialog::accept();
}
