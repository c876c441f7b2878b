#include "cli/ConvertCommand.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/ExitStatus.h"
#include "cli/PictureExport.h"
#include "document/PuzzleFormats.h"
#include "puzzle/CellState.h"
#include "document/SolutionPage.h"
#include "engine/SearchEngine.h"

namespace {

constexpr int kExitDone = 0;

// What a picture shows: the author's goal when the file has one, since an
// exchange file's own cells are usually all unknown; else the cells.
std::unique_ptr<TPixlerFileData> PictureOf(const ExchangePuzzle& puzzle) {
  auto data = std::make_unique<TPixlerFileData>(*puzzle.data);
  const PuzzleImage& goal = puzzle.goal;
  if (static_cast<int>(goal.size()) != data->height) return data;
  for (int y = 1; y <= data->height; ++y) {
    if (static_cast<int>(goal[y - 1].size()) != data->width) continue;
    for (int x = 1; x <= data->width; ++x) {
      data->cells[x][y] = goal[y - 1][x - 1] == '#' ? csFilled : csEmpty;
    }
  }
  return data;
}

// The exit status: a PDF whose solution page was asked for but left out,
// since the clues have no solution or several, is written and says so.
int Write(const TCliOptions& options, const ExchangePuzzle& puzzle) {
  if (PuzzleFormatFromPath(options.output)) {
    WritePuzzleFile(options.output, puzzle);
    return kExitDone;
  }
  if (PictureKindFromPath(options.output)) {
    PictureOptions picture;
    picture.scale = options.scale;
    picture.title = !puzzle.metadata.title.empty()
                        ? puzzle.metadata.title
                        : std::filesystem::path(options.input).stem().string();
    const auto data = PictureOf(puzzle);
    SolutionPage page;
    if (options.with_solution && PictureKindFromPath(options.output) == PictureKind::pdf) {
      page = FindSolutionPage(*data, [](const search::Clues& clues) {
        return search::FindSolutions(clues, {}, search::Limits{});
      });
      picture.solution = page.picture;
    }
    WritePicture(options.output, *data, picture);
    if (page.Problem().empty()) return kExitDone;
    std::cerr << "pixlers-cli: " << options.input << ": " << page.Problem() << '\n';
    return page.kind == SolutionPage::Kind::none ? kExitContradiction : kExitUndecided;
  }
  throw TPixlerFileError(options.output, 0,
                         "cannot write \"" +
                             std::filesystem::path(options.output).extension().string() +
                             "\" files (expected " + kWritableFormats + ")");
}

}  // namespace

int RunConvert(const TCliOptions& options) {
  try {
    if (IsImagePath(options.input) && !PuzzleFormatFromPath(options.input)) {
      ExchangePuzzle puzzle;
      ReadImagePuzzle(options.input, *puzzle.data);
      return Write(options, puzzle);
    }
    return Write(options, ReadPuzzleFile(options.input, options.index));
  } catch (const TPixlerFileError& error) {
    std::cerr << "pixlers-cli: " << error.what() << '\n';
    return kExitError;
  } catch (const std::exception& error) {
    // The engine refused the clues of a solution page.
    std::cerr << "pixlers-cli: " << options.output << ": " << error.what() << '\n';
    return kExitError;
  }
}
