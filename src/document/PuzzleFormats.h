#pragma once

#include <optional>
#include <string>

#include "document/ExchangePuzzle.h"

// The puzzle file formats, told apart by the file's extension.
enum class PuzzleFormat { pixler, non, xml };

// .pixler, .ppixler and .spixler are the puzzle file, .non and .xml the
// exchange formats, in any case; nothing for any other name.
std::optional<PuzzleFormat> PuzzleFormatFromPath(const std::string& path);

// Reads the puzzle_index-th puzzle (1-based; only XML files hold more than
// one). Throws TPixlerFileError "FILE, line N: reason" for a file of unknown
// type, a puzzle file with the wrong first line ("not a puzzle file") and any
// fault of the file.
ExchangePuzzle ReadPuzzleFile(const std::string& path, int puzzle_index = 1);

// Writes in the format of the path's extension, saved as the puzzle file is
// (see WriteFileAtomically); throws TPixlerFileError, leaving an old file as
// it was. The puzzle file keeps pencil marks and crossed-out clues but no
// metadata or goal; the exchange formats the other way round.
void WritePuzzleFile(const std::string& path, const ExchangePuzzle& puzzle);
