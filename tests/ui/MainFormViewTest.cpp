#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "MainWindowFixture.h"

using MainFormViewTest = MainWindowFixture;

// The manual says so: scroll bars appear only when the puzzle is larger than
// the window.
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
  window->MenuItemResetZoom->trigger();
  QApplication::processEvents();
  EXPECT_EQ(shown(), std::pair(false, false));
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

TEST_F(MainFormViewTest, StatusPanelsHoldTheirLongestTextsWhole) {
  const char* const longest[] = {"Field recursion max: 99",     "Now: 99",        "Type: simple",
                                 "Bruteforce: 100:100 (10000)", "Missing: 10000", "v1.4"};
  for (int i = 0; i < 6; ++i) {
    QLabel* panel = window->StatusPanels[i];
    const int width = panel->width();
    panel->setText(longest[i]);
    EXPECT_LE(panel->sizeHint().width(), width) << longest[i];
  }
  // Real reports of a brute force on a 100 by 100 puzzle.
  window->ReportLevel(2);
  window->ReportPosition(2, "Bruteforce", 100, 100, 9999);
  window->ReportMissing(9999);
  for (QLabel* panel : window->StatusPanels) {
    EXPECT_LE(panel->sizeHint().width(), panel->width()) << panel->text().toStdString();
  }
}
