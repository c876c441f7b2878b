#pragma once

#include <QString>
#include <exception>

class FileDialogs;
class TPixler;
class TRecovery;
class TfMain;

// The File menu's commands: New, New random puzzle, Open, Save, Import,
// Export and Clear picture, the file named on the command line, and the recovery of unsaved
// work. It owns the name of the file that holds the puzzle, which the
// caption shows. Every command that replaces the puzzle asks about unsaved
// changes first, and a file that is refused changes nothing: not the puzzle,
// not its name, not the caption. A new way to make a puzzle (another format,
// a generator) is one more command here that ends in ShowNewPuzzle, as New
// and Import do.
class FileCommands final {
 public:
  FileCommands(TfMain& window, TPixler& document, FileDialogs& dialogs);
  ~FileCommands();
  FileCommands(const FileCommands&) = delete;
  FileCommands& operator=(const FileCommands&) = delete;

  void New();
  // Opens a puzzle made by the generator, unsolved, in solver mode.
  void NewRandom();
  // Reads both loading check marks before the dialog: coming back from it
  // re-activates the window, which clears them.
  void Open();
  void Save();
  void Import();
  void Export();
  void ClearPicture(bool ask);

  // Loads a puzzle as Open does after its dialog; the two loading check
  // marks are passed in because they were read before any dialog.
  void OpenFile(const QString& file_name, bool clear_after_loading, bool run_after_loading);
  // Opens a file named on the command line as Open does once its dialog has
  // named it, asking first about unsaved (recovered) work.
  void OpenFromCommandLine(const QString& file_name);
  // The program's start: offers back work that a run which did not end
  // normally left behind, then opens the file named on the command line
  // (none when empty). Restored work is never replaced by that file.
  void Start(const QString& file_argument);
  // Import and Export after their dialogs: other puzzle formats and images
  // in, other formats, PNG images and PDF printouts out.
  void ImportFile(const QString& file_name);
  void ExportFile(const QString& file_name);

  // Asks to save unsaved changes before they are replaced; true when the
  // caller may go on (saved, discarded, or nothing to save).
  bool SaveChangesFirst();

  const QString& FileName() const { return file_name_; }
  void SetFileName(const QString& file_name);
  TRecovery& Recovery() { return *recovery_; }

 private:
  // True when the puzzle was written under a name the user chose.
  bool SaveWithDialog();
  // Every command that puts another puzzle on screen ends here.
  void ShowNewPuzzle(const QString& file_name);
  void ImportImage(const QString& file_name);
  static void ShowFileError(const std::exception& error);

  TfMain& window_;
  TPixler& document_;
  FileDialogs& dialogs_;
  // A child of the window, which deletes it.
  TRecovery* recovery_;
  QString file_name_;
};
