#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "MainWindowFixture.h"

using MainFormViewTest = MainWindowFixture;

// The manual says so: scroll bars appear only when the puzzle is larger than
// the window; a puzzle that fits stays centred.
TEST_F(MainFormViewTest, ScrollBarsShowOnlyWhenThePuzzleIsLargerThanTheView) {
  QScrollBar* horizontal = window->Background->horizontalScrollBar();
  QScrollBar* vertical = window->Background->verticalScrollBar();
  auto shown = [&] { return std::pair(horizontal->isVisible(), vertical->isVisible()); };
  auto wheel = [&](QPoint delta) {
    QWheelEvent event(QPointF(50, 50), window->Background->mapToGlobal(QPointF(50, 50)), QPoint(),
                      delta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window->Background->viewport(), &event);
  };

  MakePuzzle(std::vector<std::string>(10, "#.#.#.#.#.#"));
  QTest::keyClick(window.get(), Qt::Key_J, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(shown(), std::pair(false, false));
  // Centred: the space right of the field matches the space left of the row
  // clues, and the space below it the space above the column clues.
  int field_width = 0, field_height = 0, top_height = 0, left_width = 0;
  window->Document().GetPixelSizes(field_width, field_height, top_height, left_width);
  const QSize view = window->Background->viewport()->size();
  const QPoint corner = window->ImageField->pos() - QPoint(horizontal->value(), vertical->value());
  EXPECT_NEAR(corner.x() - left_width, view.width() - corner.x() - field_width, 4);
  EXPECT_NEAR(corner.y() - top_height, view.height() - corner.y() - field_height, 4);
  // Neither the wheel nor a key moves a puzzle that fits off its centre.
  const std::pair centred(horizontal->value(), vertical->value());
  wheel(QPoint(0, -120));
  wheel(QPoint(-120, 0));
  QTest::keyClick(window->Background, Qt::Key_PageDown);
  EXPECT_EQ(std::pair(horizontal->value(), vertical->value()), centred);

  for (int i = 0; i < 30; ++i) window->MenuItemZoomIn->trigger();
  QApplication::processEvents();
  EXPECT_EQ(shown(), std::pair(true, true));
  const int top = vertical->value();
  wheel(QPoint(0, -120));
  EXPECT_GT(vertical->value(), top);

  // A wide, flat puzzle with its row clues is wider than the view even at its
  // smallest cells, and needs only the horizontal bar.
  MakePuzzle({std::string(100, '#'), std::string(100, '.')});
  window->MenuItemResetZoom->trigger();
  QApplication::processEvents();
  EXPECT_EQ(shown(), std::pair(true, false));

  MakePuzzle(std::vector<std::string>(10, "#.#.#.#.#.#"));
  window->MenuItemResetZoom->trigger();
  QApplication::processEvents();
  EXPECT_EQ(shown(), std::pair(false, false));
}

// Each panel is as wide as the longest text it can show.
TEST_F(MainFormViewTest, StatusPanelsHoldTheirLongestTextsWhole) {
  // Reports at their widest: a brute force on a 100 by 100 puzzle, 99
  // levels deep.
  window->ReportLevel(99);
  window->ReportType(99, "simple");
  window->ReportPosition(2, "Bruteforce", 100, 100, 10000);
  window->ReportMissing(10000);
  for (QLabel* panel : window->StatusPanels) {
    EXPECT_LE(panel->sizeHint().width(), panel->width()) << panel->text().toStdString();
  }
}

// Compact clue areas leave the room of the slots no clue needs to the cells,
// keep clicks on the slots shown, lengthen a clue in the editor without
// moving the cells under the mouse, and are remembered for the next run.
TEST_F(MainFormViewTest, CompactClueAreasGiveTheirRoomToTheCellsAndAreRemembered) {
  window->showNormal();
  window->resize(1600, 1000);
  QApplication::processEvents();
  // Ten runs in each of 60 rows, full columns: 10 slot columns of 30 and one
  // slot row of 30 are needed.
  MakePuzzle(std::vector<std::string>(60, std::string(10, '#') + std::string(50, '.')));
  for (int i = 0; i < 60; i += 6) {
    window->Document().GetLeft().SetCell(i / 6 + 1, 1, 1);
  }
  window->MenuItemResetZoom->trigger();
  const int full = CellSize();
  auto compact = [&](bool on) {
    if (window->MenuItemCompactClues->isChecked() != on) {
      QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QApplication::processEvents();
    return CellSize();
  };
  const int cell = compact(true);
  TNumbersLeft& left = window->Document().GetLeft();
  EXPECT_EQ(std::pair(left.GetCols(), window->Document().GetTop().GetRows()), std::pair(10, 1));
  EXPECT_GE(cell * 5, full * 6) << full << " " << cell;

  QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(left.GetCols(), 11);
  Click(window->ImageLeftClues, LeftSlot(11, 1), Qt::LeftButton);
  Click(window->ImageLeftClues, LeftSlot(11, 1), Qt::LeftButton);
  EXPECT_EQ(std::tuple(left.GetCell(11, 1), left.GetCols(), CellSize()), std::tuple(2, 12, cell));
  Click(window->ImageLeftClues, LeftSlot(13, 1), Qt::LeftButton);
  EXPECT_EQ(left.GetCell(13, 1), 0);

  Replace<TfMain>();
  EXPECT_TRUE(window->MenuItemCompactClues->isChecked());
  EXPECT_TRUE(window->Document().GetCompact());
  const QString faase = QStringLiteral(PIXLERS_CORPUS_DIR "/survey_free/faase.pixler");
  if (QFile::exists(faase)) {
    window->showNormal();
    window->resize(1600, 1000);
    window->Files().OpenFile(faase, false, false);
    QApplication::processEvents();
    const int on = CellSize();
    const int off = compact(false);
    EXPECT_GE(on * 5, off * 6) << off << " " << on;
  }
}
