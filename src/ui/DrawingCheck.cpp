#include "ui/DrawingCheck.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <vector>

#include "document/Pixler.h"
#include "document/SearchClues.h"
#include "puzzle/CellState.h"
#include "ui/BackgroundCheck.h"
#include "ui/MainForm.h"

namespace {

const char* const kOnKey = "edit/checkWhileDrawing";
const char* const kOfferedKey = "edit/checkWhileDrawingOffered";
// Often enough that a verdict follows a stroke at once, rare enough to cost
// nothing: a poll only compares the clues of the picture.
constexpr int kPollMilliseconds = 50;

bool SameClues(const search::Clues& a, const search::Clues& b) {
  return a.width == b.width && a.height == b.height && a.rows == b.rows && a.columns == b.columns;
}

}  // namespace

DrawingCheck::DrawingCheck(TfMain& window)
    : QObject(&window),
      window_(window),
      item_(window.MenuItemCheckWhileDrawing),
      panel_(new QLabel(&window)),
      poll_(new QTimer(this)),
      check_(new BackgroundCheck(this)) {
  item_->setChecked(QSettings().value(kOnKey, false).toBool());
  window.statusBar()->addPermanentWidget(panel_);
  poll_->setInterval(kPollMilliseconds);
  connect(poll_, &QTimer::timeout, this, &DrawingCheck::Poll);
  connect(item_, &QAction::toggled, this, &DrawingCheck::Toggled);
  connect(window.MenuItemSwitchEditMode, &QAction::toggled, this, &DrawingCheck::ModeChanged);
  connect(check_, &BackgroundCheck::Judged, this, &DrawingCheck::Judged);
  ModeChanged(window.MenuItemSwitchEditMode->isChecked());
}

search::Clues DrawingCheck::CluesToJudge() const {
  const TPixler& document = window_.Document();
  search::Grid picture{document.GetWidth(), document.GetHeight(), {}};
  bool drawn = false;
  for (int y = 1; y <= picture.height; ++y) {
    for (int x = 1; x <= picture.width; ++x) {
      const bool filled = IsCellFilled(document.GetField().GetCell(x, y));
      drawn = drawn || filled;
      picture.cells.push_back(filled ? search::Cell::filled : search::Cell::empty);
    }
  }
  // Clues typed for a puzzle copied from elsewhere are the only ones that can
  // have no solution; a picture's own always have it.
  return drawn ? search::CluesOfPicture(picture) : CluesOf(document);
}

QString DrawingCheck::VerdictText(const search::Result& result) {
  if (result.Multiple()) return QStringLiteral("several solutions");
  if (result.None()) return QStringLiteral("no solution");
  switch (result.grade) {
    case search::Grade::line_logic:
      return QStringLiteral("unique, line logic");
    case search::Grade::probing:
      return QStringLiteral("unique, probing");
    case search::Grade::search:
      break;
  }
  return QStringLiteral("unique, search");
}

void DrawingCheck::Toggled(bool on) {
  QSettings().setValue(kOnKey, on);
  ModeChanged(window_.MenuItemSwitchEditMode->isChecked());
}

void DrawingCheck::ModeChanged(bool editor) {
  if (editor && item_->isChecked()) {
    any_judged_ = false;
    poll_->start();
    Poll();
    return;
  }
  Stop();
  QSettings settings;
  if (editor && !settings.value(kOfferedKey, false).toBool()) {
    settings.setValue(kOfferedKey, true);
    window_.statusBar()->showMessage(
        QStringLiteral("Tip: Edit / Check while drawing tells after each stroke whether the "
                       "picture makes a puzzle with one solution."),
        15000);
  }
}

void DrawingCheck::Stop() {
  poll_->stop();
  check_->Cancel();
  panel_->clear();
  window_.Document().GetField().ClearDoubt();
}

void DrawingCheck::Poll() {
  // A stroke is judged once it ends, not cell by cell.
  if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
  search::Clues clues = CluesToJudge();
  if (any_judged_ && SameClues(clues, judged_)) return;
  judged_ = clues;
  any_judged_ = true;
  panel_->setText(QStringLiteral("checking..."));
  check_->Start(std::move(clues));
}

void DrawingCheck::Judged(const search::Verdict& verdict, const QString& failure) {
  // An edit since the request, not yet polled, makes the verdict stale.
  if (!SameClues(CluesToJudge(), judged_)) return;
  TField& field = window_.Document().GetField();
  if (!failure.isEmpty()) {
    panel_->setText(failure);
    field.ClearDoubt();
    return;
  }
  panel_->setText(VerdictText(verdict.result));
  if (verdict.line_logic.cells.empty()) {
    field.ClearDoubt();
    return;
  }
  std::vector<std::uint8_t> levels(verdict.line_logic.cells.size(), 0);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const bool probing_open =
        verdict.probing.cells.empty() || verdict.probing.cells[i] == search::Cell::unknown;
    if (verdict.line_logic.cells[i] == search::Cell::unknown) levels[i] = probing_open ? 2 : 1;
  }
  field.SetDoubt(levels);
}
