#pragma once

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "solver/SolverBase.h"
#include "ui/ImageConversion.h"
#include "ui/ToolIcons.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class PixlerSearch;
class TImageControl;
class TKeyboardPlay;
class HintCommand;
class TRecovery;
class TPixler;
class TfAbout;
class TfNew;

// The program's main window: every command, the four drawing surfaces in a
// scroll area, and the status bar that follows the solver, whose reports it
// receives. Members carry the names the manual and the tests refer to.
class TfMain : public QMainWindow, public ISolverCallback {
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

  // Loads a puzzle as "Open..." does after its dialog; the two loading check
  // marks are passed in because they were read before any dialog.
  void OpenFile(const QString& file_name, bool clear_after_loading, bool run_after_loading);
  // Offers back work that a run which did not end normally left behind.
  void OfferRecovery();
  // Opens a file named on the command line as "Open..." does once its dialog
  // has named it, asking first about unsaved (recovered) work.
  void OpenFromCommandLine(const QString& file_name);
  // "Import..." and "Export..." after their dialogs: other puzzle formats
  // and images in, other formats, PNG images and PDF printouts out. A
  // refused file is reported and changes nothing.
  void ImportFile(const QString& file_name);
  void ExportFile(const QString& file_name);
  bool Solving() const { return FSolving; }
  TPixler& Document() { return *FDocument; }
  const QString& FileName() const { return FFileName; }

  QMenu* MenuItemFile;
  QMenu* MenuItemEdit;
  QMenu* MenuItemView;
  QMenu* MenuItemSolver;
  QMenu* MenuItemOptions;
  QMenu* MenuItemHelp;

  QAction* MenuItemNew;
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
  QAction* MenuItemZoomIn;
  QAction* MenuItemResetZoom;
  QAction* MenuItemZoomOut;
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
  // The reason of the explained hint on show, beside the solver's panels.
  QLabel* StatusHint;

  QScrollArea* Background;
  TImageControl* ImagePreview;
  TImageControl* ImageTopClues;
  TImageControl* ImageLeftClues;
  TImageControl* ImageField;
  QWidget* AutoScroller;
  // Keyboard play on the picture; owned by the window as its child.
  TKeyboardPlay* KeyboardPlay = nullptr;
  // The recovery file of unsaved work; owned by the window as its child.
  TRecovery* Recovery = nullptr;
  // "Explain next piece"; owned by the window as its child.
  HintCommand* Hint = nullptr;

  std::unique_ptr<TfAbout> fAbout;
  std::unique_ptr<TfNew> fNew;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The file dialogs; true when the user chose a file, whose name is then in
  // file_name. Tests replace them.
  virtual bool ExecuteOpenDialog(QString& file_name);
  virtual bool ExecuteSaveDialog(QString& file_name);
  virtual bool ExecuteImportDialog(QString& file_name);
  virtual bool ExecuteExportDialog(QString& file_name);
  // How an image becomes a picture; true when the user accepted one.
  virtual bool ExecuteImageDialog(const QImage& image, CellPicture& cells);
  // Pixels per cell of an exported PNG image; false when cancelled.
  virtual bool ExecutePngScaleDialog(int& scale);

 private:
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void CreateSurfaces();
  void PlaceSurfaces();
  QAction* AddItem(QMenu* menu, const char* caption, const char* shortcut);
  QAction* AddButton(QAction* item, TToolIcon icon, const char* hint);

  void UpdateCaption();
  void EnableControls(bool enabled);
  void ApplyFieldRecursionRule();

  void MenuItemNewClick();
  void MenuItemOpenClick();
  void MenuItemSaveClick();
  void MenuItemImportClick();
  void MenuItemExportClick();
  void ImportImage(const QString& file_name);
  void MenuItemClearPicClick(bool ask);
  void MenuItemUndoClick();
  void MenuItemRedoClick();
  void MenuItemClearMightsClick();
  void MenuItemSwitchEditModeClick();
  void MenuItemRegenerateCluesClick();
  void MenuItemZoomClick(const QAction* sender);
  void MenuItemSolverRun(const QAction* sender);
  void MenuItemSolverStopClick();
  void MenuItemSearchRun(const QAction* sender);
  void MenuItemSolverAllowDeepRecursionClick();
  void MenuItemSolverAllowFullRecursionClick();
  void MenuItemManualClick();

  void ImagesMouseMove(const TImageControl* sender, Qt::MouseButtons buttons,
                       Qt::KeyboardModifiers modifiers, int x, int y);
  void ImageFieldMouseUp();
  void FormResize();
  void FitSurfaces();
  void ShowScrollBarsAsNeeded(int drawing_width, int drawing_height);
  QSize ScrollRoom() const;
  void ShowFileError(const std::exception& error);
  // Asks to save unsaved changes before they are replaced; true when the
  // caller may go on (saved, discarded, or nothing to save).
  bool SaveChangesFirst();
  // True when the puzzle was written under a name the user chose.
  bool SaveWithDialog();

  int32_t FMaxLevel = 0;
  int32_t FLevel = 0;
  std::unique_ptr<TPixler> FDocument;
  std::unique_ptr<PixlerSearch> FSearch;
  QString FFileName;

  bool FSolving = false;
  // Closing was asked for during a solve; it happens once the solve returns.
  bool FCloseRequested = false;
};
