#include "SolverPictures.h"

namespace {

const char* const kFrame = "##### #...# #.#.# #...# #####";
// Line methods alone decide nothing; trying single cells both ways solves it.
const char* const kNeedsLevel1 = "#.#. .#.# .#.. #...";
// Every line has a single run with room in two places at least, yet rows 1 to 3
// share two columns: no solution fits, which only trials bring to light.
const char* const kPermutation = "#..... .#.... ..#... ...#.. ....#. .....#";
const char* const kNoSolution = "??.... ??.... ??.... ..???? ..???? ..????";
const char* const kQuestion =
    "Multiple solutions found...\r\rDo you want to use the first one?\rIf no, the second one will "
    "be used.";

const char* const kError = nullptr;  // the run sets error
enum : int { kLevel1 = 1, kLevel2 = 2, kStep = 4, kMethod1Only = 8 };

TEST(SolverTest, RunsSolveWhatTheirMethodsReach) {
  using R = TMessageResult;
  // Name, solution, known cells ("": every cell undecided), options, the
  // picture expected ("": any that solves the clues) and the answers to the
  // questions asked.
  using TCase = std::tuple<const char*, const char*, const char*, int, const char*, std::vector<R>>;
  const TCase cases[] = {
      {"line methods", kFrame, "", 0, kFrame, {}},
      {"step: one line", kFrame, "", kLevel1 | kStep, "????? ????? ????? ????? #####", {}},
      {"level 1 off", kNeedsLevel1, "", 0, "???? ???? ???? ????", {}},
      {"level 1", kNeedsLevel1, "", kLevel1, kNeedsLevel1, {}},
      {"step: one cell", kNeedsLevel1, "", kLevel1 | kLevel2 | kStep, "???? ???? ???? ???.", {}},
      {"level 2 off", kNeedsLevel2, "", kLevel1, kLevel2Stuck, {}},
      {"level 2 settles the second solution", kNeedsLevel2, "", kLevel1 | kLevel2, "", {}},
      {"two solutions, first", "#. .#", "", kLevel1, "#. .#", {R::Yes}},
      {"two solutions, second", "#. .#", "", kLevel1, ".# #.", {R::No}},
      {"no solution", kPermutation, kNoSolution, kLevel1, kError, {}},
      {"complete picture", kFrame, kFrame, 0, kFrame, {}},
      {"complete picture breaks a row", "##. ... ...", "#.. .#. ...", 0, kError, {}},
      {"complete picture breaks a column", "#.. #.. ...", "#.. .#. ...", 0, kError, {}},
      // Row method #1 completes lines through their crossings without solving
      // them; such a completion must not pass for a second solution.
      {"row method #1 alone", "#.. .#. #.#", "", kLevel1 | kMethod1Only, "#.. .#. #.#", {}},
  };
  for (const auto& [name, solution_rows, known_rows, options, expected, answers] : cases) {
    SCOPED_TRACE(name);
    TScriptedPlatform platform;
    for (R answer : answers) platform.Answer(answer);
    const TPicture solution = Rows(solution_rows);
    TSolver solver(nullptr, solution[0].size(), solution.size());
    const TPicture known = *known_rows
                               ? Rows(known_rows)
                               : TPicture(solution.size(), std::string(solution[0].size(), '?'));
    LoadPuzzle(solver, solution, known);
    solver.field_recursion_methods[1] = (options & kLevel1) != 0;
    solver.allow_deep_recursion = (options & kLevel2) != 0;
    if (options & kMethod1Only) solver.row_methods = {false, true, false, false, false, false};
    const bool step = (options & kStep) != 0;
    solver.Run(!step, !step, false);
    EXPECT_EQ(solver.error, expected == kError);
    ASSERT_EQ(platform.messages.size(), answers.size());
    for (const TRecordedMessage& box : platform.messages)
      EXPECT_EQ(box.caption + "|" + box.text, std::string("Solver|") + kQuestion);
    if (expected == kError) continue;
    const TPicture result = PictureOf(solver);
    EXPECT_EQ(solver.progress, result != known);
    EXPECT_TRUE(*expected ? result == Rows(expected) : SolvesClues(result, solution))
        << testing::PrintToString(result);
  }
}

}  // namespace
