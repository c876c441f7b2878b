#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QStringList>

#include "export/PuzzleExport.h"
#include "ui/ImportImageDialog.h"
#include "ui/NewRandomDialog.h"
#include "ui/OpenFileDialog.h"

namespace {

const char* const kFileFilter =
    "All Pixlers Files (*.pixler *.ppixler *.spixler);;Empty Pixlers (*.pixler);;"
    "Partially Solved Pixlers (*.ppixler);;Solved Pixlers (*.spixler);;All Files (*)";
// Open also reads what Import reads.
const char* const kOpenFilter =
    "All Pixlers Files (*.pixler *.ppixler *.spixler);;Empty Pixlers (*.pixler);;"
    "Partially Solved Pixlers (*.ppixler);;Solved Pixlers (*.spixler);;"
    "Nonogram text (*.non);;webpbn XML (*.xml);;Images (*.png *.jpg *.bmp *.pbm);;All Files (*)";
const char* const kImportFilter =
    "Nonogram text (*.non);;webpbn XML (*.xml);;Images (*.png *.jpg *.bmp *.pbm)";
const char* const kExportFilter =
    "Nonogram text (*.non);;webpbn XML (*.xml);;PNG image (*.png);;PDF for printing (*.pdf)";
const QStringList kExportSuffixes = {QStringLiteral("non"), QStringLiteral("xml"),
                                     QStringLiteral("png"), QStringLiteral("pdf")};

}  // namespace

bool FileDialogs::ExecuteOpenDialog(QString& file_name) {
  OpenFileDialog dialog(parent_, QString::fromLatin1(kOpenFilter), QStringLiteral("pixler"));
  if (!file_name.isEmpty()) dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.ChosenFile().isEmpty()) return false;
  file_name = dialog.ChosenFile();
  return true;
}

bool FileDialogs::ExecuteSaveDialog(QString& file_name) {
  QFileDialog dialog(parent_, QString(), QStringLiteral("."), QString::fromLatin1(kFileFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("pixler"));
  if (!file_name.isEmpty()) dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  file_name = dialog.selectedFiles().constFirst();
  return true;
}

bool FileDialogs::ExecuteImportDialog(QString& file_name) {
  QFileDialog dialog(parent_, QStringLiteral("Import"), QStringLiteral("."),
                     QString::fromLatin1(kImportFilter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  file_name = dialog.selectedFiles().constFirst();
  return true;
}

// A name without a known extension gets the chosen filter's.
bool FileDialogs::ExecuteExportDialog(QString& file_name) {
  QFileDialog dialog(parent_, QStringLiteral("Export"), QStringLiteral("."),
                     QString::fromLatin1(kExportFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  file_name = dialog.selectedFiles().constFirst();
  const QString filter = dialog.selectedNameFilter();
  const QString chosen = filter.mid(filter.indexOf(QLatin1String("*.")) + 2).chopped(1);
  if (!kExportSuffixes.contains(QFileInfo(file_name).suffix().toLower())) {
    file_name += QLatin1Char('.') + chosen;
  }
  return true;
}

bool FileDialogs::ExecuteImageDialog(const QImage& image, CellPicture& cells) {
  ImportImageDialog dialog(image, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  cells = dialog.Picture();
  return true;
}

bool FileDialogs::ExecutePngScaleDialog(int& scale) {
  bool accepted = false;
  scale = QInputDialog::getInt(parent_, QStringLiteral("Export PNG image"),
                               QStringLiteral("Pixels per cell:"), 8, 1, kLargestPngScale, 1,
                               &accepted);
  return accepted;
}

bool FileDialogs::ExecuteNewRandomDialog(search::Generated& generated) {
  TfNewRandom dialog(parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  generated = dialog.Made();
  return true;
}
