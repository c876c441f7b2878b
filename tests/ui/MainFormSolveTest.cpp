
#include <QLabel>
#include <QRegularExpression>
#include <utility>

#include "MainWindowFixture.h"

using MainFormSolveTest = MainWindowFixture;

const std::vector<std::string> kHeart = {".##...##.", "####.####", "#########", ".#######.",
                                         "..#####..", "...###...", "....#...."};

// A picture whose solving takes far longer than one pass of the message loop.
static std::vector<std::string> LargeStripes() {
  std::vector<std::string> rows(100);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) rows[y] += (x * 7 + y * 3) % 11 < 5 ? '#' : 'x';
  }
  return rows;
}

// After every solve command the status bar says what it did, until the
// next command or another puzzle.
TEST_F(MainFormSolveTest, TheStatusBarSaysWhatACommandDid) {
  const struct {
    std::vector<std::string> puzzle;
    QAction* command;
    const char* status;
  } cases[] = {
      {kHeart, window->MenuItemSolverFindAllPieces, "solved"},
      {kHeart, window->MenuItemSolverSearch, "solved"},
      {kHeart, window->MenuItemSolverFindPiece, "1 cell decided"},
      {{"#.", ".#"}, window->MenuItemSolverFindPiece, "no new pieces"},
  };
  // Without the brute force the two solutions leave every cell open.
  window->MenuItemSolverFieldRecurse1->trigger();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    MakePuzzle(c.puzzle);
    c.command->trigger();
    EXPECT_TRUE(QRegularExpression(QString("^%1$").arg(c.status))
                    .match(window->StatusHint->text())
                    .hasMatch())
        << window->StatusHint->text().toStdString();
  }
  QTemporaryDir folder;
  window->Document().MarkClean();
  window->Files().OpenFile(WriteFile(folder, "one.pixler",
                                     "MK Version 3.0\r\n\r\n1 1\r\n\r\n ?\r\n\r\n 1\r\n\r\n 1\r\n"),
                           false, false);
  EXPECT_EQ(window->StatusHint->text(), "");
}

TEST_F(MainFormSolveTest, EscapeStopsALongRun) {
  MakePuzzle(LargeStripes());
  int polls = 0;
  platform->on_process_messages = [&] {
    if (++polls == 1) QTest::keyClick(window.get(), Qt::Key_Escape);
    // Should the key go astray, the run still ends, as a failure.
    if (polls == 1000) window->ToolButtonSolverStop->trigger();
  };
  window->ToolButtonSolverRealtime->trigger();

  EXPECT_LT(polls, 1000) << "Esc did not stop the run";
  ASSERT_EQ(platform->messages.size(), 1u) << "a stopped realtime run still tells its time";
  EXPECT_EQ(platform->messages[0].text.rfind("Total CPU time taken: ", 0), 0u);
}

TEST_F(MainFormSolveTest, ClosingDuringASolveWaitsForTheSolveToReturn) {
  MakePuzzle(LargeStripes());
  bool closed_during_run = false;
  platform->on_process_messages = [&] {
    if (std::exchange(closed_during_run, true)) return;
    window->close();
    EXPECT_TRUE(window->isVisible()) << "the window stays while the solver runs";
  };
  // The solved picture is not saved; closing asks once the solve returned.
  platform->Answer(TMessageResult::Discard);
  window->MenuItemSolverAllFullPasses->trigger();
  EXPECT_TRUE(closed_during_run);
  EXPECT_FALSE(window->Solver().Running());
  QApplication::processEvents();
  EXPECT_FALSE(window->isVisible());
}
