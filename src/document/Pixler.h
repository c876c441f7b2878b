#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "document/ClueJournal.h"
#include "puzzle/PixlerBase.h"
#include "solver/Solver.h"
#include "solver/SolverBase.h"

struct TPixlerFileData;

// The puzzle document the window works on: the composite plus puzzle files,
// clue generation and the solve commands.
class TPixler : public TPixlerBase {
 public:
  using TPixlerBase::TPixlerBase;
  ~TPixler() override;

  // A document without a window, for the command-line tool and benchmarks:
  // its grids paint on a surface that ignores drawing, shared by the
  // documents of the calling thread, which is the only one to use it.
  static std::unique_ptr<TPixler> CreateHeadless();

  // Replaces the puzzle by the file's, all or nothing, and repaints. Returns
  // false, changing nothing, when the first line is not the version line:
  // such files are passed over without a message, and the caller keeps its
  // old file name. Throws TPixlerFileError, the puzzle untouched, when the
  // file cannot be read.
  bool LoadFromFile(const std::string& file_name);
  // Throws TPixlerFileError when the file cannot be written; an existing file
  // is then left as it was.
  void SaveToFile(const std::string& file_name) const;
  // The same for any puzzle format by the file's extension (.non, .xml, or
  // the puzzle file's, see PuzzleFormats.h), puzzle_index choosing a puzzle of
  // an XML set. Import replaces the puzzle all or nothing and throws
  // TPixlerFileError, the puzzle untouched, for any file it cannot read, a
  // puzzle file with the wrong first line included; a goal is not shown.
  // Export writes a complete picture that satisfies its clues as the goal.
  void ImportFromFile(const std::string& file_name, int puzzle_index = 1);
  void ExportToFile(const std::string& file_name) const;
  // The title the last imported file gave the puzzle, which exports carry
  // on; empty when it gave none, and after a puzzle file is loaded or the
  // puzzle is made anew.
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  // What a puzzle file of the document holds.
  std::unique_ptr<TPixlerFileData> FileData() const;
  // Replaces the puzzle by one that was read or made whole (sizes 1..100,
  // clues within their slots), repaints, and marks it clean.
  void ApplyFileData(const TPixlerFileData& data);
  // The text a puzzle file of the current puzzle holds.
  std::string FileText() const;
  // Whether the puzzle differs from what was last loaded or marked clean;
  // undoing back to that state makes it clean again.
  bool IsModified() const { return FileText() != FCleanText; }
  void MarkClean() { FCleanText = FileText(); }
  // For a puzzle that no file holds, such as recovered work.
  void MarkModified() { FCleanText.clear(); }
  // Builds both clue tables from the picture's filled runs; marks are lost.
  // It joins the picture's last undo group: undoing that group brings the
  // replaced clues back, and redoing it the regenerated ones.
  void RegenerateClues();
  // Undo and Redo keep the clues of a regeneration with the picture that
  // made them.
  void Undo() override;
  void Redo() override;

  // One solving run on the picture: the solver's findings are written back
  // as one undo group, flagged as new. Shows the contradiction warning, "No
  // new pieces" when it is stuck, and the CPU time after a repeating run.
  // True when the run decided something and found no contradiction. The
  // callback receives the reports on this thread; a solver already made for
  // this size keeps the callback it was made with.
  bool SolveStep(bool AAllPieces, bool ARepeat, bool AContinue,
                 std::shared_ptr<ISolverCallback> ACallback);
  // Steps until one decides nothing, finds a contradiction, or is stopped;
  // every later step builds on what the lines learnt in the ones before.
  void SolveAll(bool AAllPieces, bool ARepeat, std::shared_ptr<ISolverCallback> ACallback);
  // While a solve command runs: the run ends at the worker's next poll, its
  // partial result is still written back, and SolveAll starts no further
  // step. Safe from any thread; a request made before a step starts is
  // cleared by that step.
  void Stop();

  // The last run's contradiction flag and CPU time in hundredths of a second;
  // false and 0 before the first run.
  bool LastRunFoundError() const { return FSolver != nullptr && FSolver->error; }
  int64_t LastCpuTime() const { return FSolver != nullptr ? FSolver->cpu_time : 0; }

  // Moves the solver's marker and cools its cell, so that the cell being
  // tried shows plainly over the order discs.
  void SetMarker(int x, int y, int number);
  void ShowRecursionOrder(const TSolverOrder& order);

  // "Total CPU time taken: 0h 2m 3.45s." for 12345 hundredths.
  static std::string CpuTimeText(int64_t hundredths);

  // A realtime run is current or was the last; the window then shows neither
  // the marker nor the order.
  bool FRealtime = false;
  // The solver switches, copied from the Solver menu before every command.
  bool FUseRow1 = false;
  bool FUseRow2 = false;
  bool FUseRow3 = false;
  bool FUseRow4 = false;
  bool FUseRowRecurse1 = false;
  bool FUseFieldRecurse1 = false;
  bool FAllowDeepRecursion = false;
  bool FAllowFullRecursion = false;

 private:
  bool HasUndecidedCell() const;

  std::atomic<bool> FStopRequested = false;
  bool FSolving = false;
  // Guards FSolver's replacement against a Stop from another thread.
  std::mutex FSolverMutex;
  std::unique_ptr<TSolver> FSolver;
  std::string FCleanText;
  std::string FTitle;
  TClueJournal FClueJournal{GetField(), GetTop(), GetLeft()};
};
