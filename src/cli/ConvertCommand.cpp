#include "cli/ConvertCommand.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "cli/ExitStatus.h"
#include "document/PuzzleFormats.h"
#include "puzzle/CellState.h"
#ifdef PIXLERS_CLI_EXPORT
#include "document/SolutionPage.h"
#include "engine/SearchEngine.h"
#include "export/PuzzleExport.h"
#endif

namespace {

constexpr int kExitDone = 0;

#ifdef PIXLERS_CLI_EXPORT
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
#endif

// The exit status: a PDF whose solution page was asked for but left out,
// since the clues have no solution or several, is written and says so.
int Write(const TCliOptions& options, const ExchangePuzzle& puzzle) {
  if (PuzzleFormatFromPath(options.output)) {
    WritePuzzleFile(options.output, puzzle);
    return kExitDone;
  }
  const std::string extension = std::filesystem::path(options.output).extension().string();
#ifdef PIXLERS_CLI_EXPORT
  if (extension == ".png") {
    ExportPng(options.output, *PictureOf(puzzle), options.scale);
    return kExitDone;
  }
  if (extension == ".pdf") {
    const std::string title = !puzzle.metadata.title.empty()
                                  ? puzzle.metadata.title
                                  : std::filesystem::path(options.input).stem().string();
    const auto picture = PictureOf(puzzle);
    SolutionPage page;
    if (options.with_solution) {
      page = FindSolutionPage(*picture, [](const search::Clues& clues) {
        return search::FindSolutions(clues, {}, search::Limits{});
      });
    }
    ExportPdf(options.output, *picture, title, page.picture);
    if (page.Problem().empty()) return kExitDone;
    std::cerr << "pixlers-cli: " << options.input << ": " << page.Problem() << '\n';
    return page.kind == SolutionPage::Kind::none ? kExitContradiction : kExitUndecided;
  }
  const char* const kWritable = ".pixler, .ppixler, .spixler, .non, .xml, .png or .pdf";
#else
  const char* const kWritable = ".pixler, .ppixler, .spixler, .non or .xml";
#endif
  throw TPixlerFileError(options.output, 0,
                         "cannot write \"" + extension + "\" files (expected " + kWritable + ")");
}

}  // namespace

int RunConvert(const TCliOptions& options) {
  try {
    return Write(options, ReadPuzzleFile(options.input, options.index));
  } catch (const TPixlerFileError& error) {
    std::cerr << "pixlers-cli: " << error.what() << '\n';
    return kExitError;
  } catch (const std::exception& error) {
    // Qt's GUI layer could not be started for a picture, or the engine
    // refused the clues of a solution page.
    std::cerr << "pixlers-cli: " << options.output << ": " << error.what() << '\n';
    return kExitError;
  }
}
