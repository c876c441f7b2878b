#pragma once

#include <memory>

#include "document/PixlerFile.h"
#include "ui/ImageConversion.h"

class TPixler;

// Moving a puzzle between the document and the forms it is exported to or
// imported from.
namespace puzzle_transfer {

// The document's size, picture, clues and marks, as a file would hold them.
std::unique_ptr<TPixlerFileData> DocumentData(const TPixler& document);

// Replaces the puzzle by one of the picture's size whose filled cells are the
// picture's and whose clues are regenerated from them; the other cells stay
// undecided. Nothing is journaled. An empty picture or one larger than 100
// by 100 changes nothing and returns false.
bool ImportPicture(TPixler& document, const CellPicture& cells);

}  // namespace puzzle_transfer
