#pragma once

#include <cstdint>
#include <vector>

#include "puzzle/CluesBase.h"
#include "puzzle/FieldBase.h"

// The clue tables' side of the picture's undo journal. The journal records
// cells only, and clue edits by hand are deliberately left out of it; but a
// regeneration rewrites every clue from the picture, so undoing the picture
// alone would leave clues that no longer match it. Each regeneration is
// therefore tied to the journal position it happened at and joins the group
// that ends there: an Undo that goes back past the position swaps the clues
// it replaced back in, and a Redo over it swaps the regenerated ones back.
// Regenerating with nothing to undo records nothing, since no Undo can pass
// position 0.
class TClueJournal {
 public:
  TClueJournal(TFieldBase& field, TCluesBase& top, TCluesBase& left);
  ~TClueJournal();
  TClueJournal(const TClueJournal&) = delete;
  TClueJournal& operator=(const TClueJournal&) = delete;

  // Before the tables are rebuilt from the picture. Ends an open stroke, so
  // that its later cells cannot join the group the regeneration belongs to.
  void Regenerating();
  // The picture's Undo and Redo, with the clues that belong to the picture
  // they leave.
  void Undo();
  void Redo();

 private:
  struct TRecord {
    int32_t position;
    // Numbers and marks of every slot a table can hold, the column table's
    // first: swapped with the tables' on every pass over the position.
    std::vector<int32_t> clues;
  };
  void Trimmed(int32_t kept, int32_t dropped);
  void Swap(std::vector<int32_t>& clues);

  TFieldBase& field_;
  TCluesBase& top_;
  TCluesBase& left_;
  // In the order made, so that regenerations at one position are undone
  // last first; those above the journal position are a Redo's to bring back.
  std::vector<TRecord> records_;
};
