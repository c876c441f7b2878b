#pragma once

#include "cli/CliOptions.h"

// Reads options.input and writes options.output in the formats their
// extensions name. Returns the exit status: 0, or 3 after printing why the
// file could not be read or written.
int RunConvert(const TCliOptions& options);
