#pragma once

#include "export/ImageConversion.h"

class TPixler;

// Filling the document from an imported picture.
namespace puzzle_transfer {

// Replaces the puzzle by one of the picture's size whose filled cells are the
// picture's and whose clues are regenerated from them; the other cells stay
// undecided. Nothing is journaled. An empty picture or one larger than 100
// by 100 changes nothing and returns false.
bool ImportPicture(TPixler& document, const CellPicture& cells);

}  // namespace puzzle_transfer
