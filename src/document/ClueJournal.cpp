#include "document/ClueJournal.h"

#include <utility>

namespace {

// Slots per line of the longest line, so that a record does not depend on the
// puzzle's size.
constexpr int kMostSlots = (kMaxGridSize + 1) / 2;

// Every slot of both tables, in one fixed order.
template <typename Visit>
void ForEachSlot(TCluesBase& top, TCluesBase& left, Visit visit) {
  for (int x = 1; x <= kMaxGridSize; ++x) {
    for (int slot = 1; slot <= kMostSlots; ++slot) visit(top, x, slot);
  }
  for (int y = 1; y <= kMaxGridSize; ++y) {
    for (int slot = 1; slot <= kMostSlots; ++slot) visit(left, slot, y);
  }
}

}  // namespace

TClueJournal::TClueJournal(TFieldBase& field, TCluesBase& top, TCluesBase& left)
    : field_(field), top_(top), left_(left) {
  field_.SetJournalTrimmed([this](int32_t kept, int32_t dropped) { Trimmed(kept, dropped); });
}

TClueJournal::~TClueJournal() {
  field_.SetJournalTrimmed(nullptr);
}

void TClueJournal::Regenerating() {
  field_.EndGroup();
  const int32_t position = field_.GetJournalPos();
  if (position == 0) return;
  TRecord record{position, {}};
  record.clues.reserve(4 * kMaxGridSize * kMostSlots);
  ForEachSlot(top_, left_, [&](const TCluesBase& table, int x, int y) {
    record.clues.push_back(table.GetCell(x, y));
    record.clues.push_back(table.GetMark(x, y));
  });
  records_.push_back(std::move(record));
}

void TClueJournal::Undo() {
  const int32_t from = field_.GetJournalPos();
  field_.Undo();
  const int32_t to = field_.GetJournalPos();
  for (auto record = records_.rbegin(); record != records_.rend(); ++record) {
    if (record->position > to && record->position <= from) Swap(record->clues);
  }
}

void TClueJournal::Redo() {
  const int32_t from = field_.GetJournalPos();
  field_.Redo();
  const int32_t to = field_.GetJournalPos();
  for (TRecord& record : records_) {
    if (record.position > from && record.position <= to) Swap(record.clues);
  }
}

void TClueJournal::Trimmed(int32_t kept, int32_t dropped) {
  // A record at position 0 or below could never be passed by an Undo again.
  std::erase_if(records_, [&](const TRecord& record) {
    return record.position > kept || record.position <= dropped;
  });
  for (TRecord& record : records_) record.position -= dropped;
}

void TClueJournal::Swap(std::vector<int32_t>& clues) {
  auto stored = clues.begin();
  ForEachSlot(top_, left_, [&](TCluesBase& table, int x, int y) {
    const int32_t number = table.GetCell(x, y);
    table.SetCell(x, y, *stored);
    *stored++ = number;
    const int32_t mark = table.GetMark(x, y);
    table.SetMark(x, y, *stored);
    *stored++ = mark;
  });
}
