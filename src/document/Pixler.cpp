#include "document/Pixler.h"

#include <memory>

#include "document/PixlerFile.h"
#include "document/PuzzleFormats.h"
#include "puzzle/General.h"
#include "puzzle/NullCanvas.h"
#include "puzzle/Platform.h"

TPixler::~TPixler() = default;

std::unique_ptr<TPixler> TPixler::CreateHeadless() {
  // One per thread: the surface keeps a brush and a font size, and documents
  // solved on parallel threads must not share them. A headless document is
  // used on the thread that made it.
  static thread_local TNullCanvas canvas;
  const TSurface surface{canvas, 0, 0};
  return std::make_unique<TPixler>(surface, surface, surface, surface,
                                   TGridBase::kDefaultColorBackground, 0, 0);
}

bool TPixler::LoadFromFile(const std::string& file_name) {
  auto data = std::make_unique<TPixlerFileData>();
  if (!TPixlerFile::Read(file_name, *data)) return false;
  ApplyFileData(*data);
  return true;
}

void TPixler::SaveToFile(const std::string& file_name) const {
  TPixlerFile::Write(file_name, *FileData());
}

void TPixler::ImportFromFile(const std::string& file_name, int puzzle_index) {
  const ExchangePuzzle puzzle = ReadPuzzleFile(file_name, puzzle_index);
  ApplyFileData(*puzzle.data);
  FTitle = puzzle.metadata.title;
}

void TPixler::ExportToFile(const std::string& file_name) const {
  ExchangePuzzle puzzle;
  puzzle.data = FileData();
  puzzle.metadata.title = FTitle;
  WritePuzzleFile(file_name, puzzle);
}

void TPixler::ApplyFileData(const TPixlerFileData& data) {
  Clear();
  FTitle.clear();
  SetSize(data.width, data.height);
  TField& field = GetField();
  TNumbersTop& top = GetTop();
  TNumbersLeft& left = GetLeft();
  for (int x = 1; x <= data.width; ++x) {
    for (int y = 1; y <= data.height; ++y) {
      field.SetCell(x, y, data.cells[x][y]);
      if (y <= data.TopSlots()) {
        top.SetCell(x, y, data.top_clues[x][y]);
        top.SetMark(x, y, data.top_marks[x][y]);
      }
      if (x <= data.LeftSlots()) {
        left.SetCell(x, y, data.left_clues[x][y]);
        left.SetMark(x, y, data.left_marks[x][y]);
      }
    }
  }
  Redraw(-1, -1);
  MarkClean();
}

std::string TPixler::FileText() const {
  return TPixlerFile::Format(*FileData());
}

std::unique_ptr<TPixlerFileData> TPixler::FileData() const {
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
  return data;
}

namespace {

// Stores the filled runs of one line of `length` cells in slots 1, 2, ...;
// walking from the far end puts the run next to the picture in slot 1.
template <typename IsFilledAt, typename StoreSlot>
void StoreRuns(int length, IsFilledAt is_filled_at, StoreSlot store_slot) {
  int slot = 1;
  int run = 0;
  for (int i = length; i >= 1; --i) {
    if (is_filled_at(i)) {
      ++run;
    } else if (run > 0) {
      store_slot(slot++, run);
      run = 0;
    }
  }
  if (run > 0) store_slot(slot, run);
}

}  // namespace

void TPixler::RegenerateClues() {
  FClueJournal.Regenerating();
  const TField& field = GetField();
  const int width = GetWidth();
  const int height = GetHeight();

  TNumbersTop& top = GetTop();
  top.Clear();
  for (int x = 1; x <= width; ++x) {
    StoreRuns(
        height, [&](int y) { return IsCellFilled(field.GetCell(x, y)); },
        [&](int slot, int run) { top.SetCell(x, slot, run); });
  }

  TNumbersLeft& left = GetLeft();
  left.Clear();
  for (int y = 1; y <= height; ++y) {
    StoreRuns(
        width, [&](int x) { return IsCellFilled(field.GetCell(x, y)); },
        [&](int slot, int run) { left.SetCell(slot, y, run); });
  }
}

void TPixler::Undo() {
  FClueJournal.Undo();
}

void TPixler::Redo() {
  FClueJournal.Redo();
}

bool TPixler::SolveStep(bool AAllPieces, bool ARepeat, bool AContinue,
                        std::shared_ptr<ISolverCallback> ACallback) {
  // The worker owns the solver's lines until the run ends; a command that
  // slipped in through the message processing must not load them meanwhile.
  if (FSolving) return false;
  struct TSolvingScope {
    bool& flag;
    explicit TSolvingScope(bool& f) : flag(f) { flag = true; }
    ~TSolvingScope() { flag = false; }
  } solving(FSolving);

  const int width = GetWidth();
  const int height = GetHeight();
  TField& field = GetField();
  // A command started during a mouse stroke must not let the stroke's later
  // cells join the solver's group, nor the solver's cells join the stroke's.
  field.EndGroup();

  if (FSolver == nullptr || FSolver->width != width || FSolver->height != height) {
    std::lock_guard lock(FSolverMutex);
    FSolver.reset();
    FSolver = std::make_unique<TSolver>(std::move(ACallback), width, height);
  } else {
    FSolver->ResetReports();
  }

  const TNumbersTop& top = GetTop();
  const TNumbersLeft& left = GetLeft();
  for (int x = 1; x <= width; ++x) {
    for (int y = 1; y <= height; ++y) {
      const int32_t cell = field.GetCell(x, y);
      FSolver->SetCell(x, y,
                       IsCellFilled(cell)    ? csFilled
                       : IsCellDecided(cell) ? csEmpty
                                             : csUnknown);
      if (!AContinue) {
        // The tables keep slot 1 next to the picture; the lines want the
        // first clue first.
        FSolver->SetColumnClue(x, y, top.GetCell(x, height - y + 1));
        FSolver->SetRowClue(x, y, left.GetCell(width - x + 1, y));
      }
    }
  }

  FSolver->row_methods[1] = FUseRow1;
  FSolver->row_methods[2] = FUseRow2;
  FSolver->row_methods[3] = FUseRow3;
  FSolver->row_methods[4] = FUseRow4;
  FSolver->row_recursion_methods[1] = FUseRowRecurse1;
  FSolver->field_recursion_methods[1] = FUseFieldRecurse1;
  FSolver->allow_deep_recursion = FAllowDeepRecursion;
  FSolver->allow_full_recursion = FAllowFullRecursion;

  FStopRequested = false;
  FRealtime = ARepeat;
  FSolver->Run(AAllPieces, ARepeat, AContinue);

  const bool error = FSolver->error;
  const bool progress = FSolver->progress;
  if (error) TGeneral::MessageInfo("WARNING: An error has been found!!");

  field.ClearNewFlags();
  if (progress) {
    for (int x = 1; x <= width; ++x) {
      for (int y = 1; y <= height; ++y) {
        const int32_t value = FSolver->GetCell(x, y);
        if (field.GetCell(x, y) != value) field.ChangeCell(x, y, value + csNewFlag);
      }
    }
    field.EndGroup();
  }

  // A contradiction also ends the search for pieces, so the user hears that
  // it is stuck even when the run decided cells before it.
  if ((!progress || ARepeat || error) && !FStopRequested && HasUndecidedCell()) {
    TGeneral::MessageInfo("No new pieces has been found! Sorry...");
    Redraw(-1, -1);
    return false;
  }

  const bool result = progress && !error;
  Redraw(-1, -1);
  if (ARepeat) TGeneral::MessageInfo(CpuTimeText(FSolver->cpu_time));
  return result;
}

void TPixler::SolveAll(bool AAllPieces, bool ARepeat, std::shared_ptr<ISolverCallback> ACallback) {
  bool result = SolveStep(AAllPieces, ARepeat, false, ACallback);
  CurrentPlatform().ProcessMessages();
  while (!FStopRequested && result) {
    result = SolveStep(AAllPieces, ARepeat, true, ACallback);
    CurrentPlatform().ProcessMessages();
  }
}

void TPixler::Stop() {
  FStopRequested = true;
  std::lock_guard lock(FSolverMutex);
  if (FSolver != nullptr) FSolver->Stop();
}

bool TPixler::HasUndecidedCell() const {
  for (int x = 1; x <= GetWidth(); ++x) {
    for (int y = 1; y <= GetHeight(); ++y) {
      if (!IsCellDecided(GetField().GetCell(x, y))) return true;
    }
  }
  return false;
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
