#include "solver/SolverBase.h"

#include "puzzle/Platform.h"
#include "solver/SolverThread.h"

namespace {

const char* const kCaption = "Solver";

}  // namespace

TSolverControl::TSolverControl(std::shared_ptr<ISolverCallback> callback)
    : callback(callback ? std::move(callback) : std::make_shared<TSolverDummyCallback>()) {}

void TSolverControl::ResetReports() {
  reported_level = -1;
  reported_type.clear();
  reported_text.clear();
  reported_x = -1;
  reported_y = -1;
  reported_count = -1;
  reported_missing = -1;
  next_search_report_ = {};
}

void TSolverControl::SetThread(TSolverThread* thread) {
  this->thread = thread;
}

void TSolverControl::ReportLevel(int32_t level) {
  if (level == reported_level) return;
  reported_level = level;
  HandOver([this] { callback->ReportLevel(reported_level); });
}

void TSolverControl::ReportType(int32_t level, const std::string& type_name) {
  if (level != reported_level || type_name == reported_type) return;
  reported_type = type_name;
  HandOver([this] { callback->ReportType(reported_level, reported_type); });
}

void TSolverControl::ReportPosition(int32_t level, const std::string& text, int32_t x, int32_t y,
                                    int32_t count) {
  if (level <= 1 || level != reported_level) return;
  reported_text = text;
  reported_x = x;
  reported_y = y;
  reported_count = count;
  HandOver([this] {
    callback->ReportPosition(reported_level, reported_text, reported_x, reported_y, reported_count);
  });
}

void TSolverControl::ReportMissing(int32_t missing) {
  if (missing == reported_missing) return;
  reported_missing = missing;
  HandOver([this] { callback->ReportMissing(reported_missing); });
}

void TSolverControl::ReportOrder(const TSolverOrder& order) {
  order_copy = order;
  HandOver([this] { callback->ReportOrder(order_copy); });
}

void TSolverControl::ReportSearch(int32_t decided, int32_t cells, int32_t depth, int64_t nodes) {
  const auto now = std::chrono::steady_clock::now();
  if (now < next_search_report_) return;
  next_search_report_ = now + std::chrono::milliseconds(100);
  reported_decided = decided;
  reported_cells = cells;
  reported_depth = depth;
  reported_nodes = nodes;
  HandOver([this] {
    callback->ReportSearch(reported_decided, reported_cells, reported_depth, reported_nodes);
  });
}

bool TSolverControl::AskMultipleSolutions() {
  if (level > 1) return false;
  bool answer = false;
  HandOver([&answer] {
    answer = Confirm(
        "Multiple solutions found...\r\rDo you want to use the first one?\rIf no, the second one "
        "will be used.");
  });
  return answer;
}

void TSolverControl::ShowError(const std::string& text) {
  CurrentPlatform().ShowMessage(kCaption, text, TMessageButtons::Ok, TMessageIcon::None);
}

bool TSolverControl::Confirm(const std::string& text) {
  return CurrentPlatform().ShowMessage(kCaption, text, TMessageButtons::YesNo,
                                       TMessageIcon::Question) == TMessageResult::Yes;
}

// Without a run in progress the reports already come from the window thread.
void TSolverControl::HandOver(const std::function<void()>& call) {
  if (thread != nullptr) {
    thread->Synchronize(call);
  } else {
    call();
  }
}
