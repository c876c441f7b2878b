#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedPlatform.h"
#include "solver/SolverBase.h"

namespace {

// Writes every report it receives as one short line, so a test compares what
// reached the window with a list of strings.
class TRecordingCallback final : public ISolverCallback {
 public:
  void ReportLevel(int32_t level) override { Log("level " + std::to_string(level)); }
  void ReportType(int32_t level, const std::string& type_name) override {
    Log("type " + std::to_string(level) + " " + type_name);
  }
  void ReportPosition(int32_t level, const std::string& text, int32_t x, int32_t y,
                      int32_t count) override {
    Log("position " + std::to_string(level) + " " + text + " " + std::to_string(x) + ":" +
        std::to_string(y) + " (" + std::to_string(count) + ")");
  }
  void ReportMissing(int32_t missing) override { Log("missing " + std::to_string(missing)); }
  void ReportOrder(const TSolverOrder& order) override {
    Log("order " + std::to_string(order[SolverOrderIndex(2, 3)]));
  }

  std::vector<std::string> log;

 private:
  void Log(std::string line) { log.push_back(std::move(line)); }
};

struct TFilterCase {
  const char* name;
  std::function<void(TSolverControl&)> reports;
  std::vector<std::string> expected;
};

TEST(SolverControlTest, FiltersReportsBeforeTheyReachTheWindow) {
  const std::vector<TFilterCase> cases = {
      {"repeated level reaches once",
       [](TSolverControl& c) {
         c.ReportLevel(1);
         c.ReportLevel(1);
       },
       {"level 1"}},
      {"changing levels each reach",
       [](TSolverControl& c) {
         c.ReportLevel(1);
         c.ReportLevel(2);
         c.ReportLevel(1);
       },
       {"level 1", "level 2", "level 1"}},
      {"type of another level is dropped",
       [](TSolverControl& c) {
         c.ReportLevel(2);
         c.ReportType(1, "simple");
       },
       {"level 2"}},
      {"repeated type reaches once, a new one again",
       [](TSolverControl& c) {
         c.ReportLevel(2);
         c.ReportType(2, "simple");
         c.ReportType(2, "simple");
         c.ReportType(2, "full");
       },
       {"level 2", "type 2 simple", "type 2 full"}},
      {"position below level 2 is dropped",
       [](TSolverControl& c) {
         c.ReportLevel(1);
         c.ReportPosition(1, "Bruteforce", 3, 4, 5);
       },
       {"level 1"}},
      {"position of another level is dropped",
       [](TSolverControl& c) {
         c.ReportLevel(1);
         c.ReportPosition(2, "Bruteforce", 3, 4, 5);
       },
       {"level 1"}},
      {"position at the reported level 2 always reaches",
       [](TSolverControl& c) {
         c.ReportLevel(2);
         c.ReportPosition(2, "Bruteforce", 3, 4, 5);
         c.ReportPosition(2, "Bruteforce", 3, 4, 5);
       },
       {"level 2", "position 2 Bruteforce 3:4 (5)", "position 2 Bruteforce 3:4 (5)"}},
      {"repeated missing count reaches once",
       [](TSolverControl& c) {
         c.ReportMissing(7);
         c.ReportMissing(7);
         c.ReportMissing(6);
       },
       {"missing 7", "missing 6"}},
      {"missing count after a reset reaches again",
       [](TSolverControl& c) {
         c.ReportMissing(0);
         c.ResetReports();
         c.ReportMissing(0);
       },
       {"missing 0", "missing 0"}},
      {"level and type after a reset reach again",
       [](TSolverControl& c) {
         c.ReportLevel(2);
         c.ReportType(2, "full");
         c.ResetReports();
         c.ReportLevel(2);
         c.ReportType(2, "full");
       },
       {"level 2", "type 2 full", "level 2", "type 2 full"}},
      {"order is never filtered",
       [](TSolverControl& c) {
         TSolverOrder order{};
         order[SolverOrderIndex(2, 3)] = 42;
         c.ReportOrder(order);
         c.ReportOrder(order);
       },
       {"order 42", "order 42"}},
  };
  for (const TFilterCase& test : cases) {
    SCOPED_TRACE(test.name);
    auto receiver = std::make_shared<TRecordingCallback>();
    TSolverControl control(receiver);
    control.ResetReports();
    test.reports(control);
    EXPECT_EQ(receiver->log, test.expected);
  }
}

TEST(SolverControlTest, NullReceiverIgnoresReportsAndResetKeepsLastCell) {
  TSolverControl control(nullptr);
  EXPECT_EQ(control.last_x, -1);
  EXPECT_EQ(control.last_y, -1);
  control.ReportLevel(2);
  control.ReportPosition(2, "Bruteforce", 4, 9, 1);
  control.ReportOrder(TSolverOrder{});
  control.last_x = 4;
  control.last_y = 9;
  control.ResetReports();
  EXPECT_EQ(control.last_x, 4);
  EXPECT_EQ(control.last_y, 9);
}

TEST(SolverControlTest, AsksMultipleSolutionsOnlyUpToLevel1) {
  struct TCase {
    int32_t level;
    TMessageResult answer;
    bool expected;
    size_t boxes;
  };
  const TCase cases[] = {
      {0, TMessageResult::Yes, true, 1},
      {1, TMessageResult::Yes, true, 1},
      {1, TMessageResult::No, false, 1},
      {2, TMessageResult::Yes, false, 0},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.level);
    TScriptedPlatform platform;
    platform.Answer(test.answer);
    TSolverControl control(nullptr);
    control.level = test.level;
    EXPECT_EQ(control.AskMultipleSolutions(), test.expected);
    ASSERT_EQ(platform.messages.size(), test.boxes);
    if (test.boxes == 0) continue;
    const TRecordedMessage& box = platform.messages[0];
    EXPECT_EQ(box.caption, "Solver");
    EXPECT_EQ(box.text,
              "Multiple solutions found...\r\rDo you want to use the first one?\r"
              "If no, the second one will be used.");
    EXPECT_EQ(box.buttons, TMessageButtons::YesNo);
    EXPECT_EQ(box.icon, TMessageIcon::Question);
  }
}

TEST(SolverControlTest, MessageBoxesCarryTheSolverCaption) {
  TScriptedPlatform platform;
  platform.Answer(TMessageResult::Yes);
  platform.Answer(TMessageResult::No);
  TSolverControl::ShowError("broken");
  EXPECT_TRUE(TSolverControl::Confirm("sure?"));
  EXPECT_FALSE(TSolverControl::Confirm("sure?"));
  ASSERT_EQ(platform.messages.size(), 3u);
  EXPECT_EQ(platform.messages[0].caption, "Solver");
  EXPECT_EQ(platform.messages[0].text, "broken");
  EXPECT_EQ(platform.messages[0].buttons, TMessageButtons::Ok);
  EXPECT_EQ(platform.messages[0].icon, TMessageIcon::None);
  EXPECT_EQ(platform.messages[1].buttons, TMessageButtons::YesNo);
  EXPECT_EQ(platform.unanswered, 0);
}

}  // namespace
