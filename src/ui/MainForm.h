#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "solver/SolverBase.h"
#include "ui/FileDialogs.h"
#include "ui/ToolIcons.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class FileCommands;
class PlayCommands;
class SolverCommands;
class ViewControl;
class TImageControl;
class TKeyboardPlay;
class HintCommand;
class DrawingCheck;
class UniqueProposal;
class TPixler;
class TfAbout;
class TfNew;

// The program's main window: its frame, menus, toolbar and status bar, the
// four drawing surfaces in a scroll area, and the solver's reports, which the
// status bar follows. The commands live in units of their own: FileCommands
// (File menu, recovery), SolverCommands (Solver menu, unique check) and
// ViewControl (zoom, fit, scroll, surface layout), PlayCommands (finishing,
// timer, crossed-out clues, mistakes); the named handlers here
// forward to them. A new menu item is made in CreateMenus, gets a button in
// CreateToolBar if it has one, is opened and closed in EnableControls, and
// its handler calls its unit. Members carry the names the manual and the
// tests refer to.
class TfMain : public QMainWindow, public ISolverCallback, public FileDialogs {
  Q_OBJECT

 public:
  explicit TfMain(QWidget* parent = nullptr);
  ~TfMain() override;

  // Mouse buttons and Shift as one action code: 1 left, 2 right, 4 middle or
  // both, each plus 8 with Shift.
  static int ShiftToAction(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

  void ReportLevel(int32_t level) override;
  void ReportType(int32_t level, const std::string& type_name) override;
  void ReportPosition(int32_t level, const std::string& text, int32_t x, int32_t y,
                      int32_t count) override;
  void ReportMissing(int32_t missing) override;
  void ReportOrder(const TSolverOrder& order) override;
  void ReportSearch(int32_t decided, int32_t cells, int32_t depth, int64_t nodes) override;

  TPixler& Document() { return *FDocument; }
  // The units that carry out the commands; the handlers below forward to
  // them.
  FileCommands& Files() { return *FFiles; }
  SolverCommands& Solver() { return *FSolver; }
  ViewControl& View() { return *FView; }
  PlayCommands& Play() { return *FPlay; }

  // The one place that opens and closes the controls around a run.
  void EnableControls(bool enabled);
  // Applies the mode of the check mark, which the menu or the button has
  // already toggled when the user chose it.
  void MenuItemSwitchEditModeClick();
  void SetEditorMode(bool editor);

  QMenu* MenuItemFile;
  QMenu* MenuItemEdit;
  QMenu* MenuItemView;
  QMenu* MenuItemSolver;
  QMenu* MenuItemOptions;
  QMenu* MenuItemHelp;

  QAction* MenuItemNew;
  QAction* MenuItemNewRandom;
  QAction* MenuItemOpen;
  QAction* MenuItemSave;
  QAction* MenuItemImport;
  QAction* MenuItemExport;
  QAction* MenuItemClearPic;
  QAction* MenuItemExit;
  QAction* MenuItemUndo;
  QAction* MenuItemRedo;
  QAction* MenuItemClearMights;
  QAction* MenuItemSwitchEditMode;
  QAction* MenuItemRegenerateClues;
  QAction* MenuItemCheckUnique;
  QAction* MenuItemCheckWhileDrawing;
  QAction* MenuItemMakeUnique;
  QAction* MenuItemZoomIn;
  QAction* MenuItemResetZoom;
  QAction* MenuItemZoomOut;
  QAction* MenuItemCompactClues;
  QAction* MenuItemSolverFindPiece;
  QAction* MenuItemSolverFindAllPieces;
  QAction* MenuItemSolverFullPass;
  QAction* MenuItemSolverAllFullPasses;
  QAction* MenuItemSolverRealtime;
  QAction* MenuItemSolverSearch;
  QAction* MenuItemSolverStop;
  QAction* MenuItemSolverExplain;
  QAction* MenuItemSolverRow1;
  QAction* MenuItemSolverRow2;
  QAction* MenuItemSolverRow3;
  QAction* MenuItemSolverRow4;
  QAction* MenuItemSolverRowRecurse1;
  QAction* MenuItemSolverField1;
  QAction* MenuItemSolverFieldRecurse1;
  QAction* MenuItemSolverAllowFullRecursion;
  QAction* MenuItemSolverAllowDeepRecursion;
  QAction* MenuItemSolverShowRecursionOrder;
  QAction* MenuItemClearAfterLoading;
  QAction* MenuItemRunAfterLoading;
  QAction* MenuItemManual;
  QAction* MenuItemAbout;

  QAction* MenuItemShowTimer;
  QAction* MenuItemCrossOutClues;
  QAction* MenuItemCheckMistakes;

  QToolBar* ToolBar;
  QAction* ToolButtonNew;
  QAction* ToolButtonOpen;
  QAction* ToolButtonSave;
  QAction* ToolButtonClearPic;
  QAction* ToolButtonUndo;
  QAction* ToolButtonRedo;
  QAction* ToolButtonClearMights;
  QAction* ToolButtonEditMode;
  QAction* ToolButtonZoomIn;
  QAction* ToolButtonResetZoom;
  QAction* ToolButtonZoomOut;
  QAction* ToolButtonSolverFindPiece;
  QAction* ToolButtonSolverFindAllPieces;
  QAction* ToolButtonSolverFullPass;
  QAction* ToolButtonSolverAllFullPasses;
  QAction* ToolButtonSolverRealtime;
  QAction* ToolButtonSolverStop;
  QAction* ToolButtonSolverExplain;
  QAction* ToolButtonSolverSearch;
  QAction* ToolButtonCheckUnique;
  QAction* ToolButtonManual;

  std::array<QLabel*, 6> StatusPanels;
  // "Editor mode" or "Solver mode", so that the mode shows at a glance.
  QLabel* StatusMode;
  // The reason of the explained hint on show, or what the last solver
  // command did, beside the solver's panels.
  QLabel* StatusHint;
  // The finish and what a check for mistakes found; the time on the puzzle.
  QLabel* StatusPlay;
  QLabel* StatusTimer;

  QScrollArea* Background;
  TImageControl* ImagePreview;
  TImageControl* ImageTopClues;
  TImageControl* ImageLeftClues;
  TImageControl* ImageField;
  QWidget* AutoScroller;
  // Keyboard play on the picture; owned by the window as its child.
  TKeyboardPlay* KeyboardPlay = nullptr;
  // "Explain next piece"; owned by the window as its child.
  HintCommand* Hint = nullptr;
  // "Check while drawing" and "Make unique"'s answer; owned by the window as
  // its children.
  DrawingCheck* Check = nullptr;
  UniqueProposal* Unique = nullptr;

  std::unique_ptr<TfAbout> fAbout;
  std::unique_ptr<TfNew> fNew;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreateSurfaces();
  QAction* AddItem(QMenu* menu, const char* caption, const char* shortcut);
  QAction* AddButton(QAction* item, TToolIcon icon, const char* hint);

  void ApplyFieldRecursionRule();

  // The menus' and buttons' handlers: each forwards to the unit that owns
  // its command.
  void MenuItemNewClick();
  void MenuItemOpenClick();
  void MenuItemSaveClick();
  void MenuItemImportClick();
  void MenuItemNewRandomClick();
  void MenuItemExportClick();
  void MenuItemClearPicClick();
  void MenuItemUndoClick();
  void MenuItemRedoClick();
  void MenuItemClearMightsClick();
  void MenuItemRegenerateCluesClick();
  void MenuItemZoomClick(const QAction* sender);
  void MenuItemCompactCluesClick();
  void MenuItemSolverRun(const QAction* sender);
  void MenuItemSolverStopClick();
  void MenuItemSearchRun(const QAction* sender);
  void MenuItemCheckMistakesClick();
  void MenuItemShowTimerClick();
  void MenuItemCrossOutCluesClick();
  void MenuItemSolverAllowDeepRecursionClick();
  void MenuItemSolverAllowFullRecursionClick();
  void MenuItemManualClick();

  void ImagesMouseMove(const TImageControl* sender, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers, int x, int y);
  void ImageFieldMouseUp();
  void FormResize();

  // The mode the controls were last set for.
  bool FEditorShown = false;
  int32_t FMaxLevel = 0;
  int32_t FLevel = 0;
  std::unique_ptr<ViewControl> FView;
  std::unique_ptr<TPixler> FDocument;
  std::unique_ptr<FileCommands> FFiles;
  std::unique_ptr<SolverCommands> FSolver;
  // Last, so that it goes first: it watches the document's picture.
  std::unique_ptr<PlayCommands> FPlay;
};
