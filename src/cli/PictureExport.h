#pragma once

#include <optional>
#include <string>

#include "document/ExchangePuzzle.h"
#include "document/PixlerFile.h"

// Pictures (.png) and printouts (.pdf) for the command-line tool, and
// puzzles read from images.
//
// Drawing them needs Qt's GUI layer, whose libraries take several times
// longer to load than a small puzzle takes to solve. So pixlers-cli links
// none of it: the drawing is done by the helper program pixlers-export,
// started only when a picture is written and found relative to pixlers-cli
// (where `cmake --install` puts it, or beside it in the build folder). The
// helper hands the file's bytes back, and they are saved here as the puzzle
// files are (see WriteFileAtomically).

enum class PictureKind { png, pdf };

// Every format a command writes, for messages.
inline constexpr const char* kWritableFormats =
    ".pixler, .ppixler, .spixler, .non, .xml, .png or .pdf";

// .png or .pdf in any letter case; nothing for any other name.
std::optional<PictureKind> PictureKindFromPath(const std::string& path);

struct PictureOptions {
  // Pixels per cell of a PNG picture.
  int scale = 1;
  // The heading of a printout, and the solution on its last page (none when
  // empty).
  std::string title;
  PuzzleImage solution;
};

// .png, .jpg, .jpeg, .bmp and .pbm in any letter case: the images the
// window's import reads.
bool IsImagePath(const std::string& path);

// The puzzle the window's import makes of the image at its first choices
// (its own size up to 100 cells a side, else 30 cells along the longer side;
// clues made from the picture). Throws TPixlerFileError naming the file.
void ReadImagePuzzle(const std::string& path, TPixlerFileData& data);

// Writes the picture or printout of `data` to `path`, by its extension.
// Throws TPixlerFileError naming the path when it cannot, leaving an old file
// as it was.
void WritePicture(const std::string& path, const TPixlerFileData& data,
                  const PictureOptions& options);
