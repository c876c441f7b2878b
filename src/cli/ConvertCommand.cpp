#include "cli/ConvertCommand.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/ExitStatus.h"
#include "cli/PictureExport.h"
#include "document/PuzzleFormats.h"
#include "puzzle/CellState.h"

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

void Write(const TCliOptions& options, const ExchangePuzzle& puzzle) {
  if (PuzzleFormatFromPath(options.output)) {
    WritePuzzleFile(options.output, puzzle);
    return;
  }
  if (PictureKindFromPath(options.output)) {
    PictureOptions picture;
    picture.scale = options.scale;
    picture.title = !puzzle.metadata.title.empty()
                        ? puzzle.metadata.title
                        : std::filesystem::path(options.input).stem().string();
    picture.with_solution = options.with_solution;
    WritePicture(options.output, *PictureOf(puzzle), picture);
    return;
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
      Write(options, puzzle);
    } else {
      Write(options, ReadPuzzleFile(options.input, options.index));
    }
  } catch (const TPixlerFileError& error) {
    std::cerr << "pixlers-cli: " << error.what() << '\n';
    return kExitError;
  }
  return kExitDone;
}
