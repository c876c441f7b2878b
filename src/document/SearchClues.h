#pragma once

#include "document/Pixler.h"
#include "document/PixlerFile.h"
#include "engine/SearchEngine.h"

// The complete engine's view of a puzzle: runs in line order (top to bottom,
// left to right), and the cells already decided. Empty or non-positive clue
// slots are no runs, as the line solver reads them; pencil marks are unknown.
search::Clues CluesOf(const TPixler& pixler);
search::Clues CluesOf(const TPixlerFileData& data);

search::Grid KnownCellsOf(const TPixler& pixler);
search::Grid KnownCellsOf(const TPixlerFileData& data);
