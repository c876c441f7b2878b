#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A piece of a file's text made fit for an error message: cut to max_chars
// characters (never inside one, the cut marked with "..."), and every control
// byte or byte that is not well-formed UTF-8 shown as \xNN, so that a hostile
// file can neither flood the message nor send escape sequences to a terminal.
std::string MessageText(std::string_view text, std::size_t max_chars = 40);

// The same in double quotes, as messages quote a file's text.
std::string QuotedMessageText(std::string_view text);
