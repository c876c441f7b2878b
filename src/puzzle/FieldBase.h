#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "puzzle/CellState.h"
#include "puzzle/GridBase.h"

struct TJournalEntry {
  int32_t X;
  int32_t Y;
  // Before the change for applied entries (what Undo restores), after it for
  // the redo tail (what Redo restores).
  int32_t Value;
  bool GroupEnd;
};

constexpr int32_t kJournalCapacity = 1280000;
// How many of the oldest entries a full journal gives up to make room.
constexpr int32_t kJournalDrop = 1000;

// The picture's cells with line-done flags and the undo journal. "Done" means
// fully decided, not correct: the clue tables judge correctness.
class TFieldBase : public TGridBase {
 public:
  explicit TFieldBase(TCanvas& canvas);

  void Clear() override;
  // Not journaled; loading and the journal itself write through here.
  int32_t SetCell(int x, int y, int32_t value) override;

  // Journaled change; a value equal to the cell's records nothing.
  int32_t ChangeCell(int x, int y, int32_t value);
  void EndGroup();
  // Each undoes or redoes one group; the result tells whether more remains.
  bool Undo();
  bool Redo();

  bool IsRowDone(int y) const { return FRowDone[y]; }
  bool IsColumnDone(int x) const { return FColumnDone[x]; }

  // Neither is journaled.
  void ClearMightBe();
  void ClearNewFlags();

  int32_t GetJournalPos() const { return FJournalPos; }
  int32_t GetJournalTop() const { return FJournalTop; }

  // For state kept beside journal positions: told whenever recorded entries
  // leave their places. Entries above `kept` are gone (a change cut off the
  // redo tail, or the journal was emptied), and those that stay moved down by
  // `dropped` (a full journal gave up its oldest).
  using TJournalTrimmed = std::function<void(int32_t kept, int32_t dropped)>;
  void SetJournalTrimmed(TJournalTrimmed listener) { FJournalTrimmed = std::move(listener); }

 private:
  void RefreshColumn(int x);
  void RefreshRow(int y);
  void RefreshLineFlags(int x, int y);

  bool FRowDone[kGridArraySize] = {};
  bool FColumnDone[kGridArraySize] = {};
  // The size the flags were last computed for: a resize makes the next write
  // rescan every line, as the flags would be after a full rescan.
  int FFlagsWidth = 0;
  int FFlagsHeight = 0;

  // Entry 0 is a sentinel whose GroupEnd alone is ever written.
  std::unique_ptr<TJournalEntry[]> FJournal;
  int32_t FJournalPos = 0;
  int32_t FJournalTop = 0;
  TJournalTrimmed FJournalTrimmed;
};
