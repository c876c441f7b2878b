#pragma once

#include <ostream>
#include <string>

#include "cli/CliOptions.h"
#include "document/Pixler.h"

// The steps of a run of the window's solver on a headless document, shared by
// solve and batch.

// Loads FILE into the document: .non and .xml files (the first puzzle of a
// set) by their formats, any other as a puzzle file. On failure prints "pixlers-cli: " and the
// reason, naming the file and the line, and returns false.
bool LoadPuzzle(TPixler& pixler, const std::string& file, std::ostream& err);
// The same, with the reason handed back instead of printed.
bool LoadPuzzle(TPixler& pixler, const std::string& file, std::string& reason);

void ApplySolverOptions(TPixler& pixler, const TCliOptions& options);
void RunCommand(TPixler& pixler, TCliCommand command);

// One line per row: '#' filled, '.' empty, '?' undecided.
void PrintPicture(const TPixler& pixler, std::ostream& out);
bool HasUndecidedCell(const TPixler& pixler);

// Why a solve cannot write to `output`: its extension names no format that
// can be written. Empty when it can: a puzzle format, a picture, "-", or a
// name without an extension, which gets a puzzle file.
std::string OutputFormatError(const std::string& output);

// The result of a solve: the picture on out, and the puzzle saved to output
// in the format its extension names, when one is named, or, for output "-",
// the puzzle file on out instead of the picture; a printout is titled with
// the input's name. Returns false after printing the reason when the save
// failed.
bool WriteSolveResult(const TPixler& pixler, const std::string& input, const std::string& output,
                      std::ostream& out, std::ostream& err);
