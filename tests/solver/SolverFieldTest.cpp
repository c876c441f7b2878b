#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptedPlatform.h"
#include "SolverPictures.h"
#include "solver/SolverCompQueue.h"
#include "solver/SolverField.h"

namespace {

const TPicture kFrame = {
    "#####", "#...#", "#.#.#", "#...#", "#####",
};

const TPicture kNeedsLevel1 = {
    "#.#.",
    ".#.#",
    ".#..",
    "#...",
};

// Loads a puzzle into a solver and readies its field the way a fresh run
// does, so that the tests can drive the field's operations one by one.
std::unique_ptr<TSolver> ReadyField(const TPicture& solution, const TPicture& known = {}) {
  const auto width = static_cast<int32_t>(solution[0].size());
  const auto height = static_cast<int32_t>(solution.size());
  auto solver = std::make_unique<TSolver>(nullptr, width, height);
  LoadPuzzle(*solver, solution, known);
  TSolverField& field = *solver->field;
  field.row_methods = solver->row_methods;
  field.row_recursion_methods = solver->row_recursion_methods;
  field.field_recursion_methods[1] = true;
  for (int32_t x = 1; x <= width; ++x) {
    field.cols[x]->FRowMethods = field.row_methods;
    field.cols[x]->Prepare();
  }
  for (int32_t y = 1; y <= height; ++y) {
    field.rows[y]->FRowMethods = field.row_methods;
    field.rows[y]->Prepare();
  }
  field.Prepare();
  return solver;
}

std::vector<int32_t> Drain(TSolverCompQueue& queue) {
  std::vector<int32_t> keys;
  int32_t priority = 0;
  while (int32_t key = queue.Extract(priority)) keys.push_back(key);
  return keys;
}

TEST(SolverFieldTest, LineQueueServesNearlyDecidedLinesFirst) {
  struct TCase {
    const char* name;
    TPicture known;
    std::vector<int32_t> expected;
  };
  const TCase cases[] = {
      {"equal counts: rows first, higher numbers first", {"??", "??"}, {102, 101, 2, 1}},
      {"decided line left out", {"?#?", "?.?", "?#?"}, {103, 102, 101, 3, 1}},
      {"everything decided", {"#.#", "...", "#.#"}, {}},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.name);
    TPicture solution(test.known.size(), std::string(test.known[0].size(), '.'));
    auto solver = ReadyField(solution, test.known);
    auto queue = solver->field->CreateLineQueue(true);
    EXPECT_TRUE(queue->FClosed);
    EXPECT_EQ(Drain(*queue), test.expected);
  }
}

TEST(SolverFieldTest, CellOrderFavoursTheCentreAndDecidedNeighbours) {
  struct TCase {
    const char* name;
    int32_t center_x, center_y;
    bool wide;
    int32_t x, y;
    int32_t order;
    bool queued;
  };
  // On an undecided 7x7 field only the empty frame counts as decided.
  const TCase cases[] = {
      {"corner, no centre", -1, -1, true, 1, 1, 200 + 33 - 14, true},
      {"far from all, no centre", -1, -1, true, 4, 4, 200 + 112, true},
      {"two from the frame, wide", -1, -1, true, 2, 2, 200 + 33 - 2, true},
      {"two from the frame, narrow", -1, -1, false, 2, 2, 200 + 112, false},
      {"centre", 4, 4, false, 4, 4, 0 + 112, true},
      {"next to the centre", 4, 4, false, 4, 3, 100 + 112, true},
      {"two beside the centre", 4, 4, false, 4, 2, 134 + 112, true},
      {"diagonal to the centre", 4, 4, false, 3, 3, 150 + 112, false},
      {"diagonal to the centre, wide", 4, 4, true, 3, 3, 150 + 112, true},
      {"edge three from the centre", 4, 4, false, 4, 1, 150 + 33 - 6, true},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.name);
    auto solver = ReadyField(TPicture(7, "......."));
    TSolverField& field = *solver->field;
    auto queue = field.CreateCellQueue(false, test.center_x, test.center_y, test.wide);
    EXPECT_EQ(field.order[SolverOrderIndex(test.x, test.y)], test.order);
    const std::vector<int32_t> keys = Drain(*queue);
    const int32_t key = (test.x - 1) * 7 + test.y;
    EXPECT_EQ(std::count(keys.begin(), keys.end(), key), test.queued ? 1 : 0);
  }
}

TEST(SolverFieldTest, CellOrderSkipsDecidedCellsAndServesLowestFirst) {
  auto solver = ReadyField(kFrame, {"?????", "?????", "??#??", "?????", "?????"});
  TSolverField& field = *solver->field;
  auto queue = field.CreateCellQueue(false, 3, 2, true);
  EXPECT_EQ(field.order[SolverOrderIndex(3, 3)], 0);
  const std::vector<int32_t> keys = Drain(*queue);
  EXPECT_EQ(keys.size(), 24u);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), (3 - 1) * 5 + 3), 0);
  // The centre, with the decided cell below it, comes first.
  EXPECT_EQ(keys.front(), (3 - 1) * 5 + 2);
}

TEST(SolverFieldTest, SinglePieceStopsAfterTheFirstLineAndCopiesItAcross) {
  auto solver = ReadyField(kFrame);
  TSolverField& field = *solver->field;
  field.Sweep(*field.CreateLineQueue(true), false);
  EXPECT_TRUE(field.progress);
  EXPECT_EQ(field.missing_cells, 20);
  EXPECT_EQ(PictureOf(*solver), (TPicture{"?????", "?????", "?????", "?????", "#####"}));
  for (int32_t x = 1; x <= 5; ++x) EXPECT_EQ(field.rows[5]->FCells[x], csFilled);
}

TEST(SolverFieldTest, CompleteFieldIsCheckedAgainstEveryLine) {
  struct TCase {
    const char* name;
    TPicture solution;
    TPicture known;
    bool error;
  };
  const TCase cases[] = {
      {"matching", kFrame, kFrame, false},
      {"row broken", kFrame, {"#####", "#...#", "#...#", "#...#", "#####"}, true},
      {"only columns broken", {"#..", "#..", "..."}, {"#..", ".#.", "..."}, true},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.name);
    auto solver = ReadyField(test.solution, test.known);
    TSolverField& field = *solver->field;
    ASSERT_EQ(field.missing_cells, 0);
    field.Sweep(*field.CreateLineQueue(false), true);
    EXPECT_EQ(field.error, test.error);
  }
}

TEST(SolverFieldTest, AssignCopiesEverythingButTheOrder) {
  auto solver = ReadyField(kFrame);
  TSolverField& source = *solver->field;
  source.Sweep(*source.CreateLineQueue(false), true);
  source.order[SolverOrderIndex(1, 1)] = 7;
  source.row_recursion_methods[1] = true;
  TSolverField copy(solver->control.get(), 5, 5);
  copy.order[SolverOrderIndex(1, 1)] = 3;
  copy.Assign(source);
  EXPECT_EQ(copy.order[SolverOrderIndex(1, 1)], 3);
  EXPECT_EQ(copy.missing_cells, source.missing_cells);
  EXPECT_EQ(copy.progress, source.progress);
  EXPECT_TRUE(copy.row_recursion_methods[1]);
  for (int32_t y = 0; y <= 6; ++y) {
    for (int32_t x = 0; x <= 6; ++x) EXPECT_EQ(copy.cols[x]->FCells[y], source.cols[x]->FCells[y]);
  }
  TSolverField other_size(solver->control.get(), 4, 5);
  EXPECT_THROW(other_size.Assign(source), std::logic_error);
}

// The brute force on a field the sweep cannot advance any further.
std::unique_ptr<TSolver> StuckField(const TPicture& solution) {
  auto solver = ReadyField(solution);
  TSolverField& field = *solver->field;
  field.Sweep(*field.CreateLineQueue(false), true);
  EXPECT_FALSE(field.error);
  EXPECT_GT(field.missing_cells, 0);
  field.progress = false;
  return solver;
}

int32_t CountAgreeing(const TSolver& solver, const TPicture& solution) {
  int32_t decided = 0;
  const TPicture picture = PictureOf(solver);
  for (size_t y = 0; y < solution.size(); ++y) {
    for (size_t x = 0; x < solution[y].size(); ++x) {
      if (picture[y][x] == '?') continue;
      EXPECT_EQ(picture[y][x], solution[y][x]) << x + 1 << ":" << y + 1;
      ++decided;
    }
  }
  return decided;
}

TEST(SolverFieldTest, BruteForceWithoutAdoptingDecidesOneCell) {
  auto solver = StuckField(kNeedsLevel1);
  TSolverField& field = *solver->field;
  TSolverControl& control = *solver->control;
  const int32_t missing = field.missing_cells;
  const int32_t decided = CountAgreeing(*solver, kNeedsLevel1);
  control.level = 1;
  field.BruteForce(*field.CreateCellQueue(false, -1, -1, true), 1, false);
  EXPECT_TRUE(field.progress);
  EXPECT_FALSE(field.error);
  EXPECT_EQ(field.missing_cells, missing - 1);
  EXPECT_EQ(CountAgreeing(*solver, kNeedsLevel1), decided + 1);
  ASSERT_GE(control.last_x, 1);
  EXPECT_NE(PictureOf(*solver)[control.last_y - 1][control.last_x - 1], '?');
}

TEST(SolverFieldTest, BruteForceAdoptingTakesWholeTrials) {
  auto solver = StuckField(kNeedsLevel1);
  TSolverField& field = *solver->field;
  const int32_t missing = field.missing_cells;
  solver->control->level = 1;
  field.BruteForce(*field.CreateCellQueue(false, -1, -1, true), 1, true);
  EXPECT_TRUE(field.progress);
  EXPECT_FALSE(field.error);
  EXPECT_LT(field.missing_cells, missing - 1);
  EXPECT_EQ(CountAgreeing(*solver, kNeedsLevel1), 16 - field.missing_cells);
  EXPECT_EQ(solver->control->last_x, -1) << "only a single decision moves the centre";
}

TEST(SolverFieldTest, BruteForceSetsErrorWhenBothValuesFail) {
  // Row 1 claims one filled cell, which the columns leave no room for; the
  // line methods alone do not see it.
  auto solver = ReadyField({"...", "#..", ".##"});
  solver->field->rows[1]->FClues[1] = 1;
  solver->field->rows[1]->Prepare();
  solver->field->Prepare();
  TSolverField& field = *solver->field;
  field.Sweep(*field.CreateLineQueue(false), true);
  ASSERT_FALSE(field.error);
  ASSERT_GT(field.missing_cells, 0);
  const int32_t missing = field.missing_cells;
  solver->control->level = 1;
  field.BruteForce(*field.CreateCellQueue(false, -1, -1, true), 1, false);
  EXPECT_TRUE(field.error);
  EXPECT_EQ(field.missing_cells, missing);
}

TEST(SolverFieldTest, SecondSolutionBeyondLevel1IsDecidedEmptyWithoutAsking) {
  TScriptedPlatform platform;
  auto solver = ReadyField({"#.", ".#"});
  TSolverField& field = *solver->field;
  solver->control->level = 2;
  field.BruteForce(*field.CreateCellQueue(false, -1, -1, true), 1, false);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(field.progress);
  EXPECT_EQ(field.missing_cells, 3);
  // The first cell tried is the last key queued among equal orders.
  EXPECT_EQ(PictureOf(*solver), (TPicture{"??", "?."}));
}

}  // namespace
