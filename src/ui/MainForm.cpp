#include "ui/MainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "document/Pixler.h"
#include "puzzle/General.h"
#include "solver/SolverCompQueue.h"
#include "ui/About.h"
#include "ui/DrawingCheck.h"
#include "ui/FileCommands.h"
#include "ui/HintCommand.h"
#include "ui/ImageControl.h"
#include "ui/KeyboardPlay.h"
#include "ui/NewDialog.h"
#include "ui/PlayCommands.h"
#include "ui/Recovery.h"
#include "ui/SolverCommands.h"
#include "ui/ToolIcons.h"
#include "ui/UniqueProposal.h"
#include "ui/ViewControl.h"

namespace {

const char* const kLongestStatusTexts[6] = {
    "Field recursion max: 99",     "Now: 99",        "Type: simple",
    "Bruteforce: 100:100 (10000)", "Missing: 10000", "v1.4"};

// A menu's items stay reachable through their shortcuts even while the menu
// itself is disabled, so every command also asks its menu.
bool Available(const QAction* item) {
  if (!item->isEnabled()) return false;
  for (const QObject* owner : item->associatedObjects()) {
    if (const auto* menu = qobject_cast<const QMenu*>(owner)) {
      if (!menu->menuAction()->isEnabled()) return false;
    }
  }
  return true;
}

}  // namespace

TfMain::TfMain(QWidget* parent) : QMainWindow(parent), FileDialogs(this) {
  TSolverCompQueue::SelfTest();

  FView = std::make_unique<ViewControl>(*this);
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  CreateSurfaces();

  // Without a window manager the maximised state is only a wish; the screen's
  // size makes it come true there too.
  move(0, 0);
  if (const QScreen* shown_on = screen()) resize(shown_on->availableGeometry().size());
  setWindowState(windowState() | Qt::WindowMaximized);

  const QSize client = FView->ScrollRoom();
  FDocument = std::make_unique<TPixler>(
      TSurface{ImageField->Canvas(), ImageField->width(), ImageField->height()},
      TSurface{ImagePreview->Canvas(), ImagePreview->width(), ImagePreview->height()},
      TSurface{ImageTopClues->Canvas(), ImageTopClues->width(), ImageTopClues->height()},
      TSurface{ImageLeftClues->Canvas(), ImageLeftClues->width(), ImageLeftClues->height()},
      static_cast<TColor>(Background->palette().color(QPalette::Window).rgb() & 0xFFFFFF),
      client.width(), client.height());
  FFiles = std::make_unique<FileCommands>(*this, *FDocument, *this);
  FSolver = std::make_unique<SolverCommands>(*this, *FDocument);
  FPlay = std::make_unique<PlayCommands>(*this, *FDocument);

  MenuItemCompactClues->setChecked(FView->RememberedCompact());
  FDocument->SetCompact(MenuItemCompactClues->isChecked());
  MenuItemSwitchEditModeClick();
  FView->Zoom(ViewControl::Step::Reset);

  fAbout = std::make_unique<TfAbout>(this);
  fNew = std::make_unique<TfNew>(this);

  FDocument->MarkClean();
  Hint = new HintCommand(*this);
  Check = new DrawingCheck(*this);
  Unique = new UniqueProposal(*this);
  KeyboardPlay = new TKeyboardPlay(*this);
  ImageField->setFocus();
}

// Closing the widgets moves the keyboard focus, and keyboard play must not
// hear of it once the document is gone.
TfMain::~TfMain() {
  ImageField->removeEventFilter(KeyboardPlay);
}

QAction* TfMain::AddItem(QMenu* menu, const char* caption, const char* shortcut) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  if (shortcut != nullptr) item->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
  return item;
}

void TfMain::CreateMenus() {
  auto on = [this](QAction* item, auto handler) {
    connect(item, &QAction::triggered, this, [this, item, handler] {
      if (Available(item)) (this->*handler)();
    });
  };

  MenuItemFile = menuBar()->addMenu(QStringLiteral("&File"));
  MenuItemNew = AddItem(MenuItemFile, "&New", "Ctrl+N");
  MenuItemNewRandom = AddItem(MenuItemFile, "New random puzzle...", nullptr);
  MenuItemOpen = AddItem(MenuItemFile, "&Open...", "Ctrl+O");
  MenuItemSave = AddItem(MenuItemFile, "&Save...", "Ctrl+S");
  MenuItemImport = AddItem(MenuItemFile, "Import...", nullptr);
  MenuItemExport = AddItem(MenuItemFile, "Export...", nullptr);
  MenuItemClearPic = AddItem(MenuItemFile, "Clear picture", "Ctrl+D");
  MenuItemFile->addSeparator();
  MenuItemExit = AddItem(MenuItemFile, "Exit", nullptr);
  on(MenuItemNew, &TfMain::MenuItemNewClick);
  on(MenuItemNewRandom, &TfMain::MenuItemNewRandomClick);
  on(MenuItemOpen, &TfMain::MenuItemOpenClick);
  on(MenuItemSave, &TfMain::MenuItemSaveClick);
  on(MenuItemImport, &TfMain::MenuItemImportClick);
  on(MenuItemExport, &TfMain::MenuItemExportClick);
  on(MenuItemClearPic, &TfMain::MenuItemClearPicClick);
  connect(MenuItemExit, &QAction::triggered, this, [this] {
    if (Available(MenuItemExit)) close();
  });

  MenuItemEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
  MenuItemUndo = AddItem(MenuItemEdit, "Undo", "Ctrl+Z");
  MenuItemRedo = AddItem(MenuItemEdit, "Redo", "Ctrl+Y");
  MenuItemEdit->addSeparator();
  MenuItemClearMights = AddItem(MenuItemEdit, "Clear might-be values", "Ctrl+A");
  MenuItemEdit->addSeparator();
  MenuItemSwitchEditMode = AddItem(MenuItemEdit, "Switch to editor mode", "Ctrl+E");
  MenuItemSwitchEditMode->setCheckable(true);
  MenuItemRegenerateClues = AddItem(MenuItemEdit, "Re-generate clues from picture", nullptr);
  MenuItemCheckUnique = AddItem(MenuItemEdit, "Check for a unique solution", "Shift+F9");
  MenuItemCheckWhileDrawing = AddItem(MenuItemEdit, "Check while drawing", nullptr);
  MenuItemCheckWhileDrawing->setCheckable(true);
  MenuItemMakeUnique = AddItem(MenuItemEdit, "Make unique", nullptr);
  on(MenuItemUndo, &TfMain::MenuItemUndoClick);
  on(MenuItemRedo, &TfMain::MenuItemRedoClick);
  on(MenuItemClearMights, &TfMain::MenuItemClearMightsClick);
  on(MenuItemRegenerateClues, &TfMain::MenuItemRegenerateCluesClick);
  connect(MenuItemCheckUnique, &QAction::triggered, this, [this] {
    if (Available(MenuItemCheckUnique)) MenuItemSearchRun(MenuItemCheckUnique);
  });
  connect(MenuItemMakeUnique, &QAction::triggered, this, [this] {
    if (Available(MenuItemMakeUnique)) FSolver->MakeUnique();
  });
  // A shortcut of the disabled menu must not toggle the mark behind its back.
  connect(MenuItemSwitchEditMode, &QAction::triggered, this, [this] {
    if (Available(MenuItemSwitchEditMode)) {
      MenuItemSwitchEditModeClick();
    } else {
      const QSignalBlocker blocker(MenuItemSwitchEditMode);
      MenuItemSwitchEditMode->setChecked(!MenuItemSwitchEditMode->isChecked());
    }
  });

  MenuItemView = menuBar()->addMenu(QStringLiteral("&View"));
  MenuItemZoomIn = AddItem(MenuItemView, "Zoom In", "Ctrl+I");
  MenuItemResetZoom = AddItem(MenuItemView, "Reset Zoom", "Ctrl+K");
  MenuItemZoomOut = AddItem(MenuItemView, "Zoom Out", "Ctrl+J");
  for (QAction* item : {MenuItemZoomIn, MenuItemResetZoom, MenuItemZoomOut}) {
    connect(item, &QAction::triggered, this, [this, item] { MenuItemZoomClick(item); });
  }
  MenuItemView->addSeparator();
  MenuItemShowTimer = AddItem(MenuItemView, "Show timer", nullptr);
  MenuItemShowTimer->setCheckable(true);
  connect(MenuItemShowTimer, &QAction::triggered, this, &TfMain::MenuItemShowTimerClick);
  MenuItemCompactClues = AddItem(MenuItemView, "Compact clue areas", "Ctrl+Shift+C");
  MenuItemCompactClues->setCheckable(true);
  connect(MenuItemCompactClues, &QAction::triggered, this, &TfMain::MenuItemCompactCluesClick);

  MenuItemSolver = menuBar()->addMenu(QStringLiteral("&Solver"));
  MenuItemSolverFindPiece = AddItem(MenuItemSolver, "F&ind next piece of the solution", "F5");
  MenuItemSolverFindAllPieces = AddItem(MenuItemSolver, "Find &all pieces of the solution", "F6");
  MenuItemSolverFullPass = AddItem(MenuItemSolver, "&Run full-pass iteration", "F7");
  MenuItemSolverAllFullPasses = AddItem(MenuItemSolver, "Run all &full-pass iterations", "F8");
  MenuItemSolverRealtime = AddItem(MenuItemSolver, "Realtime, man! Realtime!", "F9");
  MenuItemSolverSearch = AddItem(MenuItemSolver, "Solve by search", "Ctrl+F9");
  for (QAction* item :
       {MenuItemSolverFindPiece, MenuItemSolverFindAllPieces, MenuItemSolverFullPass,
        MenuItemSolverAllFullPasses, MenuItemSolverRealtime}) {
    connect(item, &QAction::triggered, this, [this, item] {
      if (Available(item)) MenuItemSolverRun(item);
    });
  }
  MenuItemSolverExplain = AddItem(MenuItemSolver, "Explain next piece", "Ctrl+H");
  connect(MenuItemSolverExplain, &QAction::triggered, this, [this] {
    if (Available(MenuItemSolverExplain)) Hint->Run();
  });
  connect(MenuItemSolverSearch, &QAction::triggered, this, [this] {
    if (Available(MenuItemSolverSearch)) MenuItemSearchRun(MenuItemSolverSearch);
  });
  MenuItemCheckMistakes = AddItem(MenuItemSolver, "Check for mistakes", "Ctrl+M");
  on(MenuItemCheckMistakes, &TfMain::MenuItemCheckMistakesClick);
  MenuItemSolver->addSeparator();
  MenuItemSolverStop = AddItem(MenuItemSolver, "Stop solving", "Esc");
  on(MenuItemSolverStop, &TfMain::MenuItemSolverStopClick);
  MenuItemSolver->addSeparator();

  auto check = [](QAction* item, bool checked) {
    item->setCheckable(true);
    item->setChecked(checked);
    return item;
  };
  MenuItemSolverRow1 = check(AddItem(MenuItemSolver, "Use row method #1: Ranges", nullptr), true);
  MenuItemSolverRow1->setEnabled(false);
  MenuItemSolverRow2 = check(AddItem(MenuItemSolver, "Use row method #2: Between", nullptr), true);
  MenuItemSolverRow3 = check(AddItem(MenuItemSolver, "Use row method #3: Bigger", nullptr), true);
  MenuItemSolverRow4 = check(AddItem(MenuItemSolver, "Use row method #4: Empty", nullptr), true);
  MenuItemSolverRowRecurse1 =
      check(AddItem(MenuItemSolver, "Use row method #5: Posibilities", nullptr), true);
  MenuItemSolver->addSeparator();
  MenuItemSolverField1 =
      check(AddItem(MenuItemSolver, "Use field method #1: Sweep", nullptr), true);
  MenuItemSolverField1->setEnabled(false);
  MenuItemSolverFieldRecurse1 =
      check(AddItem(MenuItemSolver, "Use field method #2: Bruteforce!", nullptr), true);
  connect(MenuItemSolverFieldRecurse1, &QAction::triggered, this, &TfMain::ApplyFieldRecursionRule);
  MenuItemSolver->addSeparator();
  MenuItemSolverAllowFullRecursion =
      check(AddItem(MenuItemSolver, "Allow doubled recursion", nullptr), false);
  connect(MenuItemSolverAllowFullRecursion, &QAction::triggered, this,
          &TfMain::MenuItemSolverAllowFullRecursionClick);
  MenuItemSolverAllowDeepRecursion =
      check(AddItem(MenuItemSolver, "Allow deeper recursion", nullptr), true);
  connect(MenuItemSolverAllowDeepRecursion, &QAction::triggered, this,
          &TfMain::MenuItemSolverAllowDeepRecursionClick);
  MenuItemSolver->addSeparator();
  MenuItemSolverShowRecursionOrder =
      check(AddItem(MenuItemSolver, "Show deep recursion order", nullptr), false);

  MenuItemOptions = menuBar()->addMenu(QStringLiteral("&Options"));
  MenuItemClearAfterLoading =
      check(AddItem(MenuItemOptions, "Clear picture after loading (Remember!)", nullptr), false);
  MenuItemRunAfterLoading =
      check(AddItem(MenuItemOptions, "Run solver after loading", nullptr), false);
  MenuItemOptions->addSeparator();
  // Off until the remembered choice is read, once the game exists.
  MenuItemCrossOutClues =
      check(AddItem(MenuItemOptions, "Cross out finished clues", nullptr), false);
  on(MenuItemCrossOutClues, &TfMain::MenuItemCrossOutCluesClick);

  MenuItemHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  MenuItemManual = AddItem(MenuItemHelp, "Manual", "F1");
  MenuItemHelp->addSeparator();
  MenuItemAbout = AddItem(MenuItemHelp, "About Pixlers solver", nullptr);
  on(MenuItemManual, &TfMain::MenuItemManualClick);
  on(MenuItemAbout, &TfMain::MenuItemManualClick);
}

// A toolbar button is its own control with its own enabled state; it runs the
// command of its menu item, which tells it apart from other senders.
QAction* TfMain::AddButton(QAction* item, TToolIcon icon, const char* hint) {
  auto* button = new QAction(ToolIcon(icon), item->text(), this);
  // No status tip: a status bar message would hide the solver's panels.
  button->setToolTip(QString::fromUtf8(hint));
  ToolBar->addAction(button);
  return button;
}

void TfMain::CreateToolBar() {
  ToolBar = addToolBar(QStringLiteral("ToolBar"));
  ToolBar->setMovable(false);
  ToolBar->setFloatable(false);
  ToolBar->setContextMenuPolicy(Qt::PreventContextMenu);

  auto button = [this](QAction* item, TToolIcon icon, const char* hint) {
    return AddButton(item, icon, hint);
  };
  ToolButtonNew = button(MenuItemNew, TToolIcon::New, "Create new pixler");
  ToolButtonOpen = button(MenuItemOpen, TToolIcon::Open, "Load a pixler from a file");
  ToolButtonSave = button(MenuItemSave, TToolIcon::Save, "Save the pixler to a file");
  ToolButtonClearPic =
      button(MenuItemClearPic, TToolIcon::ClearPicture, "Clear the pixler picture");
  ToolBar->addSeparator();
  ToolButtonUndo = button(MenuItemUndo, TToolIcon::Undo, "Undo last action");
  ToolButtonRedo = button(MenuItemRedo, TToolIcon::Redo, "Redo last undone action");
  ToolButtonClearMights = button(MenuItemClearMights, TToolIcon::ClearMights,
                                 "Clear migh-be values (use Shift to add might-be values)");
  ToolBar->addSeparator();
  ToolButtonEditMode =
      button(MenuItemSwitchEditMode, TToolIcon::EditMode, "Toggle pixler editor/solver mode");
  ToolBar->addSeparator();
  ToolButtonZoomIn = button(MenuItemZoomIn, TToolIcon::ZoomIn, "Zoom In");
  ToolButtonResetZoom =
      button(MenuItemResetZoom, TToolIcon::ResetZoom, "Reset Zoom, fit pixler to window");
  ToolButtonZoomOut = button(MenuItemZoomOut, TToolIcon::ZoomOut, "Zoom Out");
  ToolBar->addSeparator();
  ToolButtonSolverFindPiece =
      button(MenuItemSolverFindPiece, TToolIcon::FindPiece, "Find next piece of the solution");
  ToolButtonSolverFindAllPieces = button(MenuItemSolverFindAllPieces, TToolIcon::FindAllPieces,
                                         "Find all pieces of the solution");
  ToolButtonSolverFullPass =
      button(MenuItemSolverFullPass, TToolIcon::FullPass, "Run full-pass iteration");
  ToolButtonSolverAllFullPasses =
      button(MenuItemSolverAllFullPasses, TToolIcon::AllFullPasses, "Run all full-pass iterations");
  ToolButtonSolverRealtime =
      button(MenuItemSolverRealtime, TToolIcon::Realtime, "Find entire solution at once");
  ToolButtonSolverExplain =
      button(MenuItemSolverExplain, TToolIcon::Explain, "Explain the next piece of the solution");
  ToolButtonSolverStop = button(MenuItemSolverStop, TToolIcon::Stop, "Stop solving process");
  ToolBar->addSeparator();
  ToolButtonSolverSearch = button(MenuItemSolverSearch, TToolIcon::SolveBySearch,
                                  "Solve the whole puzzle by complete search");
  ToolButtonCheckUnique = button(MenuItemCheckUnique, TToolIcon::CheckUnique,
                                 "Check whether the clues have exactly one solution");
  ToolBar->addSeparator();
  ToolButtonManual = button(MenuItemManual, TToolIcon::Manual, "Show manual");

  // Of the two stop controls only the button starts disabled.
  ToolButtonSolverStop->setEnabled(false);

  // The buttons reach the commands the way their menu items do, as a
  // different sender where the command tells senders apart.
  connect(ToolButtonNew, &QAction::triggered, this, &TfMain::MenuItemNewClick);
  connect(ToolButtonOpen, &QAction::triggered, this, &TfMain::MenuItemOpenClick);
  connect(ToolButtonSave, &QAction::triggered, this, &TfMain::MenuItemSaveClick);
  connect(ToolButtonClearPic, &QAction::triggered, this, &TfMain::MenuItemClearPicClick);
  connect(ToolButtonUndo, &QAction::triggered, this, &TfMain::MenuItemUndoClick);
  connect(ToolButtonRedo, &QAction::triggered, this, &TfMain::MenuItemRedoClick);
  connect(ToolButtonClearMights, &QAction::triggered, this, &TfMain::MenuItemClearMightsClick);
  // The button shows the mode as pressed or not; the menu item's mark is
  // where the mode lives.
  ToolButtonEditMode->setCheckable(true);
  connect(ToolButtonEditMode, &QAction::triggered, this,
          [this] { SetEditorMode(ToolButtonEditMode->isChecked()); });
  for (QAction* button : {ToolButtonZoomIn, ToolButtonResetZoom, ToolButtonZoomOut}) {
    connect(button, &QAction::triggered, this, [this, button] { MenuItemZoomClick(button); });
  }
  for (QAction* button :
       {ToolButtonSolverFindPiece, ToolButtonSolverFindAllPieces, ToolButtonSolverFullPass,
        ToolButtonSolverAllFullPasses, ToolButtonSolverRealtime}) {
    connect(button, &QAction::triggered, this, [this, button] { MenuItemSolverRun(button); });
  }
  connect(ToolButtonSolverExplain, &QAction::triggered, this, [this] { Hint->Run(); });
  connect(ToolButtonSolverStop, &QAction::triggered, this, &TfMain::MenuItemSolverStopClick);
  for (QAction* button : {ToolButtonSolverSearch, ToolButtonCheckUnique}) {
    connect(button, &QAction::triggered, this, [this, button] { MenuItemSearchRun(button); });
  }
  connect(ToolButtonManual, &QAction::triggered, this, &TfMain::MenuItemManualClick);
}

void TfMain::CreateStatusBar() {
  // The panels' widths were made for a smaller system font than a Linux
  // desktop's; a smaller font keeps their texts whole.
  QFont font = statusBar()->font();
  font.setPixelSize(11);
  statusBar()->setFont(font);
  const int widths[6] = {130, 50, 80, 130, 100, 50};
  for (int i = 0; i < 6; ++i) {
    StatusPanels[i] = new QLabel(this);
    StatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Wide enough for the longest text the panel shows on a 100 by 100 puzzle.
    StatusPanels[i]->setText(QString::fromLatin1(kLongestStatusTexts[i]));
    StatusPanels[i]->setFixedWidth(std::max(widths[i], StatusPanels[i]->sizeHint().width()));
    StatusPanels[i]->clear();
    statusBar()->addWidget(StatusPanels[i]);
  }
  StatusPanels[5]->setText(QStringLiteral("v1.4"));
  StatusMode = new QLabel(this);
  StatusMode->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusBar()->addWidget(StatusMode);
  StatusHint = new QLabel(this);
  statusBar()->addWidget(StatusHint, 1);
  StatusPlay = new QLabel(this);
  statusBar()->addPermanentWidget(StatusPlay);
  StatusTimer = new QLabel(this);
  statusBar()->addPermanentWidget(StatusTimer);
  statusBar()->setSizeGripEnabled(true);
}

void TfMain::CreateSurfaces() {
  FView->CreateSurfaces();
  Background->widget()->installEventFilter(this);
  for (TImageControl* image : {ImagePreview, ImageTopClues, ImageLeftClues, ImageField}) {
    connect(image, &TImageControl::MousePressed, this, &TfMain::ImagesMouseMove);
    connect(image, &TImageControl::MouseMoved, this, &TfMain::ImagesMouseMove);
  }
  connect(ImageField, &TImageControl::MouseReleased, this, &TfMain::ImageFieldMouseUp);
  Background->viewport()->installEventFilter(this);
  setCentralWidget(Background);
}

void TfMain::EnableControls(bool enabled) {
  for (QWidget* image : {static_cast<QWidget*>(ImageField), static_cast<QWidget*>(ImageTopClues),
                         static_cast<QWidget*>(ImageLeftClues)}) {
    image->setEnabled(enabled);
  }
  for (QMenu* menu : {MenuItemFile, MenuItemEdit, MenuItemOptions}) {
    menu->menuAction()->setEnabled(enabled);
  }
  for (QAction* control : {MenuItemSolverFindPiece,
                           MenuItemSolverFindAllPieces,
                           MenuItemSolverFullPass,
                           MenuItemSolverAllFullPasses,
                           MenuItemSolverRealtime,
                           MenuItemSolverRow2,
                           MenuItemSolverRow3,
                           MenuItemSolverRow4,
                           MenuItemSolverRowRecurse1,
                           MenuItemSolverFieldRecurse1,
                           MenuItemSolverAllowDeepRecursion,
                           MenuItemSolverShowRecursionOrder,
                           MenuItemSolverAllowFullRecursion,
                           ToolButtonNew,
                           ToolButtonOpen,
                           ToolButtonSave,
                           ToolButtonClearPic,
                           ToolButtonUndo,
                           ToolButtonRedo,
                           ToolButtonClearMights,
                           ToolButtonEditMode,
                           ToolButtonSolverFindPiece,
                           ToolButtonSolverFindAllPieces,
                           ToolButtonSolverFullPass,
                           ToolButtonSolverAllFullPasses,
                           ToolButtonSolverRealtime,
                           MenuItemSolverSearch,
                           MenuItemCheckMistakes,
                           MenuItemCheckUnique,
                           ToolButtonSolverSearch,
                           ToolButtonCheckUnique}) {
    control->setEnabled(enabled);
  }
  MenuItemSolverExplain->setEnabled(enabled);
  ToolButtonSolverExplain->setEnabled(enabled);
  MenuItemSolverStop->setEnabled(!enabled);
  ToolButtonSolverStop->setEnabled(!enabled);
  if (enabled) ApplyFieldRecursionRule();
}

void TfMain::ApplyFieldRecursionRule() {
  const bool brute_force = MenuItemSolverFieldRecurse1->isChecked();
  MenuItemSolverAllowDeepRecursion->setEnabled(brute_force);
  MenuItemSolverAllowFullRecursion->setEnabled(brute_force);
  MenuItemSolverShowRecursionOrder->setEnabled(brute_force &&
                                               MenuItemSolverAllowDeepRecursion->isChecked());
}

void TfMain::MenuItemSolverAllowDeepRecursionClick() {
  MenuItemSolverShowRecursionOrder->setEnabled(MenuItemSolverAllowDeepRecursion->isChecked());
  FSolver->WarnAboutDoubledRecursion();
}

void TfMain::MenuItemSolverAllowFullRecursionClick() {
  FSolver->WarnAboutDoubledRecursion();
}

void TfMain::MenuItemNewClick() {
  FFiles->New();
}

void TfMain::MenuItemOpenClick() {
  FFiles->Open();
}

void TfMain::MenuItemSaveClick() {
  FFiles->Save();
}

void TfMain::MenuItemNewRandomClick() {
  FFiles->NewRandom();
}

void TfMain::MenuItemImportClick() {
  FFiles->Import();
}

void TfMain::MenuItemExportClick() {
  FFiles->Export();
}

void TfMain::MenuItemClearPicClick() {
  FFiles->ClearPicture(true);
}

void TfMain::MenuItemUndoClick() {
  FDocument->Undo();
  FDocument->Redraw(-1, -1);
  FView->FollowClues();
}

void TfMain::MenuItemRedoClick() {
  FDocument->Redo();
  FDocument->Redraw(-1, -1);
  FView->FollowClues();
}

void TfMain::MenuItemClearMightsClick() {
  FDocument->ClearMightBe();
  FDocument->Redraw(-1, -1);
}

void TfMain::MenuItemRegenerateCluesClick() {
  if (!TGeneral::MessageAsk("Do you really want to re-generate the clues from the picture?")) {
    return;
  }
  FDocument->RegenerateClues();
  FDocument->Redraw(-1, -1);
  FView->FollowClues();
}

void TfMain::MenuItemSwitchEditModeClick() {
  const bool editor = MenuItemSwitchEditMode->isChecked();
  MenuItemRegenerateClues->setEnabled(editor);
  MenuItemMakeUnique->setEnabled(editor);
  MenuItemSolver->menuAction()->setEnabled(!editor);
  for (QAction* button :
       {ToolButtonSolverFindPiece, ToolButtonSolverFindAllPieces, ToolButtonSolverFullPass,
        ToolButtonSolverAllFullPasses, ToolButtonSolverRealtime, ToolButtonSolverSearch}) {
    button->setEnabled(!editor);
  }
  ToolButtonSolverExplain->setEnabled(!editor);
  ToolButtonEditMode->setChecked(editor);
  StatusMode->setText(editor ? QStringLiteral("Editor mode") : QStringLiteral("Solver mode"));
  // A hint is a solving step: the editor must not be able to apply it. The
  // overlay of a check made while drawing stays.
  if (editor && !FEditorShown) FDocument->GetField().ClearHint();
  FEditorShown = editor;
  FDocument->SetMarking(!editor);
  FPlay->SetPlaying(!editor);
  FView->FollowClues();
}

void TfMain::SetEditorMode(bool editor) {
  MenuItemSwitchEditMode->setChecked(editor);
  MenuItemSwitchEditModeClick();
}

void TfMain::MenuItemSolverRun(const QAction* sender) {
  using Step = SolverCommands::Step;
  if (sender == MenuItemSolverFindPiece || sender == ToolButtonSolverFindPiece) {
    FSolver->Run(Step::FindPiece);
  } else if (sender == MenuItemSolverFindAllPieces || sender == ToolButtonSolverFindAllPieces) {
    FSolver->Run(Step::FindAllPieces);
  } else if (sender == MenuItemSolverFullPass || sender == ToolButtonSolverFullPass) {
    FSolver->Run(Step::FullPass);
  } else if (sender == MenuItemSolverAllFullPasses || sender == ToolButtonSolverAllFullPasses) {
    FSolver->Run(Step::AllFullPasses);
  } else if (sender == MenuItemSolverRealtime || sender == ToolButtonSolverRealtime) {
    FSolver->Run(Step::Realtime);
  }
}

void TfMain::MenuItemSolverStopClick() {
  FSolver->Stop();
}

void TfMain::MenuItemSearchRun(const QAction* sender) {
  if (sender == MenuItemSolverSearch || sender == ToolButtonSolverSearch) {
    FSolver->Search();
  } else {
    FSolver->CheckUnique();
  }
}

void TfMain::MenuItemCheckMistakesClick() {
  FSolver->CheckMistakes();
}

void TfMain::MenuItemShowTimerClick() {
  FPlay->ShowTimer(MenuItemShowTimer->isChecked());
}

void TfMain::MenuItemCrossOutCluesClick() {
  FPlay->CrossOutClues(MenuItemCrossOutClues->isChecked());
}

void TfMain::MenuItemManualClick() {
  fAbout->exec();
}

void TfMain::ReportLevel(int32_t level) {
  if (level >= 0) {
    FLevel = level;
    if (level > FMaxLevel) {
      FMaxLevel = level;
      StatusPanels[0]->setText("Field recursion max: " + QString::number(FMaxLevel));
    }
    if (FMaxLevel > 0) StatusPanels[1]->setText("Now: " + QString::number(level));
    if (level == 0) {
      for (int i = 2; i <= 4; ++i) StatusPanels[i]->clear();
    }
    if (!FDocument->FRealtime) FDocument->SetMarker(0, 0, 0);
    return;
  }
  if (level < -1) {
    FMaxLevel = 0;
    StatusPanels[0]->clear();
  }
  for (int i = 1; i <= 4; ++i) StatusPanels[i]->clear();
  FDocument->SetMarker(0, 0, 0);
}

void TfMain::ReportType(int32_t level, const std::string& type_name) {
  if (level == FLevel) StatusPanels[2]->setText("Type: " + QString::fromStdString(type_name));
}

void TfMain::ReportPosition(int32_t level, const std::string& text, int32_t x, int32_t y,
                            int32_t count) {
  StatusPanels[3]->setText(QString::fromStdString(text) + ": " + QString::number(x) + ":" +
                           QString::number(y) + " (" + QString::number(count) + ")");
  if (!FDocument->FRealtime) FDocument->SetMarker(x, y, level);
}

void TfMain::ReportMissing(int32_t missing) {
  StatusPanels[4]->setText("Missing: " + QString::number(missing));
}

void TfMain::ReportSearch(int32_t decided, int32_t cells, int32_t depth, int64_t nodes) {
  StatusPanels[2]->setText("Depth: " + QString::number(depth));
  StatusPanels[3]->setText("Nodes: " + QString::number(nodes));
  StatusPanels[4]->setText("Missing: " + QString::number(cells - decided));
}

void TfMain::ReportOrder(const TSolverOrder& order) {
  if (!FDocument->FRealtime && MenuItemSolverShowRecursionOrder->isChecked()) {
    FDocument->ShowRecursionOrder(order);
  }
}

int TfMain::ShiftToAction(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  const int shift = modifiers.testFlag(Qt::ShiftModifier) ? 8 : 0;
  const bool left = buttons.testFlag(Qt::LeftButton);
  const bool right = buttons.testFlag(Qt::RightButton);
  const bool middle = buttons.testFlag(Qt::MiddleButton);
  if (left && right) return 4 + shift;
  if (!left && !right && !middle) return shift;
  if (middle) return 4 + shift;
  if (left) return 1 + shift;
  return 2 + shift;
}

void TfMain::ImagesMouseMove(const TImageControl* sender, Qt::MouseButtons buttons,
                             Qt::KeyboardModifiers modifiers, int x, int y) {
  const QPoint at = FView->PuzzlePosition(sender, x, y);
  const int action = ShiftToAction(buttons, modifiers);
  if (action != 0) {
    FDocument->MouseAction(at.x(), at.y(), action);
    FView->FollowClues();
  }
  FDocument->HoverAt(at.x(), at.y());
}

void TfMain::ImageFieldMouseUp() {
  FDocument->EndGroup();
}

void TfMain::MenuItemZoomClick(const QAction* sender) {
  using Step = ViewControl::Step;
  if (sender == MenuItemZoomIn || sender == ToolButtonZoomIn) {
    FView->Zoom(Step::In);
  } else if (sender == MenuItemResetZoom || sender == ToolButtonResetZoom) {
    FView->Zoom(Step::Reset);
  } else if (sender == MenuItemZoomOut || sender == ToolButtonZoomOut) {
    FView->Zoom(Step::Out);
  }
}

void TfMain::MenuItemCompactCluesClick() {
  FView->SetCompact(MenuItemCompactClues->isChecked());
}

void TfMain::FormResize() {
  if (FDocument) FView->Resized();
}

bool TfMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Background->viewport() && event->type() == QEvent::Resize) {
    FormResize();
  } else if (watched == Background->widget() &&
             (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress)) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    ImagesMouseMove(nullptr, mouse->buttons(), mouse->modifiers(), -1, -1);
  }
  return QMainWindow::eventFilter(watched, event);
}

// Coming back to the window unchecks both loading options, so that neither
// acts on a later load unless it is chosen again just before.
void TfMain::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    MenuItemClearAfterLoading->setChecked(false);
    MenuItemRunAfterLoading->setChecked(false);
  }
  // The time on the puzzle runs only while the player can see it. Making
  // the window maximised changes its state before the game exists.
  if (FPlay != nullptr &&
      (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange))
    FPlay->SetVisible(isActiveWindow() && !isMinimized());
  QMainWindow::changeEvent(event);
}

// The solve command still runs further down this thread's stack; closing now
// would free the document under it. Ask it to stop and close when it returns.
void TfMain::closeEvent(QCloseEvent* event) {
  if (FSolver->Running()) {
    FSolver->CloseWhenDone();
    event->ignore();
    return;
  }
  if (!FFiles->SaveChangesFirst()) {
    event->ignore();
    return;
  }
  FFiles->Recovery().Remove();
  QMainWindow::closeEvent(event);
}
