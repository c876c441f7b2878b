#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>

#include "../engine/SearchPictures.h"
#include "MainWindowFixture.h"
#include "engine/SearchEngine.h"
#include "ui/BackgroundCheck.h"
#include "ui/DrawingCheck.h"
#include "ui/UniqueProposal.h"

namespace {

using TRows = std::vector<std::string>;
// Every row and column holds one filled cell: 100! solutions, and probing
// alone takes long, so a judgement of these clues is still under way when
// the next request comes.
using search_test::OneCellPerLine;

class DrawingCheckTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    check = window->Check;
  }
  // Waits for the panel to show `text`; false when it never does.
  bool Shows(const QString& text) {
    return QTest::qWaitFor([&] { return check->Panel()->text() == text; }, 30000);
  }
  std::vector<int> Doubts() {
    std::vector<int> counts(3, 0);
    const TField& field = window->Document().GetField();
    for (int y = 1; y <= window->Document().GetHeight(); ++y) {
      for (int x = 1; x <= window->Document().GetWidth(); ++x) ++counts[field.GetDoubt(x, y)];
    }
    return counts;
  }

  DrawingCheck* check = nullptr;
};

TEST_F(DrawingCheckTest, ShowsTheVerdictOfThePictureAndWhereASolverMustGuess) {
  // Verdict, whether some cells only probing decides, whether some cells not
  // even probing decides, and the picture with its rows apart.
  const std::tuple<const char*, bool, bool, const char*> cases[] = {
      {"unique, line logic", false, false, "....## #.#..# #.##.# ..###. ##.### #....."},
      {"unique, probing", true, false, ".#.### ..##.# .#..#. #..### #..### .#...#"},
      {"unique, search", true, true,
       "##......#... .#..##.#.##. ......#..#.. ...#..#..#.. ###..#.#.##. ##......##.# "
       ".##..##.##.. ##..##..#..# ..#.##.#.... ##..##....## .....##..#.# #.##.#.#...."},
      {"several solutions", false, true, "#..# .##. .##. #..#"},
  };
  window->MenuItemSwitchEditMode->trigger();
  window->MenuItemCheckWhileDrawing->setChecked(true);
  for (const auto& [verdict, line_logic_open, probing_open, picture] : cases) {
    SCOPED_TRACE(verdict);
    MakePuzzle(Rows(picture), true);
    const std::string before = window->Document().FileText();
    ASSERT_TRUE(Shows(verdict)) << check->Panel()->text().toStdString();
    EXPECT_EQ(std::pair(Doubts()[1] > 0, Doubts()[2] > 0),
              std::pair(line_logic_open, probing_open));
    EXPECT_EQ(window->Document().FileText(), before);
  }

  // Clues typed while nothing is drawn are judged as they stand.
  MakePuzzle({"#.", ".."});
  window->Document().GetLeft().SetCell(1, 2, 1);
  ASSERT_TRUE(Shows("no solution"));
  EXPECT_EQ(Doubts()[0], 4);

  // Off, or back in solver mode, it shows nothing.
  window->MenuItemCheckWhileDrawing->setChecked(false);
  EXPECT_EQ(check->Panel()->text(), "");
  EXPECT_FALSE(window->Document().GetField().HasDoubt());
}

TEST_F(DrawingCheckTest, ANewRequestDropsTheVerdictUnderWay) {
  BackgroundCheck background;
  QSignalSpy judged(&background, &BackgroundCheck::Judged);
  background.Start(OneCellPerLine(100));
  EXPECT_TRUE(background.Busy());
  background.Start(OneCellPerLine(4));
  ASSERT_TRUE(judged.wait(30000));
  // The first request ended before the second began; only the second speaks.
  QApplication::processEvents();
  ASSERT_EQ(judged.count(), 1);
  const auto verdict = judged.at(0).at(0).value<search::Verdict>();
  EXPECT_EQ(DrawingCheck::VerdictText(verdict.result), "several solutions");
  EXPECT_FALSE(background.Busy());

  background.Start(OneCellPerLine(100));
  background.Cancel();
  EXPECT_FALSE(background.Busy());
}

// The check is offered once, when editor mode first opens; that it is
// remembered is checked with the other remembered marks.
TEST_F(DrawingCheckTest, IsOfferedOnce) {
  EXPECT_FALSE(window->MenuItemCheckWhileDrawing->isChecked());
  window->MenuItemSwitchEditMode->trigger();
  EXPECT_TRUE(window->statusBar()->currentMessage().contains("Check while drawing"));
  window->statusBar()->clearMessage();
  window->MenuItemSwitchEditMode->trigger();
  window->MenuItemSwitchEditMode->trigger();
  EXPECT_EQ(window->statusBar()->currentMessage(), "");
}

TEST_F(DrawingCheckTest, MakeUniqueProposesCellsThatEnterAppliesAsOneStep) {
  const TRows several = {"#..#", ".##.", ".##.", "#..#"};
  MakePuzzle(several, true);
  window->MenuItemSwitchEditMode->trigger();
  const auto key = [&](Qt::Key code) { QTest::keyClick(window->ImageField, code); };
  const auto status = [&] { return window->StatusHint->text(); };

  window->MenuItemMakeUnique->trigger();
  ASSERT_TRUE(window->Unique->Shown());
  EXPECT_TRUE(status().startsWith("Make unique: ")) << status().toStdString();
  EXPECT_EQ(Picture(), several);
  key(Qt::Key_Escape);
  EXPECT_FALSE(window->Unique->Shown());
  EXPECT_EQ(Picture(), several);
  EXPECT_EQ(status(), "");

  window->MenuItemMakeUnique->trigger();
  ASSERT_TRUE(window->Unique->Shown());
  key(Qt::Key_Return);
  EXPECT_FALSE(window->Unique->Shown());
  const TRows changed = Picture();
  EXPECT_NE(changed, several);
  EXPECT_TRUE(search::FindSolutions(check->CluesToJudge(), {}, {}).Unique());
  window->MenuItemUndo->trigger();
  EXPECT_EQ(Picture(), several);

  // A unique picture needs no change.
  MakePuzzle({"##", "#."}, true);
  window->MenuItemMakeUnique->trigger();
  EXPECT_FALSE(window->Unique->Shown());
  EXPECT_EQ(status(), "The picture's clues already have one solution.");
}

}  // namespace
