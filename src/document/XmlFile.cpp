#include "document/XmlFile.h"

#include <tinyxml2.h>

#include <map>
#include <optional>
#include <vector>

#include "document/MessageText.h"
#include "document/RegularFile.h"
#include "puzzle/CellState.h"

namespace {

using tinyxml2::XMLElement;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// "<name>", built piece by piece: GCC 12 at -O3 warns (-Wrestrict) inside
// std::string on a concatenation that starts with a literal.
std::string TagOf(const XMLElement& element) {
  std::string tag(1, '<');
  tag += element.Name();
  tag += '>';
  return tag;
}

// All of an element's own text: a comment may split a number or a title,
// and reading only the part before it would change what the file says.
std::string TextOf(const XMLElement& element) {
  std::string text;
  for (const tinyxml2::XMLNode* node = element.FirstChild(); node != nullptr;
       node = node->NextSibling()) {
    if (const tinyxml2::XMLText* part = node->ToText()) text += part->Value();
  }
  return std::string(Trim(text));
}

// The parser checks each new attribute against all earlier ones of its
// element, so its work grows with the square of their number. The format
// needs a handful; anything far beyond is refused before parsing, by a scan
// that counts every '=' outside quotes in a start tag (each attribute has one).
constexpr int kMostAttributes = 32;

// The line of the first start tag with too many attributes, or 0.
int LineOfCrowdedElement(std::string_view text) {
  int line = 1;
  auto skip_to = [&](size_t& i, std::string_view end) {
    const size_t found = text.find(end, i);
    const size_t stop = found == std::string_view::npos ? text.size() : found + end.size();
    for (; i < stop; ++i) line += text[i] == '\n';
  };
  for (size_t i = 0; i < text.size();) {
    if (text[i] != '<') {
      line += text[i++] == '\n';
      continue;
    }
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("<!--")) {
      skip_to(i, "-->");
    } else if (rest.starts_with("<![CDATA[")) {
      skip_to(i, "]]>");
    } else if (rest.starts_with("<?")) {
      skip_to(i, "?>");
    } else if (rest.starts_with("<!") || rest.starts_with("</")) {
      skip_to(i, ">");
    } else {
      const int start_line = line;
      int attributes = 0;
      char quote = 0;
      for (++i; i < text.size() && (quote != 0 || text[i] != '>'); ++i) {
        const char c = text[i];
        line += c == '\n';
        if (quote != 0) {
          if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '=' && ++attributes > kMostAttributes) {
          return start_line;
        }
      }
    }
  }
  return 0;
}

// Text as XML 1.0 allows it in an element: the markup characters escaped,
// CR kept as a reference (a parser turns a literal one into LF), and bytes
// that are no character of the format (control characters, NUL, broken
// UTF-8, U+FFFE and U+FFFF) dropped, so that every file written is
// well-formed.
std::string EscapeText(std::string_view text) {
  std::string escaped;
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      ++i;
      if (byte == '&') {
        escaped += "&amp;";
      } else if (byte == '<') {
        escaped += "&lt;";
      } else if (byte == '>') {
        escaped += "&gt;";
      } else if (byte == '\r') {
        escaped += "&#13;";
      } else if (byte >= 0x20 || byte == '\t' || byte == '\n') {
        escaped += static_cast<char>(byte);
      }
      continue;
    }
    const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 0;
    char32_t code = byte & (0x7F >> length);
    bool valid = length >= 2 && byte <= 0xF4 && i + length <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && code >= kSmallest[length] && code <= 0x10FFFF &&
            !(code >= 0xD800 && code <= 0xDFFF) && code != 0xFFFE && code != 0xFFFF;
    if (valid) {
      escaped.append(text.substr(i, static_cast<size_t>(length)));
      i += static_cast<size_t>(length);
    } else {
      ++i;
    }
  }
  return escaped;
}

std::string_view Attribute(const XMLElement& element, const char* name, const char* fallback) {
  const char* value = element.Attribute(name);
  return value != nullptr ? value : fallback;
}

const char* ParseProblem(tinyxml2::XMLError error) {
  switch (error) {
    case tinyxml2::XML_ERROR_EMPTY_DOCUMENT:
      return "the file holds no XML";
    case tinyxml2::XML_ERROR_MISMATCHED_ELEMENT:
      return "an element is closed by the end tag of another";
    case tinyxml2::XML_ELEMENT_DEPTH_EXCEEDED:
      return "the elements are nested too deeply";
    case tinyxml2::XML_ERROR_PARSING_ATTRIBUTE:
      return "an attribute cannot be read";
    case tinyxml2::XML_ERROR_PARSING_TEXT:
      return "the text cannot be read";
    default:
      return "the XML is malformed";
  }
}

struct ClueLines {
  std::vector<std::vector<int>> clues;
  std::vector<int> lines;
};

class XmlParser {
 public:
  XmlParser(std::string_view text, const std::string& file_name, int puzzle_index)
      : file_name_(file_name), puzzle_index_(puzzle_index) {
    if (const int line = LineOfCrowdedElement(text); line != 0) {
      Fail(line, "an element has more than " + std::to_string(kMostAttributes) +
                     " attributes, far more than any element of a puzzle needs");
    }
    if (document_.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
      Fail(std::max(1, document_.ErrorLineNum()),
           std::string(ParseProblem(document_.ErrorID())) + " (" + document_.ErrorName() + ")");
    }
  }

  ExchangePuzzle Run() {
    const XMLElement* root = document_.RootElement();
    if (root == nullptr) Fail(1, "the file holds no XML element");
    const XMLElement* puzzle = nullptr;
    if (std::string_view(root->Name()) == "puzzle") {
      if (puzzle_index_ == 1) puzzle = root;
    } else if (std::string_view(root->Name()) == "puzzleset") {
      int index = 0;
      for (const XMLElement* p = root->FirstChildElement("puzzle"); p != nullptr;
           p = p->NextSiblingElement("puzzle")) {
        if (++index == puzzle_index_) puzzle = p;
      }
      if (index == 0) Fail(root->GetLineNum(), "the puzzle set holds no puzzle");
      if (puzzle == nullptr) {
        Fail(root->GetLineNum(), "the puzzle set holds " + std::to_string(index) +
                                     " puzzles, so there is no puzzle " +
                                     std::to_string(puzzle_index_));
      }
    } else {
      Fail(root->GetLineNum(),
           "the outermost element is <" + std::string(root->Name()) + ">, not <puzzleset>");
    }
    if (puzzle == nullptr) {
      Fail(root->GetLineNum(),
           "the file holds one puzzle, so there is no puzzle " + std::to_string(puzzle_index_));
    }
    ReadPuzzle(*puzzle);
    return std::move(puzzle_);
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& reason) const {
    throw TPixlerFileError(file_name_, line, reason);
  }

  void ReadPuzzle(const XMLElement& puzzle) {
    const std::string_view type = Attribute(puzzle, "type", "grid");
    if (type != "grid") {
      Fail(puzzle.GetLineNum(),
           "puzzles of type " + QuotedMessageText(type) + " are not supported");
    }
    foreground_ = Attribute(puzzle, "defaultcolor", "black");
    background_ = Attribute(puzzle, "backgroundcolor", "white");
    if (foreground_ == background_) {
      Fail(puzzle.GetLineNum(), "the default colour is the background colour");
    }
    for (const XMLElement* color = puzzle.FirstChildElement("color"); color != nullptr;
         color = color->NextSiblingElement("color")) {
      ReadColor(*color);
    }
    if (foreground_char_ == background_char_) {
      Fail(puzzle.GetLineNum(), "filled and empty cells have the same character");
    }

    std::optional<ClueLines> columns;
    std::optional<ClueLines> rows;
    const XMLElement* goal = nullptr;
    const XMLElement* saved = nullptr;
    for (const XMLElement* child = puzzle.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
      const std::string_view name = child->Name();
      if (name == "clues") {
        const std::string_view kind = Attribute(*child, "type", "");
        if (kind != "columns" && kind != "rows") {
          Fail(child->GetLineNum(), "clues of type " + QuotedMessageText(kind) +
                                        " are not supported, only \"columns\" and \"rows\"");
        }
        std::optional<ClueLines>& target = kind == "columns" ? columns : rows;
        if (target) Fail(child->GetLineNum(), "a second set of " + std::string(kind) + " clues");
        target = ReadClues(*child, kind == "columns");
      } else if (name == "solution") {
        const std::string_view kind = Attribute(*child, "type", "goal");
        if (kind == "saved") {
          if (saved == nullptr) saved = child;
        } else if (kind == "goal" || kind == "solution") {
          if (goal == nullptr) goal = child;
        } else {
          Fail(child->GetLineNum(),
               "solutions of type " + QuotedMessageText(kind) + " are not supported");
        }
      } else if (name == "title") {
        puzzle_.metadata.title = TextOf(*child);
      } else if (name == "author") {
        puzzle_.metadata.author = TextOf(*child);
      } else if (name == "copyright") {
        puzzle_.metadata.copyright = TextOf(*child);
      } else if (name == "id") {
        puzzle_.metadata.catalogue = TextOf(*child);
      }
    }
    if (!columns) Fail(puzzle.GetLineNum(), "the puzzle has no column clues");
    if (!rows) Fail(puzzle.GetLineNum(), "the puzzle has no row clues");

    TPixlerFileData& data = *puzzle_.data;
    data.width = static_cast<int32_t>(columns->clues.size());
    data.height = static_cast<int32_t>(rows->clues.size());
    for (const bool column : {true, false}) {
      const ClueLines& lines = column ? *columns : *rows;
      for (size_t i = 0; i < lines.clues.size(); ++i) {
        if (!StoreLineClues(data, column, static_cast<int>(i + 1), lines.clues[i])) {
          Fail(lines.lines[i], std::string(column ? "column " : "row ") + std::to_string(i + 1) +
                                   " has " + std::to_string(lines.clues[i].size()) +
                                   " counts, more than fit in " +
                                   std::to_string(column ? data.height : data.width) + " cells");
        }
      }
    }
    if (goal != nullptr) {
      puzzle_.goal = ReadImage(*goal, false);
      // A wrong goal would pass for the solution when the file is converted.
      const std::string mismatch = ClueMismatch(data, puzzle_.goal);
      if (!mismatch.empty())
        Fail(goal->GetLineNum(), "the goal's " + mismatch + " breaks its clues");
    }
    if (saved != nullptr) {
      const PuzzleImage cells = ReadImage(*saved, true);
      for (int y = 1; y <= data.height; ++y) {
        for (int x = 1; x <= data.width; ++x) {
          const char c = cells[y - 1][x - 1];
          data.cells[x][y] = c == '#' ? csFilled : c == '.' ? csEmpty : csUnknown;
        }
      }
    }
  }

  void ReadColor(const XMLElement& color) {
    const std::string_view name = Attribute(color, "name", "");
    const char* character = color.Attribute("char");
    if (name != foreground_ && name != background_) {
      Fail(color.GetLineNum(), "the colour " + QuotedMessageText(name) +
                                   " makes this a colour puzzle; only black and white ones are "
                                   "supported");
    }
    if (character == nullptr) return;
    if (std::string_view(character).size() != 1 || IsSpace(character[0]) ||
        std::string_view("?|[]").find(character[0]) != std::string_view::npos) {
      Fail(color.GetLineNum(),
           "the character " + QuotedMessageText(character) + " cannot stand for a cell");
    }
    (name == foreground_ ? foreground_char_ : background_char_) = character[0];
  }

  ClueLines ReadClues(const XMLElement& clues, bool column) {
    ClueLines result;
    const char* name = column ? "columns" : "rows";
    for (const XMLElement* line = clues.FirstChildElement(); line != nullptr;
         line = line->NextSiblingElement()) {
      if (std::string_view(line->Name()) != "line") {
        Fail(line->GetLineNum(), TagOf(*line) + " stands in <clues> where a <line> belongs");
      }
      if (result.clues.size() == static_cast<size_t>(kMaxGridSize)) {
        Fail(line->GetLineNum(), std::string("more than 100 ") + name);
      }
      if (!TextOf(*line).empty()) {
        Fail(line->GetLineNum(), "text stands in <line> where <count>s belong");
      }
      std::vector<int>& counts = result.clues.emplace_back();
      result.lines.push_back(line->GetLineNum());
      for (const XMLElement* count = line->FirstChildElement(); count != nullptr;
           count = count->NextSiblingElement()) {
        if (std::string_view(count->Name()) != "count") {
          Fail(count->GetLineNum(), TagOf(*count) + " stands in <line> where a <count> belongs");
        }
        const std::string_view color = Attribute(*count, "color", foreground_.c_str());
        if (color != foreground_) {
          Fail(count->GetLineNum(), "a count in the colour " + QuotedMessageText(color) +
                                        " makes this a colour puzzle; only black and white "
                                        "ones are supported");
        }
        if (counts.size() == static_cast<size_t>(kMaxGridSize)) {
          Fail(count->GetLineNum(), "more than 100 counts in one line");
        }
        const std::string text = TextOf(*count);
        const std::optional<int> value = ParseNumber(text);
        if (!value || *value < 1 || *value > TPixlerFile::kLargestNumber) {
          Fail(count->GetLineNum(),
               "the count " + QuotedMessageText(text) + " is not a number in 1..100");
        }
        counts.push_back(*value);
      }
    }
    if (result.clues.empty()) Fail(clues.GetLineNum(), std::string("there are no ") + name);
    return result;
  }

  // Rows of '#', '.' and (saved solutions only) '?'; whitespace is ignored,
  // and rows are the stretches between '|' or, without any '|', the lines.
  PuzzleImage ReadImage(const XMLElement& solution, bool saved) {
    const char* what = saved ? "saved solution" : "goal";
    const TPixlerFileData& data = *puzzle_.data;
    const XMLElement* image = solution.FirstChildElement("image");
    if (image == nullptr)
      Fail(solution.GetLineNum(), std::string("the ") + what + " has no <image>");
    const tinyxml2::XMLNode* node = image->FirstChild();
    const tinyxml2::XMLText* text = node != nullptr ? node->ToText() : nullptr;
    const std::string_view content = text != nullptr ? text->Value() : "";
    // A text node is numbered by its first character that is not
    // whitespace, but the text holds the line ends before it.
    int line = text != nullptr ? text->GetLineNum() : image->GetLineNum();
    for (size_t i = 0; i < content.size() && IsSpace(content[i]); ++i) line -= content[i] == '\n';
    const char separator = content.find('|') != std::string_view::npos ? '|' : '\n';

    PuzzleImage rows;
    std::string row;
    int row_line = line;
    auto end_row = [&] {
      if (row.empty()) return;
      if (rows.size() == static_cast<size_t>(data.height)) {
        Fail(row_line, std::string("the ") + what + " has more than " +
                           std::to_string(data.height) + " rows");
      }
      if (row.size() != static_cast<size_t>(data.width)) {
        Fail(row_line, "row " + std::to_string(rows.size() + 1) + " of the " + what + " has " +
                           std::to_string(row.size()) + " cells, not " +
                           std::to_string(data.width));
      }
      rows.push_back(row);
      row.clear();
    };
    for (size_t i = 0; i < content.size(); ++i) {
      const char c = content[i];
      if (c == separator) end_row();
      if (c == '\n') ++line;
      if (c == separator || IsSpace(c)) continue;
      if (row.empty()) row_line = line;
      char cell = CellOf(c, line, what);
      if (c == '[') {
        const size_t close = content.find(']', i);
        if (close == std::string_view::npos) Fail(line, "a '[' without its ']'");
        bool filled = false;
        bool empty = false;
        for (char option : content.substr(i + 1, close - i - 1)) {
          if (IsSpace(option)) continue;
          const char meaning = CellOf(option, line, what);
          filled = filled || meaning == '#';
          empty = empty || meaning == '.';
          if (meaning == '?') filled = empty = true;
        }
        cell = filled && empty ? '?' : filled ? '#' : '.';
        if (!filled && !empty) Fail(line, "an empty '[]' in the " + std::string(what));
        i = close;
      }
      if (cell == '?' && !saved) Fail(line, "the goal leaves a cell undecided");
      row += cell;
    }
    end_row();
    if (rows.size() != static_cast<size_t>(data.height)) {
      Fail(line, std::string("the ") + what + " has " + std::to_string(rows.size()) +
                     " rows, not " + std::to_string(data.height));
    }
    return rows;
  }

  // '#', '.', '?' or '[' for the image character c.
  char CellOf(char c, int line, const char* what) const {
    if (c == foreground_char_) return '#';
    if (c == background_char_) return '.';
    if (c == '?' || c == '[') return c;
    Fail(line, std::string("the character ") + QuotedMessageText(std::string_view(&c, 1)) +
                   " in the " + what + " stands for no cell of a black and white puzzle");
  }

  const std::string& file_name_;
  const int puzzle_index_;
  tinyxml2::XMLDocument document_{true, tinyxml2::PRESERVE_WHITESPACE};
  std::string foreground_;
  std::string background_;
  char foreground_char_ = 'X';
  char background_char_ = '.';
  ExchangePuzzle puzzle_;
};

// Writes line elements on one line each, so that a large puzzle stays a
// readable file.
class PuzzlePrinter : public tinyxml2::XMLPrinter {
 public:
  bool CompactMode(const XMLElement& element) override {
    const std::string_view name = element.Name();
    return name == "line" || name == "count" || name == "image";
  }
};

void AddText(tinyxml2::XMLElement& parent, const char* name, const std::string& text) {
  const std::string escaped = EscapeText(text);
  if (escaped.empty()) return;
  parent.InsertNewChildElement(name)->SetText(escaped.c_str());
}

void AddImage(tinyxml2::XMLElement& puzzle, const char* type, const PuzzleImage& rows) {
  tinyxml2::XMLElement* solution = puzzle.InsertNewChildElement("solution");
  solution->SetAttribute("type", type);
  std::string text = "\n";
  for (const std::string& row : rows) text += "|" + row + "|\n";
  solution->InsertNewChildElement("image")->SetText(text.c_str());
}

}  // namespace

ExchangePuzzle XmlFile::Read(const std::string& file_name, int puzzle_index) {
  return Parse(ReadRegularFile(file_name), file_name, puzzle_index);
}

ExchangePuzzle XmlFile::Parse(std::string_view text, const std::string& file_name,
                              int puzzle_index) {
  return XmlParser(text, file_name, puzzle_index).Run();
}

std::string XmlFile::Format(const ExchangePuzzle& puzzle) {
  const TPixlerFileData& data = *puzzle.data;
  // The texts are escaped here (see EscapeText): the printer's own escaping
  // lets control characters and broken UTF-8 through.
  tinyxml2::XMLDocument document(false);
  document.InsertEndChild(document.NewDeclaration());
  tinyxml2::XMLElement* set = document.NewElement("puzzleset");
  document.InsertEndChild(set);
  tinyxml2::XMLElement* element = set->InsertNewChildElement("puzzle");
  element->SetAttribute("type", "grid");
  element->SetAttribute("defaultcolor", "black");
  AddText(*element, "id", puzzle.metadata.catalogue);
  AddText(*element, "title", puzzle.metadata.title);
  AddText(*element, "author", puzzle.metadata.author);
  AddText(*element, "copyright", puzzle.metadata.copyright);
  for (const auto& [name, character, rgb] :
       {std::tuple("white", ".", "fff"), std::tuple("black", "X", "000")}) {
    tinyxml2::XMLElement* color = element->InsertNewChildElement("color");
    color->SetAttribute("name", name);
    color->SetAttribute("char", character);
    color->SetText(rgb);
  }
  for (const bool column : {true, false}) {
    tinyxml2::XMLElement* clues = element->InsertNewChildElement("clues");
    clues->SetAttribute("type", column ? "columns" : "rows");
    for (int line = 1; line <= (column ? data.width : data.height); ++line) {
      tinyxml2::XMLElement* entry = clues->InsertNewChildElement("line");
      for (const int clue : LineClues(data, column, line)) {
        entry->InsertNewChildElement("count")->SetText(clue);
      }
    }
  }
  PuzzleImage goal = puzzle.GoalToWrite();
  for (std::string& row : goal) {
    for (char& c : row) c = c == '#' ? 'X' : '.';
  }
  if (!goal.empty()) AddImage(*element, "goal", goal);
  PuzzleImage saved(data.height, std::string(data.width, '?'));
  bool any_decided = false;
  for (int y = 1; y <= data.height; ++y) {
    for (int x = 1; x <= data.width; ++x) {
      const int32_t cell = data.cells[x][y];
      any_decided = any_decided || IsCellDecided(cell);
      if (IsCellDecided(cell)) saved[y - 1][x - 1] = IsCellFilled(cell) ? 'X' : '.';
    }
  }
  if (any_decided) AddImage(*element, "saved", saved);
  PuzzlePrinter printer;
  document.Print(&printer);
  return std::string(printer.CStr(), static_cast<size_t>(printer.CStrSize() - 1));
}
