#pragma once

#include <string>

#include "document/ExchangePuzzle.h"
#include "document/PixlerFile.h"

// Pictures and printouts of a puzzle, for the window and the command-line tool.
//
// Both need Qt's GUI layer (images, fonts, the PDF writer) but no window.
// When the program has no QGuiApplication, each call creates one on the
// "offscreen" platform for its own duration; a program that exports often,
// or wants its own application (the window), creates it before. Call them
// from the thread that created the application.
//
// Both check the size (1..100 each way) and save as the puzzle files are
// saved (see WriteFileAtomically): every write is checked, a failed export
// leaves an existing file whole, and a special file is never replaced. They
// throw TPixlerFileError naming the file when they cannot.

// Largest number of pixels per cell side, which keeps a 100 by 100 picture
// at a few megapixels.
inline constexpr int kLargestPngScale = 32;

// The picture as a PNG image: `scale` by `scale` pixels per cell
// (1..kLargestPngScale), black for filled cells, white for all others.
void ExportPng(const std::string& path, const TPixlerFileData& data, int scale);

// The puzzle for printing on A4 paper: the title on top, an empty grid with
// its clues, cells and text large enough to read whatever the size. A puzzle
// too large for one page is split into parts of whole blocks of five, each
// page repeating the clues of its columns and rows and naming the part it
// shows. A `solution` of the puzzle's size is shown on a last page (see
// SolutionPage.h for which one); an empty one adds no page.
void ExportPdf(const std::string& path, const TPixlerFileData& data, const std::string& title,
               const PuzzleImage& solution);

// The files' contents, for a caller that saves them itself; `path` only
// names the file in errors.
std::string RenderPng(const std::string& path, const TPixlerFileData& data, int scale);
std::string RenderPdf(const std::string& path, const TPixlerFileData& data,
                      const std::string& title, const PuzzleImage& solution);
