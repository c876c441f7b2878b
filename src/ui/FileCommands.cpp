#include "ui/FileCommands.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <string>

#include "document/GeneratedPuzzle.h"
#include "document/Pixler.h"
#include "export/PuzzleExport.h"
#include "puzzle/General.h"
#include "puzzle/Platform.h"
#include "ui/FileDialogs.h"
#include "ui/ImageControl.h"
#include "ui/MainForm.h"
#include "ui/NewDialog.h"
#include "ui/PlayCommands.h"
#include "export/PuzzleTransfer.h"
#include "ui/Recovery.h"
#include "ui/SolverCommands.h"
#include "ui/ViewControl.h"

namespace {

constexpr int kLargestSize = 100;

// The exchange formats go through the document; anything else is an image.
bool IsExchangeFormat(const QString& file_name) {
  const QString suffix = QFileInfo(file_name).suffix().toLower();
  return suffix == QLatin1String("non") || suffix == QLatin1String("xml");
}

// Named as an image, or an image by its content whatever its name.
bool IsImage(const QString& file_name) {
  const QByteArray suffix = QFileInfo(file_name).suffix().toLower().toLatin1();
  return QImageReader::supportedImageFormats().contains(suffix) ||
         !QImageReader::imageFormat(file_name).isEmpty();
}

}  // namespace

FileCommands::FileCommands(TfMain& window, TPixler& document, FileDialogs& dialogs)
    : window_(window),
      document_(document),
      dialogs_(dialogs),
      recovery_(new TRecovery(document, &window)) {
  SetFileName(QString());
}

FileCommands::~FileCommands() = default;

void FileCommands::SetFileName(const QString& file_name) {
  file_name_ = file_name;
  recovery_->SetPuzzleName(file_name);
  QString caption = QStringLiteral("Pixlers solver");
  if (!file_name_.isEmpty()) caption += " - " + QFileInfo(file_name_).completeBaseName();
  window_.setWindowTitle(caption);
}

void FileCommands::New() {
  if (!SaveChangesFirst()) return;
  TfNew& dialog = *window_.fNew;
  dialog.FSizeX = document_.GetWidth();
  dialog.FSizeY = document_.GetHeight();
  if (dialog.exec() != QDialog::Accepted) return;
  const int width = dialog.FSizeX;
  const int height = dialog.FSizeY;
  if (width < 1 || width > kLargestSize || height < 1 || height > kLargestSize) {
    const std::string largest = std::to_string(kLargestSize);
    CurrentPlatform().ShowMessage("Error!",
                                  "Entered sizes are invalid.\rEnter width between 1 and " +
                                      largest + ".\rEnter height between 1 and " + largest + ".",
                                  TMessageButtons::Ok, TMessageIcon::Warning);
    return;
  }
  document_.SetSize(width, height);
  document_.Clear();
  document_.SetTitle({});
  document_.MarkClean();
  recovery_->Remove();
  document_.Redraw(-1, -1);
  ShowNewPuzzle(QString());
}

void FileCommands::ShowNewPuzzle(const QString& file_name) {
  SetFileName(file_name);
  // Texts about the puzzle that was replaced.
  window_.StatusHint->clear();
  window_.View().Zoom(ViewControl::Step::Reset);
  window_.Play().Restart();
  // The arrow keys then move the cursor instead of scrolling.
  window_.ImageField->setFocus();
}

// A made puzzle is new like an imported one: no file holds it yet. It is
// there to be solved, so the solver's mode shows it.
void FileCommands::NewRandom() {
  if (!SaveChangesFirst()) return;
  search::Generated generated;
  if (!dialogs_.ExecuteNewRandomDialog(generated)) return;
  document_.ApplyFileData(*PuzzleOf(generated).data);
  recovery_->Remove();
  window_.SetEditorMode(false);
  ShowNewPuzzle(QString());
}

void FileCommands::Open() {
  const bool clear_after_loading = window_.MenuItemClearAfterLoading->isChecked();
  const bool run_after_loading = window_.MenuItemRunAfterLoading->isChecked();
  if (!SaveChangesFirst()) return;
  QString file_name = file_name_;
  if (!dialogs_.ExecuteOpenDialog(file_name)) return;
  OpenFile(file_name, clear_after_loading, run_after_loading);
}

void FileCommands::OpenFromCommandLine(const QString& file_name) {
  const bool clear_after_loading = window_.MenuItemClearAfterLoading->isChecked();
  const bool run_after_loading = window_.MenuItemRunAfterLoading->isChecked();
  if (SaveChangesFirst()) OpenFile(file_name, clear_after_loading, run_after_loading);
}

// The loading options must never touch a puzzle that a refused or passed
// over file left on screen. Another format read as a puzzle file would be
// passed over without a word, and saving it under its own name would
// overwrite it with another format: it is imported instead.
void FileCommands::OpenFile(const QString& file_name, bool clear_after_loading,
                            bool run_after_loading) {
  if (IsExchangeFormat(file_name) || IsImage(file_name)) {
    ImportFile(file_name);
    return;
  }
  try {
    if (!document_.LoadFromFile(file_name.toStdString())) return;
  } catch (const std::exception& error) {
    ShowFileError(error);
    return;
  }
  recovery_->Remove();
  ShowNewPuzzle(file_name);
  if (clear_after_loading) ClearPicture(false);
  window_.Play().Restart();
  if (run_after_loading) window_.Solver().Run(SolverCommands::Step::AllFullPasses);
}

// A failed save keeps the old name, so the caption never names a file that
// does not hold the puzzle.
void FileCommands::Save() {
  SaveWithDialog();
}

bool FileCommands::SaveWithDialog() {
  QString file_name = file_name_;
  if (!dialogs_.ExecuteSaveDialog(file_name)) return false;
  try {
    document_.SaveToFile(file_name.toStdString());
  } catch (const std::exception& error) {
    ShowFileError(error);
    return false;
  }
  SetFileName(file_name);
  document_.MarkClean();
  recovery_->Remove();
  return true;
}

// Replacing or closing a puzzle with unsaved changes used to drop them
// without a word.
bool FileCommands::SaveChangesFirst() {
  if (!document_.IsModified()) return true;
  switch (CurrentPlatform().ShowMessage(TGeneral::kCaption,
                                        "The puzzle has changes that are not saved.\r"
                                        "Save them first?",
                                        TMessageButtons::SaveDiscardCancel,
                                        TMessageIcon::Question)) {
    case TMessageResult::Save:
      return SaveWithDialog();
    case TMessageResult::Discard:
      return true;
    default:
      return false;
  }
}

// Restored work goes back under the name of the file it belonged to, so
// that a save puts it where it was; opening the argument over it would only
// ask to save or discard work that the person just chose to keep.
void FileCommands::Start(const QString& file_argument) {
  if (recovery_->Offer(file_argument)) {
    ShowNewPuzzle(recovery_->RestoredName());
  } else if (!file_argument.isEmpty()) {
    OpenFromCommandLine(file_argument);
  }
}

void FileCommands::ClearPicture(bool ask) {
  if (ask && !TGeneral::MessageAsk("Do you really want to clear the picture?")) return;
  document_.ClearPicture();
  document_.Redraw(-1, -1);
}

void FileCommands::Import() {
  if (!SaveChangesFirst()) return;
  QString file_name;
  if (dialogs_.ExecuteImportDialog(file_name)) ImportFile(file_name);
}

// An import makes a new puzzle that no puzzle file holds yet, so the caption
// names none and Save asks for a new name.
void FileCommands::ImportFile(const QString& file_name) {
  if (!IsExchangeFormat(file_name)) {
    ImportImage(file_name);
    return;
  }
  try {
    document_.ImportFromFile(file_name.toStdString());
  } catch (const std::exception& error) {
    ShowFileError(error);
    return;
  }
  ShowNewPuzzle(QString());
}

// A picture made from an image has no clues to solve yet: it opens in the
// editor, where the clues are made from it.
void FileCommands::ImportImage(const QString& file_name) {
  QImageReader reader(file_name);
  const QImage image = reader.read();
  if (image.isNull()) {
    ShowFileError(
        TPixlerFileError(file_name.toStdString(), 0,
                         "cannot be read as an image: " + reader.errorString().toStdString()));
    return;
  }
  CellPicture cells;
  if (!dialogs_.ExecuteImageDialog(image, cells) ||
      !puzzle_transfer::ImportPicture(document_, cells)) {
    return;
  }
  document_.SetTitle({});
  document_.MarkModified();
  window_.SetEditorMode(true);
  ShowNewPuzzle(QString());
}

void FileCommands::Export() {
  QString file_name;
  if (dialogs_.ExecuteExportDialog(file_name)) ExportFile(file_name);
}

// An export leaves the puzzle, its file name and the caption as they are.
void FileCommands::ExportFile(const QString& file_name) {
  const std::string name = file_name.toStdString();
  const QString suffix = QFileInfo(file_name).suffix().toLower();
  try {
    const auto data = document_.FileData();
    if (IsExchangeFormat(file_name)) {
      document_.ExportToFile(name);
    } else if (suffix == QLatin1String("png")) {
      int scale = 1;
      if (!dialogs_.ExecutePngScaleDialog(scale)) return;
      ExportPng(name, *data, scale);
    } else if (suffix == QLatin1String("pdf")) {
      SolutionPage page;
      if (TGeneral::MessageAsk("Print the solution on a page of its own after the puzzle?")) {
        page = window_.Solver().FindSolutionPage(*data);
        if (page.kind == SolutionPage::Kind::stopped) return;
        if (!page.Problem().empty()) TGeneral::MessageInfo(page.Problem());
      }
      const std::string title = !document_.GetTitle().empty()
                                    ? document_.GetTitle()
                                    : QFileInfo(file_name_.isEmpty() ? file_name : file_name_)
                                          .completeBaseName()
                                          .toStdString();
      ExportPdf(name, *data, title, page.picture);
    } else {
      throw TPixlerFileError(name, 0, "unknown export format; choose .non, .xml, .png or .pdf");
    }
  } catch (const std::exception& error) {
    ShowFileError(error);
  }
}

void FileCommands::ShowFileError(const std::exception& error) {
  CurrentPlatform().ShowMessage(TGeneral::kCaption, error.what(), TMessageButtons::Ok,
                                TMessageIcon::Error);
}
