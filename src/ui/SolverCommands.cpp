#include "ui/SolverCommands.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <exception>
#include <string>

#include "document/Pixler.h"
#include "document/PixlerSearch.h"
#include "ui/FileCommands.h"
#include "ui/MainForm.h"
#include "ui/Recovery.h"

namespace {

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

}  // namespace

SolverCommands::SolverCommands(TfMain& window, TPixler& document)
    : window_(window), document_(document), search_(std::make_unique<PixlerSearch>(document)) {}

SolverCommands::~SolverCommands() = default;

void SolverCommands::Run(Step step) {
  // A solve started during a mouse stroke must not merge its findings into
  // the stroke's undo step.
  document_.EndGroup();
  // A solve is where a crash or a hang is likeliest.
  window_.Files().Recovery().Keep();
  TakeOptions();
  RunCommand([this, step](const std::shared_ptr<ISolverCallback>& callback) {
    switch (step) {
      case Step::FindPiece:
        document_.SolveStep(false, false, false, callback);
        break;
      case Step::FindAllPieces:
        document_.SolveAll(false, false, callback);
        break;
      case Step::FullPass:
        document_.SolveStep(true, false, false, callback);
        break;
      case Step::AllFullPasses:
        document_.SolveAll(true, false, callback);
        break;
      case Step::Realtime:
        document_.SolveStep(true, true, false, callback);
        break;
    }
  });
}

void SolverCommands::TakeOptions() {
  document_.FUseRow1 = window_.MenuItemSolverRow1->isChecked();
  document_.FUseRow2 = window_.MenuItemSolverRow2->isChecked();
  document_.FUseRow3 = window_.MenuItemSolverRow3->isChecked();
  document_.FUseRow4 = window_.MenuItemSolverRow4->isChecked();
  document_.FUseRowRecurse1 = window_.MenuItemSolverRowRecurse1->isChecked();
  document_.FUseFieldRecurse1 = window_.MenuItemSolverFieldRecurse1->isChecked();
  document_.FAllowDeepRecursion = window_.MenuItemSolverAllowDeepRecursion->isChecked();
  document_.FAllowFullRecursion = window_.MenuItemSolverAllowFullRecursion->isChecked();
}

// The check also runs in editor mode, where the Solver menu is closed; its
// stop command must still answer to Esc. The run has closed every other item
// of the menu.
void SolverCommands::Search() {
  RunCommand([this](const std::shared_ptr<ISolverCallback>& callback) {
    window_.MenuItemSolver->menuAction()->setEnabled(true);
    search_->Solve(callback);
  });
}

void SolverCommands::CheckUnique() {
  RunCommand([this](const std::shared_ptr<ISolverCallback>& callback) {
    window_.MenuItemSolver->menuAction()->setEnabled(true);
    search_->Check(callback);
  });
}

void SolverCommands::RunCommand(
    const std::function<void(const std::shared_ptr<ISolverCallback>&)>& body) {
  window_.EnableControls(false);
  running_ = true;
  window_.ReportLevel(-2);
  const std::shared_ptr<ISolverCallback> callback(std::shared_ptr<void>(), &window_);
  // Whatever goes wrong, the window must leave the solving state.
  try {
    body(callback);
  } catch (const std::exception& error) {
    TSolverControl::ShowError(std::string("Internal Solver error: ") + error.what());
  }
  window_.ReportLevel(-1);
  running_ = false;
  window_.EnableControls(true);
  // Loading may run the solver in editor mode; the mode decides again which
  // solve controls are open.
  window_.MenuItemSwitchEditModeClick();
  if (close_requested_) QTimer::singleShot(0, &window_, &QWidget::close);
}

void SolverCommands::Stop() {
  document_.Stop();
  search_->Stop();
}

void SolverCommands::CloseWhenDone() {
  close_requested_ = true;
  Stop();
}

void SolverCommands::WarnAboutDoubledRecursion() const {
  if (window_.MenuItemSolverAllowFullRecursion->isChecked() &&
      window_.MenuItemSolverAllowDeepRecursion->isChecked()) {
    TSolverControl::ShowError(kRecursionWarning);
  }
}
