#include "SolverPictures.h"

namespace {

// Lines are written as text: '#' filled, '.' empty, '?' unknown. The methods
// are the digits of the row methods that are on; 5 switches the recursion.
// The clues go into the slots as given, gaps included.
TSolverRow MakeLine(const std::string& cells, const std::vector<int32_t>& clues,
                    const std::string& methods) {
  TSolverRow line;
  // Prepare must also forget what an earlier solve left behind.
  std::fill(std::begin(line.FOwners), std::end(line.FOwners), 1);
  line.FError = line.FCellsChanged = line.FRangesChanged = true;
  line.FLength = static_cast<int32_t>(cells.size());
  for (size_t k = 0; k < clues.size(); ++k) line.FClues[k + 1] = clues[k];
  for (size_t c = 0; c < cells.size(); ++c)
    line.FCells[c + 1] = cells[c] == '#' ? csFilled : cells[c] == '.' ? csEmpty : csUnknown;
  for (char digit : methods)
    (digit == '5' ? line.FRowRecursions[1] : line.FRowMethods[digit - '0']) = true;
  // Preparing again must find the same clues, not stale copies of moved ones.
  line.Prepare();
  line.Prepare();
  return line;
}

// "cells owners start..end ...", owners as clue digits and '-' for none.
std::string State(const TSolverRowBase& line) {
  std::string cells, owners, ranges;
  for (int32_t c = 1; c <= line.FLength; ++c) {
    cells += line.FCells[c] == csFilled ? '#' : line.FCells[c] == csEmpty ? '.' : '?';
    owners += line.FOwners[c] == 0 ? '-' : static_cast<char>('0' + line.FOwners[c]);
  }
  for (int32_t k = 1; k <= line.FCount; ++k) {
    ranges += ' ';
    ranges += std::to_string(line.FStarts[k]) + ".." + std::to_string(line.FEnds[k]);
  }
  return cells + " " + owners + ranges;
}

// Name, cells, clues, the methods on, the step, and the State after it or
// "error".
using TExample = std::tuple<const char*, const char*, std::vector<int32_t>, const char*,
                            void (TSolverRow::*)(), const char*>;

constexpr auto kSolve = &TSolverRow::Solve;
constexpr auto kBigger = &TSolverRow::MethodBigger;
constexpr auto kEmpty = &TSolverRow::MethodEmpty;
constexpr auto kRecurse = &TSolverRow::MethodPossibilities;

// Each method (or the driver) applied to a line: one example of what each
// decides, and the contradictions each must see. That no decision is ever
// wrong is the property below.
TEST(SolverRow, MethodsDecideTheWorkedExamples) {
  const TExample examples[] = {
      // #1 narrows the ranges and fills the cells every placement covers.
      {"gaps in slots", "????????", {0, 3, -2, 1}, "1", kSolve, "???????? -------- 1..6 5..8"},
      {"long clue", "??????????", {7}, "1", kSolve, "???####??? ---1111--- 1..10"},
      {"clue longer than the line", "?????", {6}, "1", kSolve, "error"},
      {"clue beyond any sum", "?????", {INT32_MAX, 2}, "1234", kSolve, "error"},
      // #2 empties the cells no clue reaches.
      {"filled cell caps the end", "?#????????", {3}, "12", kSolve, "?##?...... -11------- 1..4"},
      {"no clues but a filled cell", "??#??", {}, "12", kSolve, "error"},
      // #3 reasons from each run of filled cells.
      {"single candidate", "????#?????", {4}, "34", kSolve, ".???#???.. ----1----- 1..10"},
      {"no clue long enough", "###??", {2}, "3", kBigger, "error"},
      // #4 empties the stretches no clue fits.
      {"short stretch", "???.??????", {4}, "4", kEmpty, "....?????? ---------- 1..10"},
      {"filled cell in it", "?#?.??????", {4}, "4", kEmpty, "error"},
      // #5 takes the first trial whose opposite fails.
      {"first failing cell", "???#??", {2, 1}, "12345", kRecurse, "???#.? ------ 1..4 4..6"},
      {"switched off", "???#??", {2, 1}, "1234", kRecurse, "???#?? ------ 1..6 1..6"},
      {"both trials fail", "#???#?#.#?", {2, 2}, "1345", kRecurse, "error"},
  };
  for (const auto& [name, cells, clues, methods, step, expected] : examples) {
    TSolverRow line = MakeLine(cells, clues, methods);
    (line.*step)();
    EXPECT_EQ(line.FError ? "error" : State(line), expected) << name;
  }
}

// The count bounds a scan, and no scan reads a cell outside 0..length+1.
TEST(SolverRow, ScansHonourTheCountAndStayInsideTheLine) {
  const TSolverRow line = MakeLine("?.???.", {}, "");
  EXPECT_EQ(line.FindEmptyBackward(5, 3), 0);
  EXPECT_EQ(line.FindEmptyBackward(5, 4), 2);
  EXPECT_EQ(line.FindEmptyForward(3, 2), 5);
  EXPECT_EQ(line.FindEmptyForward(3, 4), 6);
  EXPECT_EQ(line.FindEmptyBackward(1000, 1000), 7);
  EXPECT_EQ(line.FindEmptyBackward(-5, 3), 0);
  EXPECT_EQ(line.FindEmptyForward(-1000, 10), -990);
  EXPECT_EQ(line.FindEmptyForward(1000, 10), 1010);
}

// Holds of a line at any time; when the line has a filling (`agreed` is what
// every filling agrees on), every cell the solver decides is so in every
// filling, and it may find no contradiction.
void ExpectSound(const TSolverRow& line, const std::string& agreed) {
  int32_t unknown = 0;
  for (int32_t c = 1; c <= line.FLength; ++c) {
    const int32_t cell = line.FCells[c], owner = line.FOwners[c];
    unknown += cell == csUnknown;
    ASSERT_TRUE(owner == 0 || (cell == csFilled && owner > 0 && owner <= line.FCount)) << c;
    ASSERT_FALSE(!agreed.empty() && cell != csUnknown &&
                 agreed[c - 1] != (cell == csFilled ? '#' : '.'))
        << "cell " << c;
  }
  ASSERT_EQ(line.FUnknown, unknown);
  ASSERT_TRUE(line.FCells[line.FLength + 1] == csEmpty && line.FOwners[line.FLength + 1] == 0);
  ASSERT_FALSE(!agreed.empty() && line.FError);
}

// Runs what a sweep runs (Solve, the recursion when Solve decided nothing,
// Solve again) and checks the line after every call. A line in error on entry
// comes back unchanged, and so does one whose trials all hold; FCellsChanged
// tells whether the call decided a cell.
TEST(SolverRow, DecisionsAgreeWithEveryFillingOfTheClues) {
  std::mt19937 random(2024);
  std::vector<std::string> method_sets;
  for (unsigned more = 0; more < 16; ++more)
    for (std::string& set = method_sets.emplace_back("1"); char m : std::string("2345"))
      if (more >> (m - '2') & 1) set += m;
  for (int round = 0; round < 2500; ++round) {
    const auto [clues, cells] = RandomLine(random, 14);
    const std::string agreed = AgreedCells(clues, cells);
    for (const std::string& methods : method_sets) {
      SCOPED_TRACE(cells + " clues " + testing::PrintToString(clues) + " methods " + methods);
      TSolverRow line = MakeLine(cells, clues, methods);
      for (int call = 0; call < 3; ++call) {
        if (call == 1 && line.FCellsChanged) continue;
        const std::string before = State(line);
        const bool in_error = line.FError;
        call == 1 ? line.Recurse() : line.Solve();
        ASSERT_NO_FATAL_FAILURE(ExpectSound(line, agreed));
        const bool same = State(line) == before;
        ASSERT_TRUE(same || !(in_error || (call == 1 && !line.FError && !line.FCellsChanged)));
        ASSERT_TRUE(line.FError || line.FCellsChanged == (State(line).substr(0, line.FLength) !=
                                                          before.substr(0, line.FLength)));
      }
      // With #2 on, a line whose cells are all decided is checked in full.
      ASSERT_FALSE(agreed.empty() && line.FUnknown == 0 && methods.find('2') != std::string::npos &&
                   !line.FError);
    }
  }
}

}  // namespace
