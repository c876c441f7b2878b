#pragma once

#include <sys/types.h>

#include <string>

// What a file that is not a regular one is, for messages: "a folder",
// "a device", "a FIFO (named pipe)", "a socket" or "a special file".
const char* SpecialFileKind(mode_t mode);

// The whole of a regular file. Anything else is refused at once, without
// waiting: a FIFO or a device may never end, and a read from it could hang
// a command for good. Files far larger than any puzzle are refused too, so
// that a wrong choice of file cannot exhaust memory.
//
// Throws TPixlerFileError naming the file and what failed.
std::string ReadRegularFile(const std::string& file_name);
