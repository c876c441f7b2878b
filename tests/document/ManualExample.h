#pragma once

#include <fstream>
#include <string>

// The example of the manual that starts with the line `first` and ends with
// the line `last`, without the manual's indentation; empty when not found.
inline std::string ManualExample(const std::string& first, const std::string& last) {
  std::ifstream manual(PIXLERS_MANUAL);
  const std::string indent = "  ";
  std::string text;
  bool inside = false;
  for (std::string line; std::getline(manual, line);) {
    if (line == indent + first) inside = true;
    if (!inside) continue;
    text += line.substr(std::min(line.size(), indent.size())) + "\n";
    if (line == indent + last) return text;
  }
  return {};
}
