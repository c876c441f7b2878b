#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "document/Pixler.h"
#include "ui/FileCommands.h"
#include "ui/ImageControl.h"
#include "ui/ImportImageDialog.h"
#include "ui/MainForm.h"
#include "ui/SolverCommands.h"

// The test program's main comes from gtest_main, so the one QApplication is
// made on first use by whichever test needs it and lives until exit.
void EnsureApplication();
// Set in the environment of a test program that a test runs as its child.
inline constexpr const char* kRecoveryChild = "PIXLERS_RECOVERY_CHILD";
// A puzzle file of one undecided cell whose clues fill it.
inline constexpr const char* kOneCell =
    "MK Version 3.0\r\n\r\n1 1\r\n\r\n ?\r\n\r\n 1\r\n\r\n 1\r\n";

// An image of rows of characters: '#' black, '.' white, 'd' grey 127, 'l'
// grey 128, 't' black but fully transparent.
inline QImage Image(const std::vector<std::string>& rows) {
  QImage image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
               QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const char c = rows[y][x];
      const int grey = c == '.' ? 255 : c == 'd' ? 127 : c == 'l' ? 128 : 0;
      image.setPixel(x, y, qRgba(grey, grey, grey, c == 't' ? 0 : 255));
    }
  }
  return image;
}

// A main window whose file dialogs answer with `answer`, or are cancelled
// when it is empty, and count how often they were shown. The image dialog
// takes its own first offer, the scale dialog answers 2.
class TAnsweringWindow : public TfMain {
 public:
  QString answer;
  int dialogs = 0;
  // What the person does while a dialog shows.
  std::function<void()> on_dialog;
  bool accept_image = true;
  int image_dialogs = 0;

 protected:
  bool ExecuteOpenDialog(QString& file_name) override { return Answer(file_name); }
  bool ExecuteSaveDialog(QString& file_name) override { return Answer(file_name); }
  bool ExecuteImportDialog(QString& file_name) override { return Answer(file_name); }
  bool ExecuteExportDialog(QString& file_name) override { return Answer(file_name); }
  bool ExecuteImageDialog(const QImage& image, CellPicture& cells) override {
    ++image_dialogs;
    cells = ImportImageDialog(image, this).Picture();
    return accept_image;
  }
  bool ExecutePngScaleDialog(int& chosen) override {
    chosen = 2;
    return true;
  }

 private:
  bool Answer(QString& file_name) {
    ++dialogs;
    if (on_dialog) on_dialog();
    file_name = answer;
    return !answer.isEmpty();
  }
};

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

// A shown main window on the offscreen platform, with every message box
// going to the scripted platform.
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override;

  int CellSize() { return window->Document().GetField().GetCellSize(); }
  // Centres of a picture cell, of clue slot k of column x and of slot k of
  // row y, in their images' pixels; slot 1 touches the field.
  QPoint FieldCell(int x, int y) {
    return QPoint((x - 1) * CellSize() + CellSize() / 2, (y - 1) * CellSize() + CellSize() / 2);
  }
  QPoint TopSlot(int x, int k) {
    return QPoint(FieldCell(x, 1).x(), window->ImageTopClues->height() - 1 - FieldCell(1, k).y());
  }
  QPoint LeftSlot(int k, int y) {
    return QPoint(window->ImageLeftClues->width() - 1 - FieldCell(k, 1).x(), FieldCell(1, y).y());
  }

  static void Mouse(TImageControl* image, QEvent::Type type, QPoint at, Qt::MouseButton button,
                    Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, image->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(image, &event);
  }
  static void Click(TImageControl* image, QPoint at, Qt::MouseButton button,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Mouse(image, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, modifiers);
    Mouse(image, QEvent::MouseButtonPress, at, button, button, modifiers);
    Mouse(image, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
  }
  // Presses on the first cell, moves over the rest and releases on the last.
  void Stroke(std::initializer_list<QPoint> cells, Qt::MouseButton button) {
    Mouse(window->ImageField, QEvent::MouseButtonPress, *cells.begin(), button, button);
    for (QPoint at : cells) Mouse(window->ImageField, QEvent::MouseMove, at, Qt::NoButton, button);
    Mouse(window->ImageField, QEvent::MouseButtonRelease, *(cells.end() - 1), button, {});
  }

  // Replaces the window with a shown one of another kind.
  template <class TWindow>
  TWindow& Replace() {
    auto replacement = std::make_unique<TWindow>();
    TWindow& result = *replacement;
    window = std::move(replacement);
    window->show();
    return result;
  }

  // Rows of the picture: '.' undecided, '#' filled, 'x' empty, 'o' might be
  // filled, '-' might be empty; with the new flag 'N' filled, 'X' empty.
  std::vector<std::string> Picture();
  void SetPicture(const std::vector<std::string>& rows);
  // A puzzle of the picture's size and clues with every cell undecided, or
  // with the picture drawn when it is kept.
  void MakePuzzle(const std::vector<std::string>& rows, bool keep_picture = false);

  // Writes a file into the test's folder and returns its path.
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }
  // Writes a puzzle file and opens it as Open does, without the loading options.
  QString Open(const QString& name, const QByteArray& bytes = kOneCell) {
    const QString path = Write(name, bytes);
    window->Files().OpenFile(path, false, false);
    return path;
  }

  // Declared first, so it outlives the window.
  std::unique_ptr<TScriptedPlatform> platform;
  std::unique_ptr<TfMain> window;
  // A fresh folder for the test's files.
  QTemporaryDir folder;
};
