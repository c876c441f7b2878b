#include "SolverPictures.h"

namespace {

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
