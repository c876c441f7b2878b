#include "document/Pixler.h"

#include <memory>

#include "document/PixlerFile.h"

bool TPixler::LoadFromFile(const std::string& file_name) {
  auto data = std::make_unique<TPixlerFileData>();
  if (!TPixlerFile::Read(file_name, *data)) return false;

  Clear();
  SetSize(data->width, data->height);
  TField& field = GetField();
  TNumbersTop& top = GetTop();
  TNumbersLeft& left = GetLeft();
  for (int x = 1; x <= data->width; ++x) {
    for (int y = 1; y <= data->height; ++y) {
      field.SetCell(x, y, data->cells[x][y]);
      if (y <= data->TopSlots()) {
        top.SetCell(x, y, data->top_clues[x][y]);
        top.SetMark(x, y, data->top_marks[x][y]);
      }
      if (x <= data->LeftSlots()) {
        left.SetCell(x, y, data->left_clues[x][y]);
        left.SetMark(x, y, data->left_marks[x][y]);
      }
    }
  }
  Redraw(-1, -1);
  return true;
}

void TPixler::SaveToFile(const std::string& file_name) const {
  auto data = std::make_unique<TPixlerFileData>();
  data->width = GetWidth();
  data->height = GetHeight();
  const TField& field = GetField();
  const TNumbersTop& top = GetTop();
  const TNumbersLeft& left = GetLeft();
  for (int x = 1; x <= data->width; ++x) {
    for (int y = 1; y <= data->height; ++y) {
      data->cells[x][y] = field.GetCell(x, y);
      if (y <= data->TopSlots()) {
        data->top_clues[x][y] = top.GetCell(x, y);
        data->top_marks[x][y] = top.GetMark(x, y);
      }
      if (x <= data->LeftSlots()) {
        data->left_clues[x][y] = left.GetCell(x, y);
        data->left_marks[x][y] = left.GetMark(x, y);
      }
    }
  }
  TPixlerFile::Write(file_name, *data);
}

void TPixler::RegenerateClues() {
  const TField& field = GetField();
  const int width = GetWidth();
  const int height = GetHeight();

  // Walking from the far end stores the run next to the picture in slot 1.
  TNumbersTop& top = GetTop();
  top.Clear();
  for (int x = 1; x <= width; ++x) {
    int k = 1;
    int run = 0;
    for (int y = height; y >= 1; --y) {
      if (IsCellFilled(field.GetCell(x, y))) {
        ++run;
      } else if (run > 0) {
        top.SetCell(x, k++, run);
        run = 0;
      }
    }
    if (run > 0) top.SetCell(x, k, run);
  }

  TNumbersLeft& left = GetLeft();
  left.Clear();
  for (int y = 1; y <= height; ++y) {
    int k = 1;
    int run = 0;
    for (int x = width; x >= 1; --x) {
      if (IsCellFilled(field.GetCell(x, y))) {
        ++run;
      } else if (run > 0) {
        left.SetCell(k++, y, run);
        run = 0;
      }
    }
    if (run > 0) left.SetCell(k, y, run);
  }
}

void TPixler::SetMarker(int x, int y, int number) {
  TField& field = GetField();
  field.SetMarker(x, y, number);
  field.SetHeat(x, y, 0);
}

void TPixler::ShowRecursionOrder(const TSolverOrder& order) {
  TField& field = GetField();
  for (int x = 1; x <= GetWidth(); ++x) {
    for (int y = 1; y <= GetHeight(); ++y) field.SetHeat(x, y, order[SolverOrderIndex(x, y)]);
  }
  field.Redraw(-1, -1);
}

std::string TPixler::CpuTimeText(int64_t hundredths) {
  const int64_t hours = hundredths / 360000;
  const int64_t minutes = hundredths % 360000 / 6000;
  const int64_t seconds = hundredths % 6000 / 100;
  const int64_t rest = hundredths % 100;
  return "Total CPU time taken: " + std::to_string(hours) + "h " + std::to_string(minutes) + "m " +
         std::to_string(seconds) + "." + (rest < 10 ? "0" : "") + std::to_string(rest) + "s.";
}
