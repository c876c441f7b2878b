#pragma once

#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "solver/SolverBase.h"

// Logs every report with the thread it came on; on_report may act on each.
class TRecorder final : public ISolverCallback {
 public:
  void ReportLevel(int32_t level) override { Log("level", level); }
  void ReportType(int32_t level, const std::string& type) override { Log("type", level, type); }
  void ReportPosition(int32_t level, const std::string& text, int32_t x, int32_t y,
                      int32_t count) override {
    Log("position", level, text, x, y, count);
  }
  void ReportMissing(int32_t missing) override { Log("missing", missing); }
  void ReportOrder(const TSolverOrder& order) override {
    Log("order", order[SolverOrderIndex(2, 3)]);
  }
  void ReportSearch(int32_t decided, int32_t cells, int32_t depth, int64_t nodes) override {
    Log("search", decided, cells, depth, nodes);
  }

  std::vector<std::string> log;
  std::vector<std::thread::id> threads;
  std::function<void(const std::string&)> on_report;

 private:
  template <class... T>
  void Log(const std::string& kind, const T&... parts) {
    std::ostringstream entry;
    entry << kind;
    ((entry << ' ' << parts), ...);
    log.push_back(entry.str());
    threads.push_back(std::this_thread::get_id());
    if (on_report) on_report(log.back());
  }
};
