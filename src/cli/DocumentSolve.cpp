#include "cli/DocumentSolve.h"

#include <filesystem>
#include <optional>

#include "cli/PictureExport.h"
#include "document/MessageText.h"
#include "document/PixlerFile.h"
#include "document/PuzzleFormats.h"
#include "puzzle/CellState.h"

bool LoadPuzzle(TPixler& pixler, const std::string& file, std::string& reason) {
  try {
    // Any other name is read as a puzzle file, whose first line tells.
    const std::optional<PuzzleFormat> format = PuzzleFormatFromPath(file);
    if (format && *format != PuzzleFormat::pixler) {
      pixler.ImportFromFile(file);
      return true;
    }
    if (pixler.LoadFromFile(file)) return true;
    reason = MessageText(file, 4 * file.size()) + ", line 1: not a puzzle file (expected \"" +
             TPixlerFile::kVersionLine + "\")";
  } catch (const TPixlerFileError& error) {
    reason = error.what();
  }
  return false;
}

bool LoadPuzzle(TPixler& pixler, const std::string& file, std::ostream& err) {
  std::string reason;
  if (LoadPuzzle(pixler, file, reason)) return true;
  err << "pixlers-cli: " << reason << '\n';
  return false;
}

void ApplySolverOptions(TPixler& pixler, const TCliOptions& options) {
  // Row method #1 has no switch in the window either: it is always on.
  pixler.FUseRow1 = true;
  pixler.FUseRow2 = options.use_row2;
  pixler.FUseRow3 = options.use_row3;
  pixler.FUseRow4 = options.use_row4;
  pixler.FUseRowRecurse1 = options.use_row5;
  pixler.FUseFieldRecurse1 = options.use_bruteforce;
  pixler.FAllowDeepRecursion = options.allow_deep;
  pixler.FAllowFullRecursion = options.allow_doubled;
}

void RunCommand(TPixler& pixler, TCliCommand command) {
  switch (command) {
    case TCliCommand::Next:
      pixler.SolveStep(false, false, false, nullptr);
      break;
    case TCliCommand::All:
      pixler.SolveAll(false, false, nullptr);
      break;
    case TCliCommand::Pass:
      pixler.SolveStep(true, false, false, nullptr);
      break;
    case TCliCommand::AllPasses:
      pixler.SolveAll(true, false, nullptr);
      break;
    case TCliCommand::Realtime:
      pixler.SolveStep(true, true, false, nullptr);
      break;
  }
}

void PrintPicture(const TPixler& pixler, std::ostream& out) {
  std::string row;
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    row.clear();
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      const int32_t value = pixler.GetField().GetCell(x, y);
      row += IsCellFilled(value) ? '#' : IsCellDecided(value) ? '.' : '?';
    }
    out << row << '\n';
  }
  out.flush();
}

bool HasUndecidedCell(const TPixler& pixler) {
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      if (!IsCellDecided(pixler.GetField().GetCell(x, y))) return true;
    }
  }
  return false;
}

std::string OutputFormatError(const std::string& output) {
  const std::string extension = std::filesystem::path(output).extension().string();
  if (output == "-" || extension.empty() || PuzzleFormatFromPath(output) ||
      PictureKindFromPath(output)) {
    return {};
  }
  return "cannot write \"" + extension + "\" files (expected " + kWritableFormats +
         ", or a name without an extension for a puzzle file)";
}

bool WriteSolveResult(const TPixler& pixler, const std::string& input, const std::string& output,
                      std::ostream& out, std::ostream& err) {
  if (output == "-") {
    out << TPixlerFile::Format(*pixler.FileData()) << std::flush;
    return true;
  }
  PrintPicture(pixler, out);
  if (output.empty()) return true;
  try {
    const std::optional<PuzzleFormat> format = PuzzleFormatFromPath(output);
    if (format && *format != PuzzleFormat::pixler) {
      pixler.ExportToFile(output);
    } else if (PictureKindFromPath(output)) {
      PictureOptions picture;
      picture.title = std::filesystem::path(input).stem().string();
      WritePicture(output, *pixler.FileData(), picture);
    } else {
      pixler.SaveToFile(output);
    }
  } catch (const TPixlerFileError& error) {
    err << "pixlers-cli: " << error.what() << '\n';
    return false;
  }
  return true;
}
