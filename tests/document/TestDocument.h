#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>
#include <vector>

#include "ScriptedPlatform.h"
#include "document/Pixler.h"
#include "document/PixlerFile.h"
#include "puzzle/CellState.h"

using TRows = std::vector<std::string>;

// A headless document with the clues of a picture of '#' (filled) and '.';
// the picture stays only when asked to. Nothing is journaled.
inline std::unique_ptr<TPixler> NewDocument(const TRows& rows = {}, bool keep_picture = false) {
  auto pixler = TPixler::CreateHeadless();
  if (rows.empty()) return pixler;
  pixler->SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 1; y <= pixler->GetHeight(); ++y) {
    for (int x = 1; x <= pixler->GetWidth(); ++x)
      pixler->GetField().SetCell(x, y, rows[y - 1][x - 1] == '#' ? csFilled : csEmpty);
  }
  pixler->RegenerateClues();
  if (!keep_picture) pixler->ClearPicture();
  return pixler;
}

// A picture of about half filled cells from a fixed generator. Large ones
// (100 by 100) have clues that the window's solver grinds on for minutes:
// runs that must be stopped.
inline TRows RandomRows(int width, int height, uint32_t seed) {
  TRows rows(height, std::string(width, '.'));
  for (std::string& row : rows) {
    for (char& cell : row) {
      seed = seed * 1664525u + 1013904223u;
      if ((seed >> 16) & 1) cell = '#';
    }
  }
  return rows;
}

// '#', '.', and '?' for undecided cells, pencil marks included.
inline TRows Picture(const TPixler& pixler) {
  TRows rows(pixler.GetHeight(), std::string(pixler.GetWidth(), '?'));
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      const int32_t value = pixler.GetField().GetCell(x, y);
      if (IsCellDecided(value)) rows[y - 1][x - 1] = IsCellFilled(value) ? '#' : '.';
    }
  }
  return rows;
}

constexpr int32_t kCellCodes[] = {csUnknown,          csFilled,     csEmpty,
                                  csMaybeFilled,      csMaybeEmpty, csFilled + csNewFlag,
                                  csEmpty + csNewFlag};
constexpr char kCellChars[] = "_#.o-NX";

// Every cell state as one character: '_' undecided, '#' and '.' decided by
// hand, 'o' and '-' pencil marks, 'N' and 'X' written by the solver.
inline TRows Cells(const TPixler& pixler) {
  TRows rows(pixler.GetHeight(), std::string(pixler.GetWidth(), ' '));
  for (int y = 1; y <= pixler.GetHeight(); ++y) {
    for (int x = 1; x <= pixler.GetWidth(); ++x) {
      const int32_t* code = std::ranges::find(kCellCodes, pixler.GetField().GetCell(x, y));
      rows[y - 1][x - 1] = code == std::end(kCellCodes) ? '!' : kCellChars[code - kCellCodes];
    }
  }
  return rows;
}

// Changes the cells the rows give, in the characters of Cells, as one undo
// group; cells past them stay as they are.
inline void SetCells(TPixler& pixler, const TRows& rows) {
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) {
      const size_t code = std::string_view(kCellChars).find(rows[y][x]);
      pixler.GetField().ChangeCell(x + 1, y + 1, kCellCodes[code]);
    }
  }
  pixler.EndGroup();
}

// A fresh folder, removed with everything in it when the test ends.
struct TTempFolder {
  std::string path = std::filesystem::temp_directory_path() / "pixlers-test-XXXXXX";
  TTempFolder() {
    if (::mkdtemp(path.data()) == nullptr) std::abort();
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string Path(const std::string& name) const { return path + "/" + name; }
  std::string Write(const std::string& name, const std::string& content) const {
    std::ofstream(Path(name), std::ios::binary) << content;
    return Path(name);
  }
};

inline std::string ReadFile(const std::string& file) {
  std::ifstream stream(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), {}};
}

// What a file keeps of the document, as the document saves it.
inline std::string Saved(TPixler& pixler) {
  TTempFolder folder;
  pixler.SaveToFile(folder.Path("p"));
  return ReadFile(folder.Path("p"));
}

// What reading a file says: "read", "passed over" when `read` returns false
// (a .pixler file of another version), or the refusal.
inline std::string ReadMessage(const std::function<bool()>& read) {
  try {
    return read() ? "read" : "passed over";
  } catch (const TPixlerFileError& error) {
    return error.what();
  }
}

// Every message box shown, as "caption: text".
inline TRows Texts(const TScriptedPlatform& platform) {
  TRows texts;
  for (const TRecordedMessage& message : platform.messages)
    texts.push_back(message.caption + ": " + message.text);
  return texts;
}
