#include "SolverPictures.h"

namespace {

// The window hears of changes only: a repeated level, type or missing count
// is dropped, as is a type or position of a level other than the one shown and
// any position below level 2; positions and order tables may repeat. A reset
// lets everything through once more.
TEST(SolverControlTest, PassesOnlyChangesToTheWindow) {
  auto receiver = std::make_shared<TRecorder>();
  TSolverControl control(receiver);
  control.ResetReports();
  TSolverOrder order{};
  order[SolverOrderIndex(2, 3)] = 42;
  control.ReportLevel(1);
  control.ReportLevel(1);
  control.ReportPosition(1, "Bruteforce", 3, 4, 5);
  control.ReportPosition(2, "Bruteforce", 3, 4, 5);
  control.ReportType(2, "simple");
  control.ReportLevel(2);
  control.ReportType(2, "simple");
  control.ReportType(2, "full");
  control.ReportPosition(2, "Bruteforce", 3, 4, 5);
  control.ReportPosition(2, "Bruteforce", 3, 4, 5);
  control.ReportMissing(7);
  control.ReportMissing(7);
  control.ReportMissing(6);
  control.ReportOrder(order);
  control.ReportOrder(order);
  control.ResetReports();
  control.ReportLevel(2);
  control.ReportType(2, "full");
  control.ReportMissing(6);
  EXPECT_EQ(receiver->log,
            (std::vector<std::string>{"level 1", "level 2", "type 2 simple", "type 2 full",
                                      "position 2 Bruteforce 3 4 5", "position 2 Bruteforce 3 4 5",
                                      "missing 7", "missing 6", "order 42", "order 42", "level 2",
                                      "type 2 full", "missing 6"}));
}

// The search reports often; the window hears of it ten times a second at
// most, and a reset lets the next report through at once.
TEST(SolverControlTest, PassesSearchProgressTenTimesASecondAtMost) {
  auto receiver = std::make_shared<TRecorder>();
  TSolverControl control(receiver);
  control.ResetReports();
  const auto start = std::chrono::steady_clock::now();
  for (int32_t decided = 1; receiver->log.size() < 2; ++decided)
    control.ReportSearch(decided, 4, 1, 10);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  control.ResetReports();
  control.ReportSearch(0, 4, 0, 40);
  EXPECT_EQ(receiver->log,
            (std::vector<std::string>{"search 1 4 1 10", receiver->log[1], "search 0 4 0 40"}));
}

}  // namespace
