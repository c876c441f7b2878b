#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "document/Pixler.h"
#include "ui/ImageControl.h"
#include "ui/MainForm.h"

// The test program's main comes from gtest_main, so the one QApplication is
// made on first use by whichever test needs it and lives until exit.
void EnsureApplication();

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

// A shown main window on the offscreen platform, with every message box
// going to the scripted platform; brings in what every window test uses.
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override;

  int CellSize();
  // Centres of a picture cell, of clue slot k of column x and of slot k of
  // row y, in their images' pixels; slot 1 touches the field.
  QPoint FieldCell(int x, int y);
  QPoint TopSlot(int x, int k);
  QPoint LeftSlot(int k, int y);

  static void Mouse(TImageControl* image, QEvent::Type type, QPoint at, Qt::MouseButton button,
                    Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Click(TImageControl* image, QPoint at, Qt::MouseButton button,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  // Rows of the picture: '.' undecided, '#' filled, 'x' empty, 'o' might be
  // filled, '-' might be empty; with the new flag 'N' filled, 'X' empty.
  std::vector<std::string> Picture();
  void SetPicture(const std::vector<std::string>& rows);
  // A puzzle of the picture's size and clues with every cell undecided.
  void MakePuzzle(const std::vector<std::string>& rows);

  // Declared first, so it outlives the window.
  std::unique_ptr<TScriptedPlatform> platform;
  std::unique_ptr<TfMain> window;
};
