#include "ui/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <exception>

#include "document/Pixler.h"
#include "document/PixlerSearch.h"
#include "puzzle/General.h"
#include "puzzle/Platform.h"
#include "solver/SolverCompQueue.h"
#include "ui/About.h"
#include "ui/HintCommand.h"
#include "ui/ImageControl.h"
#include "ui/ImportImageDialog.h"
#include "ui/KeyboardPlay.h"
#include "ui/NewDialog.h"
#include "ui/OpenFileDialog.h"
#include "ui/PuzzleTransfer.h"
#include "ui/Recovery.h"
#include "ui/ToolIcons.h"
#include "export/PuzzleExport.h"

namespace {

constexpr int kLargestSize = 100;
// The surfaces' sizes at the start: the field's corner then lies at 1002,
// with the clues and the preview above and left of it, two pixels apart.
constexpr int kFieldSide = 2000;
constexpr int kClueDepth = 1000;
constexpr int kGap = 2;
// Surfaces grow with a zoomed-in puzzle up to this side, which bounds their
// memory; beyond it the drawing is cut off.
constexpr int kLargestSurface = 4001;

const char* const kFileFilter =
    "All Pixlers Files (*.pixler *.ppixler *.spixler);;Empty Pixlers (*.pixler);;"
    "Partially Solved Pixlers (*.ppixler);;Solved Pixlers (*.spixler);;All Files (*)";

const char* const kLongestStatusTexts[6] = {
    "Field recursion max: 99",     "Now: 99",        "Type: simple",
    "Bruteforce: 100:100 (10000)", "Missing: 10000", "v1.4"};

const char* const kImportFilter =
    "Nonogram text (*.non);;webpbn XML (*.xml);;Images (*.png *.jpg *.bmp *.pbm)";
const char* const kExportFilter =
    "Nonogram text (*.non);;webpbn XML (*.xml);;PNG image (*.png);;PDF for printing (*.pdf)";
const QStringList kExportSuffixes = {QStringLiteral("non"), QStringLiteral("xml"),
                                     QStringLiteral("png"), QStringLiteral("pdf")};

// The exchange formats go through the document; anything else is an image.
bool IsExchangeFormat(const QString& file_name) {
  const QString suffix = QFileInfo(file_name).suffix().toLower();
  return suffix == QLatin1String("non") || suffix == QLatin1String("xml");
}

const char* const kRecursionWarning =
    "Doubled recursion means using both row and field recursion methods toghether.\r"
    "Deeper recursion means allowing field recursion methods recurse into deeper levels.\r\r"
    "Since all recursion methods attmept to do the same in the same manner, there is no point in "
    "using doubled recursion and deeper recursion together. Row-level recursion will simply slow "
    "things significantly down, gaining no extra solving power. Doubled recursion is useful only "
    "when deeper recursion is turned off.\r\r"
    "Note that doubled recursion is not as powerful as deeper recursion, however, it is "
    "definitely faster and might be sufficient for certain puzzles.\r\r"
    "Right now, you have turned both options on, which will significantly slow the solving "
    "process down, without gaining any extra solving power.";

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

TfMain::TfMain(QWidget* parent) : QMainWindow(parent) {
  TSolverCompQueue::SelfTest();

  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  CreateSurfaces();

  // Without a window manager the maximised state is only a wish; the screen's
  // size makes it come true there too.
  move(0, 0);
  if (const QScreen* shown_on = screen()) resize(shown_on->availableGeometry().size());
  setWindowState(windowState() | Qt::WindowMaximized);

  const QSize client = ScrollRoom();
  FDocument = std::make_unique<TPixler>(
      TSurface{ImageField->Canvas(), ImageField->width(), ImageField->height()},
      TSurface{ImagePreview->Canvas(), ImagePreview->width(), ImagePreview->height()},
      TSurface{ImageTopClues->Canvas(), ImageTopClues->width(), ImageTopClues->height()},
      TSurface{ImageLeftClues->Canvas(), ImageLeftClues->width(), ImageLeftClues->height()},
      static_cast<TColor>(Background->palette().color(QPalette::Window).rgb() & 0xFFFFFF),
      client.width(), client.height());
  FSearch = std::make_unique<PixlerSearch>(*FDocument);

  MenuItemSwitchEditModeClick();
  MenuItemZoomClick(MenuItemResetZoom);
  FFileName.clear();
  UpdateCaption();

  fAbout = std::make_unique<TfAbout>(this);
  fNew = std::make_unique<TfNew>(this);

  FDocument->MarkClean();
  Recovery = new TRecovery(*FDocument, this);
  Hint = new HintCommand(*this);
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
  MenuItemOpen = AddItem(MenuItemFile, "&Open...", "Ctrl+O");
  MenuItemSave = AddItem(MenuItemFile, "&Save...", "Ctrl+S");
  MenuItemImport = AddItem(MenuItemFile, "Import...", nullptr);
  MenuItemExport = AddItem(MenuItemFile, "Export...", nullptr);
  MenuItemClearPic = AddItem(MenuItemFile, "Clear picture", "Ctrl+D");
  MenuItemFile->addSeparator();
  MenuItemExit = AddItem(MenuItemFile, "Exit", nullptr);
  on(MenuItemNew, &TfMain::MenuItemNewClick);
  on(MenuItemOpen, &TfMain::MenuItemOpenClick);
  on(MenuItemSave, &TfMain::MenuItemSaveClick);
  on(MenuItemImport, &TfMain::MenuItemImportClick);
  on(MenuItemExport, &TfMain::MenuItemExportClick);
  connect(MenuItemClearPic, &QAction::triggered, this, [this] {
    if (Available(MenuItemClearPic)) MenuItemClearPicClick(true);
  });
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
  on(MenuItemUndo, &TfMain::MenuItemUndoClick);
  on(MenuItemRedo, &TfMain::MenuItemRedoClick);
  on(MenuItemClearMights, &TfMain::MenuItemClearMightsClick);
  on(MenuItemRegenerateClues, &TfMain::MenuItemRegenerateCluesClick);
  connect(MenuItemCheckUnique, &QAction::triggered, this, [this] {
    if (Available(MenuItemCheckUnique)) MenuItemSearchRun(MenuItemCheckUnique);
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
  connect(ToolButtonClearPic, &QAction::triggered, this, [this] { MenuItemClearPicClick(true); });
  connect(ToolButtonUndo, &QAction::triggered, this, &TfMain::MenuItemUndoClick);
  connect(ToolButtonRedo, &QAction::triggered, this, &TfMain::MenuItemRedoClick);
  connect(ToolButtonClearMights, &QAction::triggered, this, &TfMain::MenuItemClearMightsClick);
  // The button toggles the menu item's mark, which is where the mode lives.
  connect(ToolButtonEditMode, &QAction::triggered, this, [this] {
    MenuItemSwitchEditMode->setChecked(!MenuItemSwitchEditMode->isChecked());
    MenuItemSwitchEditModeClick();
  });
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
  StatusHint = new QLabel(this);
  statusBar()->addWidget(StatusHint, 1);
  statusBar()->setSizeGripEnabled(true);
}

void TfMain::CreateSurfaces() {
  Background = new QScrollArea(this);
  Background->setWidgetResizable(false);
  // Scrolling a hidden bar's way, by wheel or key, would move a puzzle that
  // fits the view off its centre.
  for (QScrollBar* bar : {Background->horizontalScrollBar(), Background->verticalScrollBar()}) {
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar] {
      const bool horizontal = bar == Background->horizontalScrollBar();
      const Qt::ScrollBarPolicy policy = horizontal ? Background->horizontalScrollBarPolicy()
                                                    : Background->verticalScrollBarPolicy();
      if (policy == Qt::ScrollBarAlwaysOff) bar->setSliderPosition(bar->value());
    });
  }
  auto* content = new QWidget;
  content->setMouseTracking(true);
  content->installEventFilter(this);

  ImagePreview = new TImageControl(kClueDepth, kClueDepth, content);
  ImageTopClues = new TImageControl(kFieldSide, kClueDepth, content);
  ImageLeftClues = new TImageControl(kClueDepth, kFieldSide, content);
  ImageField = new TImageControl(kFieldSide, kFieldSide, content);
  AutoScroller = new QWidget(content);
  AutoScroller->hide();
  // The scroll area takes its range from the content's size when it gets the
  // content, so the size comes first.
  PlaceSurfaces();
  Background->setWidget(content);

  for (TImageControl* image : {ImagePreview, ImageTopClues, ImageLeftClues, ImageField}) {
    connect(image, &TImageControl::MousePressed, this, &TfMain::ImagesMouseMove);
    connect(image, &TImageControl::MouseMoved, this, &TfMain::ImagesMouseMove);
  }
  connect(ImageField, &TImageControl::MouseReleased, this, &TfMain::ImageFieldMouseUp);

  Background->viewport()->installEventFilter(this);
  setCentralWidget(Background);
}

// The field's corner follows the clue surfaces' depth; the preview keeps its
// bottom-right corner next to it.
void TfMain::PlaceSurfaces() {
  const int corner_x = ImageLeftClues->width() + kGap;
  const int corner_y = ImageTopClues->height() + kGap;
  ImagePreview->move(corner_x - kGap - ImagePreview->width(),
                     corner_y - kGap - ImagePreview->height());
  ImageTopClues->move(corner_x, 0);
  ImageLeftClues->move(0, corner_y);
  ImageField->move(corner_x, corner_y);
  AutoScroller->setGeometry(corner_x, corner_y, 100, 100);
  ImageField->parentWidget()->setFixedSize(corner_x + ImageField->width(),
                                           corner_y + ImageField->height());
}

// A zoomed-in puzzle may need more than the starting surfaces: their clues
// would be cut off, and clicks there would reach slots that cannot be seen.
void TfMain::FitSurfaces() {
  int field_width = 0;
  int field_height = 0;
  int top_height = 0;
  int left_width = 0;
  FDocument->GetPixelSizes(field_width, field_height, top_height, left_width);
  auto side = [](int least, int needed) { return std::clamp(needed, least, kLargestSurface); };
  const int width = side(kFieldSide, field_width + 1);
  const int height = side(kFieldSide, field_height + 1);
  const int depth_top = side(kClueDepth, top_height + 2);
  const int depth_left = side(kClueDepth, left_width + 2);
  if (width == ImageField->width() && height == ImageField->height() &&
      depth_top == ImageTopClues->height() && depth_left == ImageLeftClues->width()) {
    return;
  }
  ImageField->Resize(width, height);
  ImageTopClues->Resize(width, depth_top);
  ImageLeftClues->Resize(depth_left, height);
  PlaceSurfaces();
  FDocument->SetSurfaceSizes({width, height}, {ImagePreview->width(), ImagePreview->height()},
                             {width, depth_top}, {depth_left, height});
}

void TfMain::UpdateCaption() {
  QString caption = QStringLiteral("Pixlers solver");
  if (!FFileName.isEmpty()) caption += " - " + QFileInfo(FFileName).completeBaseName();
  setWindowTitle(caption);
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
  MenuItemSolverAllowFullRecursionClick();
}

void TfMain::MenuItemSolverAllowFullRecursionClick() {
  if (MenuItemSolverAllowFullRecursion->isChecked() &&
      MenuItemSolverAllowDeepRecursion->isChecked()) {
    TSolverControl::ShowError(kRecursionWarning);
  }
}

void TfMain::MenuItemNewClick() {
  if (!SaveChangesFirst()) return;
  fNew->FSizeX = FDocument->GetWidth();
  fNew->FSizeY = FDocument->GetHeight();
  if (fNew->exec() != QDialog::Accepted) return;
  const int width = fNew->FSizeX;
  const int height = fNew->FSizeY;
  if (width < 1 || width > kLargestSize || height < 1 || height > kLargestSize) {
    const std::string largest = std::to_string(kLargestSize);
    CurrentPlatform().ShowMessage("Error!",
                                  "Entered sizes are invalid.\rEnter width between 1 and " +
                                      largest + ".\rEnter height between 1 and " + largest + ".",
                                  TMessageButtons::Ok, TMessageIcon::Warning);
    return;
  }
  FFileName.clear();
  UpdateCaption();
  FDocument->SetSize(width, height);
  FDocument->Clear();
  FDocument->MarkClean();
  Recovery->Remove();
  FDocument->Redraw(-1, -1);
  MenuItemZoomClick(MenuItemResetZoom);
}

// Both check marks are read before the dialog: coming back from it
// re-activates the window, which clears them.
void TfMain::MenuItemOpenClick() {
  const bool clear_after_loading = MenuItemClearAfterLoading->isChecked();
  const bool run_after_loading = MenuItemRunAfterLoading->isChecked();
  if (!SaveChangesFirst()) return;
  QString file_name = FFileName;
  if (!ExecuteOpenDialog(file_name)) return;
  OpenFile(file_name, clear_after_loading, run_after_loading);
}

void TfMain::OpenFromCommandLine(const QString& file_name) {
  const bool clear_after_loading = MenuItemClearAfterLoading->isChecked();
  const bool run_after_loading = MenuItemRunAfterLoading->isChecked();
  if (SaveChangesFirst()) OpenFile(file_name, clear_after_loading, run_after_loading);
}

// A file that is refused or passed over leaves the puzzle, its name and the
// caption as they were, and the loading options must not touch that puzzle.
void TfMain::OpenFile(const QString& file_name, bool clear_after_loading, bool run_after_loading) {
  try {
    if (!FDocument->LoadFromFile(file_name.toStdString())) return;
  } catch (const std::exception& error) {
    ShowFileError(error);
    return;
  }
  FFileName = file_name;
  UpdateCaption();
  Recovery->Remove();
  MenuItemZoomClick(MenuItemResetZoom);
  if (clear_after_loading) MenuItemClearPicClick(false);
  if (run_after_loading) MenuItemSolverRun(MenuItemSolverAllFullPasses);
}

// A failed save keeps the old name, so the caption never names a file that
// does not hold the puzzle.
void TfMain::MenuItemSaveClick() {
  SaveWithDialog();
}

bool TfMain::SaveWithDialog() {
  QString file_name = FFileName;
  if (!ExecuteSaveDialog(file_name)) return false;
  try {
    FDocument->SaveToFile(file_name.toStdString());
  } catch (const std::exception& error) {
    ShowFileError(error);
    return false;
  }
  FFileName = file_name;
  UpdateCaption();
  FDocument->MarkClean();
  Recovery->Remove();
  return true;
}

// Replacing or closing a puzzle with unsaved changes used to drop them
// without a word.
bool TfMain::SaveChangesFirst() {
  if (!FDocument->IsModified()) return true;
  switch (CurrentPlatform().ShowMessage(TGeneral::kCaption,
                                        "The puzzle has changes that are not saved.\r"
                                        "Save them first?",
                                        TMessageButtons::SaveDiscardCancel,
                                        TMessageIcon::Question)) {
    case TMessageResult::Save:
      return SaveWithDialog();
    case TMessageResult::Discard:
      return true;
    default:
      return false;
  }
}

void TfMain::OfferRecovery() {
  if (!Recovery->Offer()) return;
  FFileName.clear();
  UpdateCaption();
  MenuItemZoomClick(MenuItemResetZoom);
}

void TfMain::MenuItemImportClick() {
  if (!SaveChangesFirst()) return;
  QString file_name;
  if (ExecuteImportDialog(file_name)) ImportFile(file_name);
}

// An import makes a new puzzle that no puzzle file holds yet, so the caption
// names none and "Save..." asks for a new name.
void TfMain::ImportFile(const QString& file_name) {
  if (!IsExchangeFormat(file_name)) {
    ImportImage(file_name);
    return;
  }
  try {
    FDocument->ImportFromFile(file_name.toStdString());
  } catch (const std::exception& error) {
    ShowFileError(error);
    return;
  }
  FFileName.clear();
  UpdateCaption();
  MenuItemZoomClick(MenuItemResetZoom);
}

void TfMain::ImportImage(const QString& file_name) {
  QImageReader reader(file_name);
  const QImage image = reader.read();
  if (image.isNull()) {
    ShowFileError(
        TPixlerFileError(file_name.toStdString(), 0,
                         "cannot be read as an image: " + reader.errorString().toStdString()));
    return;
  }
  CellPicture cells;
  if (!ExecuteImageDialog(image, cells) || !puzzle_transfer::ImportPicture(*FDocument, cells)) {
    return;
  }
  FDocument->MarkModified();
  FFileName.clear();
  UpdateCaption();
  MenuItemSwitchEditMode->setChecked(true);
  MenuItemSwitchEditModeClick();
  MenuItemZoomClick(MenuItemResetZoom);
}

void TfMain::MenuItemExportClick() {
  QString file_name;
  if (ExecuteExportDialog(file_name)) ExportFile(file_name);
}

// An export leaves the puzzle, its file name and the caption as they are.
void TfMain::ExportFile(const QString& file_name) {
  const std::string name = file_name.toStdString();
  const QString suffix = QFileInfo(file_name).suffix().toLower();
  try {
    const auto data = FDocument->FileData();
    if (IsExchangeFormat(file_name)) {
      FDocument->ExportToFile(name);
    } else if (suffix == QLatin1String("png")) {
      int scale = 1;
      if (!ExecutePngScaleDialog(scale)) return;
      ExportPng(name, *data, scale);
    } else if (suffix == QLatin1String("pdf")) {
      const bool with_solution =
          TGeneral::MessageAsk("Print the solution on a page of its own after the puzzle?");
      const QString title =
          QFileInfo(FFileName.isEmpty() ? file_name : FFileName).completeBaseName();
      ExportPdf(name, *data, title.toStdString(), with_solution);
    } else {
      throw TPixlerFileError(name, 0, "unknown export format; choose .non, .xml, .png or .pdf");
    }
  } catch (const std::exception& error) {
    ShowFileError(error);
  }
}

void TfMain::ShowFileError(const std::exception& error) {
  CurrentPlatform().ShowMessage(TGeneral::kCaption, error.what(), TMessageButtons::Ok,
                                TMessageIcon::Error);
}

bool TfMain::ExecuteOpenDialog(QString& file_name) {
  OpenFileDialog dialog(this, QString::fromLatin1(kFileFilter), QStringLiteral("pixler"));
  if (!file_name.isEmpty()) dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.ChosenFile().isEmpty()) return false;
  file_name = dialog.ChosenFile();
  return true;
}

bool TfMain::ExecuteSaveDialog(QString& file_name) {
  QFileDialog dialog(this, QString(), QStringLiteral("."), QString::fromLatin1(kFileFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("pixler"));
  if (!file_name.isEmpty()) dialog.selectFile(file_name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  file_name = dialog.selectedFiles().constFirst();
  return true;
}

bool TfMain::ExecuteImportDialog(QString& file_name) {
  QFileDialog dialog(this, QStringLiteral("Import"), QStringLiteral("."),
                     QString::fromLatin1(kImportFilter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  file_name = dialog.selectedFiles().constFirst();
  return true;
}

// A name without a known extension gets the chosen filter's.
bool TfMain::ExecuteExportDialog(QString& file_name) {
  QFileDialog dialog(this, QStringLiteral("Export"), QStringLiteral("."),
                     QString::fromLatin1(kExportFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  file_name = dialog.selectedFiles().constFirst();
  const QString filter = dialog.selectedNameFilter();
  const QString chosen = filter.mid(filter.indexOf(QLatin1String("*.")) + 2).chopped(1);
  if (!kExportSuffixes.contains(QFileInfo(file_name).suffix().toLower())) {
    file_name += QLatin1Char('.') + chosen;
  }
  return true;
}

bool TfMain::ExecuteImageDialog(const QImage& image, CellPicture& cells) {
  ImportImageDialog dialog(image, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  cells = dialog.Picture();
  return true;
}

bool TfMain::ExecutePngScaleDialog(int& scale) {
  bool accepted = false;
  scale = QInputDialog::getInt(this, QStringLiteral("Export PNG image"),
                               QStringLiteral("Pixels per cell:"), 8, 1, kLargestPngScale, 1,
                               &accepted);
  return accepted;
}

void TfMain::MenuItemClearPicClick(bool ask) {
  if (ask && !TGeneral::MessageAsk("Do you really want to clear the picture?")) return;
  FDocument->ClearPicture();
  FDocument->Redraw(-1, -1);
}

void TfMain::MenuItemUndoClick() {
  FDocument->Undo();
  FDocument->Redraw(-1, -1);
}

void TfMain::MenuItemRedoClick() {
  FDocument->Redo();
  FDocument->Redraw(-1, -1);
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
}

// Applies the mode of the check mark, which the menu or the button has
// already toggled when the user chose it.
void TfMain::MenuItemSwitchEditModeClick() {
  const bool editor = MenuItemSwitchEditMode->isChecked();
  MenuItemRegenerateClues->setEnabled(editor);
  MenuItemSolver->menuAction()->setEnabled(!editor);
  for (QAction* button :
       {ToolButtonSolverFindPiece, ToolButtonSolverFindAllPieces, ToolButtonSolverFullPass,
        ToolButtonSolverAllFullPasses, ToolButtonSolverRealtime, ToolButtonSolverSearch}) {
    button->setEnabled(!editor);
  }
  ToolButtonSolverExplain->setEnabled(!editor);
  // A hint is a solving step: the editor must not be able to apply it.
  if (editor) FDocument->GetField().ClearHint();
  FDocument->SetMarking(!editor);
}

void TfMain::MenuItemSolverRun(const QAction* sender) {
  // A solve started during a mouse stroke must not merge its findings into
  // the stroke's undo step.
  FDocument->EndGroup();
  // A solve is where a crash or a hang is likeliest.
  Recovery->Keep();

  TPixler& document = *FDocument;
  document.FUseRow1 = MenuItemSolverRow1->isChecked();
  document.FUseRow2 = MenuItemSolverRow2->isChecked();
  document.FUseRow3 = MenuItemSolverRow3->isChecked();
  document.FUseRow4 = MenuItemSolverRow4->isChecked();
  document.FUseRowRecurse1 = MenuItemSolverRowRecurse1->isChecked();
  document.FUseFieldRecurse1 = MenuItemSolverFieldRecurse1->isChecked();
  document.FAllowDeepRecursion = MenuItemSolverAllowDeepRecursion->isChecked();
  document.FAllowFullRecursion = MenuItemSolverAllowFullRecursion->isChecked();

  EnableControls(false);
  FSolving = true;
  ReportLevel(-2);

  // The window lends itself as the receiver without handing over ownership.
  const std::shared_ptr<ISolverCallback> callback(std::shared_ptr<void>(), this);
  // Whatever goes wrong, the window must leave the solving state.
  try {
    if (sender == MenuItemSolverFindPiece || sender == ToolButtonSolverFindPiece) {
      document.SolveStep(false, false, false, callback);
    } else if (sender == MenuItemSolverFindAllPieces || sender == ToolButtonSolverFindAllPieces) {
      document.SolveAll(false, false, callback);
    } else if (sender == MenuItemSolverFullPass || sender == ToolButtonSolverFullPass) {
      document.SolveStep(true, false, false, callback);
    } else if (sender == MenuItemSolverAllFullPasses || sender == ToolButtonSolverAllFullPasses) {
      document.SolveAll(true, false, callback);
    } else if (sender == MenuItemSolverRealtime || sender == ToolButtonSolverRealtime) {
      document.SolveStep(true, true, false, callback);
    }
  } catch (const std::exception& error) {
    TSolverControl::ShowError(std::string("Internal Solver error: ") + error.what());
  }

  ReportLevel(-1);
  FSolving = false;
  EnableControls(true);
  // Loading may run the solver in editor mode; the mode decides again which
  // solve controls are open.
  MenuItemSwitchEditModeClick();
  if (FCloseRequested) QTimer::singleShot(0, this, &QWidget::close);
}

void TfMain::MenuItemSolverStopClick() {
  FDocument->Stop();
  FSearch->Stop();
}

// The complete search's commands take the road of the solve commands: the
// controls stay disabled and the status bar follows the search until the
// command returns.
void TfMain::MenuItemSearchRun(const QAction* sender) {
  EnableControls(false);
  // The check also runs in editor mode, where the Solver menu is closed;
  // its stop command must still answer to Esc. The run has disabled every
  // other item of the menu.
  MenuItemSolver->menuAction()->setEnabled(true);
  FSolving = true;
  ReportLevel(-2);
  const std::shared_ptr<ISolverCallback> callback(std::shared_ptr<void>(), this);
  try {
    if (sender == MenuItemSolverSearch || sender == ToolButtonSolverSearch) {
      FSearch->Solve(callback);
    } else {
      FSearch->Check(callback);
    }
  } catch (const std::exception& error) {
    TSolverControl::ShowError(std::string("Internal Solver error: ") + error.what());
  }
  ReportLevel(-1);
  FSolving = false;
  EnableControls(true);
  MenuItemSwitchEditModeClick();
  if (FCloseRequested) QTimer::singleShot(0, this, &QWidget::close);
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

// Positions over the clues carry the negated pixel offset on the clues' own
// axis; 0 becomes -1 so that it is never taken for a position on the field.
void TfMain::ImagesMouseMove(const TImageControl* sender, Qt::MouseButtons buttons,
                             Qt::KeyboardModifiers modifiers, int x, int y) {
  const int action = ShiftToAction(buttons, modifiers);
  int px = -1;
  int py = -1;
  if (sender == ImageField) {
    px = x;
    py = y;
  } else if (sender == ImageTopClues) {
    px = x;
    py = y == 0 ? -1 : -y;
  } else if (sender == ImageLeftClues) {
    px = x == 0 ? -1 : -x;
    py = y;
  }
  if (action != 0) FDocument->MouseAction(px, py, action);
  FDocument->HoverAt(px, py);
}

void TfMain::ImageFieldMouseUp() {
  FDocument->EndGroup();
}

void TfMain::MenuItemZoomClick(const QAction* sender) {
  int zoom = FDocument->GetZoom();
  if (sender == MenuItemZoomIn || sender == ToolButtonZoomIn) {
    ++zoom;
  } else if (sender == MenuItemResetZoom || sender == ToolButtonResetZoom) {
    zoom = 0;
  } else if (sender == MenuItemZoomOut || sender == ToolButtonZoomOut) {
    --zoom;
  }
  FDocument->SetZoom(zoom);
  FitSurfaces();
  FDocument->Redraw(-1, -1);

  int field_width = 0;
  int field_height = 0;
  int top_height = 0;
  int left_width = 0;
  FDocument->GetPixelSizes(field_width, field_height, top_height, left_width);
  ShowScrollBarsAsNeeded(left_width + field_width + 4, top_height + field_height + 4);

  // Scroll so that a panel reaching from the field's corner to the middle of
  // the free space comes into view: that centres the puzzle, or shows the
  // field's corner first when the field alone is larger than the view.
  const int client_width = Background->viewport()->width();
  const int client_height = Background->viewport()->height();
  AutoScroller->resize(
      std::max(field_width, (client_width - field_width - left_width - 4) / 2 + field_width),
      std::max(field_height, (client_height - field_height - top_height - 4) / 2 + field_height));
  auto position = [](int corner, int extent, int client) {
    if (corner + extent <= client) return 0;
    return extent > client ? corner : corner + extent - client;
  };
  Background->horizontalScrollBar()->setValue(
      position(AutoScroller->x(), AutoScroller->width(), client_width));
  Background->verticalScrollBar()->setValue(
      position(AutoScroller->y(), AutoScroller->height(), client_height));
  AutoScroller->resize(100, 100);
  AutoScroller->hide();

  for (TImageControl* image : {ImageTopClues, ImageLeftClues, ImagePreview, ImageField}) {
    image->update();
  }
}

// The surfaces are always larger than the view, so the scroll area alone
// would always show both bars; they show when the puzzle's drawing does not
// fit. Showing or hiding one resizes the view and lays it out again from
// inside this call, which ends there because the fit area leaves the bars out.
void TfMain::ShowScrollBarsAsNeeded(int drawing_width, int drawing_height) {
  const QSize room = ScrollRoom();
  const int bar_width = Background->verticalScrollBar()->sizeHint().width();
  const int bar_height = Background->horizontalScrollBar()->sizeHint().height();
  bool horizontal = drawing_width > room.width();
  const bool vertical =
      drawing_height > room.height() || (horizontal && drawing_height > room.height() - bar_height);
  horizontal = horizontal || (vertical && drawing_width > room.width() - bar_width);
  auto policy = [](bool shown) { return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; };
  if (Background->horizontalScrollBarPolicy() != policy(horizontal)) {
    Background->setHorizontalScrollBarPolicy(policy(horizontal));
  }
  if (Background->verticalScrollBarPolicy() != policy(vertical)) {
    Background->setVerticalScrollBarPolicy(policy(vertical));
  }
}

// The view's size without scroll bars: the fit area follows it, so that
// showing a bar never changes the cell size and with it the need for bars.
QSize TfMain::ScrollRoom() const {
  return Background->contentsRect().size();
}

void TfMain::FormResize() {
  if (!FDocument) return;
  const QSize client = ScrollRoom();
  FDocument->SetFitArea(client.width() / 3 * 2, client.height() / 3 * 2);
  MenuItemZoomClick(nullptr);
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
  QMainWindow::changeEvent(event);
}

// The solve command still runs further down this thread's stack; closing now
// would free the document under it. Ask it to stop and close when it returns.
void TfMain::closeEvent(QCloseEvent* event) {
  if (FSolving) {
    FCloseRequested = true;
    FDocument->Stop();
    FSearch->Stop();
    event->ignore();
    return;
  }
  if (!SaveChangesFirst()) {
    event->ignore();
    return;
  }
  Recovery->Remove();
  QMainWindow::closeEvent(event);
}
