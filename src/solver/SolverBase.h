#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TSolverThread;

// The brute-force order of cell (x, y), x and y in 1..100, lives at index
// (x - 1) * 100 + (y - 1).
using TSolverOrder = std::array<int32_t, 10000>;

inline constexpr int32_t SolverOrderIndex(int32_t x, int32_t y) {
  return (x - 1) * 100 + (y - 1);
}

// Receiver of the solver's progress reports. Every call arrives on the window
// thread; the order table is valid only during its call.
class ISolverCallback {
 public:
  virtual ~ISolverCallback() = default;

  virtual void ReportLevel(int32_t level) = 0;
  virtual void ReportType(int32_t level, const std::string& type_name) = 0;
  virtual void ReportPosition(int32_t level, const std::string& text, int32_t x, int32_t y,
                              int32_t count) = 0;
  virtual void ReportMissing(int32_t missing) = 0;
  virtual void ReportOrder(const TSolverOrder& order) = 0;
  // The complete search's state: cells decided in its current branch out of
  // all cells, the branch's depth, and the nodes searched so far. Receivers
  // that only follow the field solver may ignore it.
  virtual void ReportSearch(int32_t /*decided*/, int32_t /*cells*/, int32_t /*depth*/,
                            int64_t /*nodes*/) {}
};

class TSolverDummyCallback final : public ISolverCallback {
 public:
  void ReportLevel(int32_t) override {}
  void ReportType(int32_t, const std::string&) override {}
  void ReportPosition(int32_t, const std::string&, int32_t, int32_t, int32_t) override {}
  void ReportMissing(int32_t) override {}
  void ReportOrder(const TSolverOrder&) override {}
};

// Everything that crosses between the worker and the window thread during a
// run. The field solver reports here; the control drops repeats and hands each
// remaining report to the window thread, blocking the worker until it ran
// there. Only `stop` is touched by both threads without that hand-over.
class TSolverControl final : public ISolverCallback {
 public:
  // A null callback is replaced by one that ignores every report.
  explicit TSolverControl(std::shared_ptr<ISolverCallback> callback);
  TSolverControl(const TSolverControl&) = delete;
  TSolverControl& operator=(const TSolverControl&) = delete;

  void ResetReports();
  void SetThread(TSolverThread* thread);

  void ReportLevel(int32_t level) override;
  void ReportType(int32_t level, const std::string& type_name) override;
  void ReportPosition(int32_t level, const std::string& text, int32_t x, int32_t y,
                      int32_t count) override;
  void ReportMissing(int32_t missing) override;
  void ReportOrder(const TSolverOrder& order) override;
  // Passed on at most ten times a second: more would only block the search
  // on reports the window cannot paint.
  void ReportSearch(int32_t decided, int32_t cells, int32_t depth, int64_t nodes) override;

  // True when the user wants the first of two solutions (the cell filled).
  // Beyond level 1 the answer is no without asking.
  bool AskMultipleSolutions();

  static void ShowError(const std::string& text);
  static bool Confirm(const std::string& text);

  std::atomic<bool> stop{false};
  int32_t level = 0;
  int32_t last_x = -1;
  int32_t last_y = -1;
  bool allow_deep_recursion = false;
  bool allow_full_recursion = false;
  std::shared_ptr<ISolverCallback> callback;
  // The worker of the run in progress, or null when reports may run directly.
  TSolverThread* thread = nullptr;
  int32_t reported_level = 0;
  std::string reported_type;
  std::string reported_text;
  int32_t reported_x = 0;
  int32_t reported_y = 0;
  int32_t reported_count = 0;
  int32_t reported_missing = 0;
  TSolverOrder order_copy{};
  int32_t reported_decided = 0;
  int32_t reported_cells = 0;
  int32_t reported_depth = 0;
  int64_t reported_nodes = 0;

 private:
  void HandOver(const std::function<void()>& call);

  // No search report is passed on before this time.
  std::chrono::steady_clock::time_point next_search_report_{};
};
