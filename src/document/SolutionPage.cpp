#include "document/SolutionPage.h"

#include "document/SearchClues.h"

std::string SolutionPage::Problem() const {
  switch (kind) {
    case Kind::none:
      return "The clues have no solution, so no solution page is printed.";
    case Kind::several:
      return "The clues have more than one solution, so no solution page is printed.";
    case Kind::solved:
    case Kind::found:
    case Kind::stopped:
      break;
  }
  return {};
}

SolutionPage FindSolutionPage(const TPixlerFileData& data, const SolutionSearch& find) {
  ExchangePuzzle puzzle;
  *puzzle.data = data;
  SolutionPage page;
  // Without a goal of its own the puzzle offers its picture when solved.
  page.picture = puzzle.GoalToWrite();
  if (!page.picture.empty()) return page;
  const search::Result result = find(CluesOf(data));
  if (result.Multiple()) {
    page.kind = SolutionPage::Kind::several;
  } else if (result.Unique()) {
    page.kind = SolutionPage::Kind::found;
    const search::Grid& solution = result.solutions.front();
    for (int y = 0; y < solution.height; ++y) {
      std::string row(solution.width, '.');
      for (int x = 0; x < solution.width; ++x) {
        if (solution.at(x, y) == search::Cell::filled) row[x] = '#';
      }
      page.picture.push_back(row);
    }
  } else {
    page.kind = result.None() ? SolutionPage::Kind::none : SolutionPage::Kind::stopped;
  }
  return page;
}
