#pragma once

#include <QString>

#include "engine/SearchEngine.h"
#include "export/ImageConversion.h"

class QImage;
class QWidget;

// The questions the file commands put to the person: which file, how an
// image becomes a picture, how large an exported image is, what random
// puzzle to make. Each answers true
// when the person chose, with the choice in its argument. The main window
// inherits them so that tests can answer in the person's place.
class FileDialogs {
 public:
  explicit FileDialogs(QWidget* parent) : parent_(parent) {}
  virtual ~FileDialogs() = default;
  FileDialogs(const FileDialogs&) = delete;
  FileDialogs& operator=(const FileDialogs&) = delete;

  virtual bool ExecuteOpenDialog(QString& file_name);
  virtual bool ExecuteSaveDialog(QString& file_name);
  virtual bool ExecuteImportDialog(QString& file_name);
  virtual bool ExecuteExportDialog(QString& file_name);
  virtual bool ExecuteImageDialog(const QImage& image, CellPicture& cells);
  // Pixels per cell of an exported PNG image.
  virtual bool ExecutePngScaleDialog(int& scale);
  // Size, density and difficulty of a random puzzle, which the dialog then
  // makes; true with the puzzle made.
  virtual bool ExecuteNewRandomDialog(search::Generated& generated);

 private:
  QWidget* parent_;
};
