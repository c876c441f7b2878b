#include "puzzle/FieldBase.h"

#include <algorithm>

// Nothing past the top entry is ever read, so the block stays uninitialised:
// its pages are committed only as the journal grows.
TFieldBase::TFieldBase(TCanvas& canvas)
    : TGridBase(canvas),
      FJournal(std::make_unique_for_overwrite<TJournalEntry[]>(kJournalCapacity + 1)) {
  FJournal[0] = TJournalEntry{0, 0, 0, false};
}

void TFieldBase::Clear() {
  TGridBase::Clear();
  FJournalPos = 0;
  FJournalTop = 0;
  std::fill(std::begin(FRowDone), std::end(FRowDone), false);
  std::fill(std::begin(FColumnDone), std::end(FColumnDone), false);
  FFlagsWidth = 0;
  FFlagsHeight = 0;
  if (FJournalTrimmed) FJournalTrimmed(0, 0);
}

int32_t TFieldBase::SetCell(int x, int y, int32_t value) {
  TGridBase::SetCell(x, y, value);
  RefreshLineFlags(x, y);
  return value;
}

void TFieldBase::RefreshColumn(int x) {
  bool done = true;
  for (int y = 1; y <= FHeight && done; ++y) done = IsCellDecided(FCells[x][y]);
  FColumnDone[x] = done;
}

void TFieldBase::RefreshRow(int y) {
  bool done = true;
  for (int x = 1; x <= FWidth && done; ++x) done = IsCellDecided(FCells[x][y]);
  FRowDone[y] = done;
}

void TFieldBase::RefreshLineFlags(int x, int y) {
  // Lines beyond the size keep their flags, whatever their cells hold.
  if (FFlagsWidth != FWidth || FFlagsHeight != FHeight) {
    for (int column = 1; column <= FWidth; ++column) RefreshColumn(column);
    for (int row = 1; row <= FHeight; ++row) RefreshRow(row);
    FFlagsWidth = FWidth;
    FFlagsHeight = FHeight;
    return;
  }
  if (x >= 1 && x <= FWidth) RefreshColumn(x);
  if (y >= 1 && y <= FHeight) RefreshRow(y);
}

int32_t TFieldBase::ChangeCell(int x, int y, int32_t value) {
  if (GetCell(x, y) == value) return value;
  if (FJournalPos >= kJournalCapacity) {
    // The first surviving group may lose its beginning; undoing it then
    // restores only what survived.
    std::copy(&FJournal[kJournalDrop + 1], &FJournal[kJournalCapacity + 1], &FJournal[1]);
    FJournalPos -= kJournalDrop;
    if (FJournalTrimmed) FJournalTrimmed(kJournalCapacity, kJournalDrop);
  } else if (FJournalTop > FJournalPos && FJournalTrimmed) {
    FJournalTrimmed(FJournalPos, 0);
  }
  ++FJournalPos;
  FJournalTop = FJournalPos;
  FJournal[FJournalPos] = TJournalEntry{x, y, GetCell(x, y), false};
  return SetCell(x, y, value);
}

void TFieldBase::EndGroup() {
  FJournal[FJournalPos].GroupEnd = true;
}

bool TFieldBase::Undo() {
  // The group ending at the current position is the one to undo, so its own
  // end mark must not stop the walk.
  const int32_t start = FJournalPos;
  const bool start_group_end = FJournal[start].GroupEnd;
  FJournal[start].GroupEnd = false;
  while (FJournalPos > 0 && !FJournal[FJournalPos].GroupEnd) {
    TJournalEntry& entry = FJournal[FJournalPos];
    const int32_t previous = entry.Value;
    entry.Value = GetCell(entry.X, entry.Y);
    SetCell(entry.X, entry.Y, previous);
    --FJournalPos;
  }
  FJournal[start].GroupEnd = start_group_end;
  return FJournalPos > 0;
}

bool TFieldBase::Redo() {
  const int32_t start = FJournalPos;
  const bool start_group_end = FJournal[start].GroupEnd;
  FJournal[start].GroupEnd = false;
  while (FJournalPos < FJournalTop && !FJournal[FJournalPos].GroupEnd) {
    ++FJournalPos;
    TJournalEntry& entry = FJournal[FJournalPos];
    const int32_t next = entry.Value;
    entry.Value = GetCell(entry.X, entry.Y);
    SetCell(entry.X, entry.Y, next);
  }
  FJournal[start].GroupEnd = start_group_end;
  return FJournalPos < FJournalTop;
}

void TFieldBase::ClearMightBe() {
  // The whole array, not only the used size: marks outside it would come back
  // with a larger size.
  for (int x = 1; x <= kMaxGridSize; ++x) {
    for (int y = 1; y <= kMaxGridSize; ++y) {
      if (IsCellMightBe(GetCell(x, y))) SetCell(x, y, csUnknown);
    }
  }
}

void TFieldBase::ClearNewFlags() {
  for (int x = 1; x <= FWidth; ++x) {
    for (int y = 1; y <= FHeight; ++y) {
      const int32_t value = GetCell(x, y);
      if ((value & csNewFlag) != 0) SetCell(x, y, value - csNewFlag);
    }
  }
}
