#pragma once

#include <string>

// Replaces the file at path with contents, whole or not at all: the text goes
// to a fresh file beside the target, which is then renamed over it.
//
// Symbolic links are followed to their final target, a dangling one included,
// so the link stays and the file it names is written. A target that exists
// and is not a regular file (a device, a FIFO, a folder, a loop of links) is
// refused and left alone. A replaced file keeps its permissions.
//
// Throws TPixlerFileError naming path and what failed.
void WriteFileAtomically(const std::string& path, const std::string& contents);
