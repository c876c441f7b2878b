#pragma once

#include <QIcon>

// The toolbar's pictures, drawn here so that the program needs no icon theme.
enum class TToolIcon {
  New,
  Open,
  Save,
  ClearPicture,
  Undo,
  Redo,
  ClearMights,
  EditMode,
  ZoomIn,
  ResetZoom,
  ZoomOut,
  FindPiece,
  FindAllPieces,
  FullPass,
  AllFullPasses,
  Realtime,
  Stop,
  Manual,
  SolveBySearch,
  CheckUnique,
};

QIcon ToolIcon(TToolIcon kind);
