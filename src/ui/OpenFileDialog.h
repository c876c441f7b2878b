#pragma once

#include <QFileDialog>
#include <QString>

// The Open dialog. A name typed without an extension is taken as it stands
// when such a file exists; only otherwise does the default extension complete
// it, so that files without an extension can be opened too.
class OpenFileDialog : public QFileDialog {
 public:
  OpenFileDialog(QWidget* parent, const QString& filter, const QString& default_suffix);

  void accept() override;
  // The file the dialog was accepted with.
  const QString& ChosenFile() const { return chosen_; }

 private:
  QString default_suffix_;
  QString chosen_;
};
