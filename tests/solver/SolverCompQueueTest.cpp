#include <gtest/gtest.h>

#include <map>
#include <random>
#include <stdexcept>
#include <vector>

#include "ScriptedPlatform.h"
#include "solver/SolverCompQueue.h"

namespace {

std::vector<int32_t> Drain(TSolverCompQueue& queue) {
  std::vector<int32_t> keys;
  int32_t priority = 0;
  for (int32_t key = queue.Extract(priority); key != 0; key = queue.Extract(priority))
    keys.push_back(key);
  return keys;
}

}  // namespace

TEST(SolverCompQueue, SelfTestPassesSilently) {
  TScriptedPlatform platform;
  TSolverCompQueue::SelfTest();
  EXPECT_TRUE(platform.messages.empty());
}

TEST(SolverCompQueue, CheckReportsAMismatchInAnOkBoxAndGoesOn) {
  TScriptedPlatform platform;
  TSolverCompQueue queue(10);
  queue.Add(3, 2);
  TSolverCompQueue::Check("(2: 3); ", queue);
  TSolverCompQueue::Check("(2: 4); ", queue);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].caption, "Solver");
  EXPECT_EQ(platform.messages[0].text, "awaited: (2: 4); \rresult: (2: 3); ");
  EXPECT_EQ(platform.messages[0].buttons, TMessageButtons::Ok);
  EXPECT_EQ(platform.messages[0].icon, TMessageIcon::None);
}

TEST(SolverCompQueue, ExtractsLowestPriorityFirstAndNewestFirstWithinOne) {
  TSolverCompQueue queue(20);
  const std::vector<std::pair<int32_t, int32_t>> adds = {
      {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {3, 4}, {5, 4}, {1, 2}, {3, 4}, {6, 6},
      {7, 6}, {5, 2}, {1, 3}, {8, 3}, {8, 2}, {9, 3}, {1, 1}, {1, 1}, {1, 1}};
  for (auto [key, priority] : adds) queue.Add(key, priority);
  EXPECT_EQ(queue.FCount, 9);
  std::unique_ptr<TSolverCompQueue> copy = TSolverCompQueue::CreateCopy(queue);
  const std::vector<int32_t> order = {1, 8, 5, 9, 3, 4, 2, 7, 6};
  EXPECT_EQ(Drain(queue), order);
  EXPECT_EQ(Drain(*copy), order);
  EXPECT_EQ(queue.FCount, 0);
  EXPECT_EQ(copy->FCount, 0);
}

TEST(SolverCompQueue, IgnoresPrioritiesBelowOneAndAddsToAClosedQueue) {
  TSolverCompQueue queue(10);
  queue.Add(1, 0);
  queue.Add(2, -3);
  queue.Add(99, 0);
  EXPECT_EQ(queue.ToString(), "");
  EXPECT_EQ(queue.FCount, 0);
  EXPECT_EQ(queue.FLast->FPriority, 11);

  queue.Add(1, 3);
  queue.FClosed = true;
  queue.Add(2, 1);
  queue.Add(1, 1);
  EXPECT_EQ(queue.ToString(), "(3: 1); ");
  EXPECT_EQ(Drain(queue), std::vector<int32_t>{1});
}

TEST(SolverCompQueue, RejectsKeysOutsideItsCapacity) {
  TSolverCompQueue queue(10);
  EXPECT_THROW(queue.Add(0, 1), std::out_of_range);
  EXPECT_THROW(queue.Add(11, 1), std::out_of_range);
  EXPECT_THROW(queue.Add(-1, 1), std::out_of_range);
  EXPECT_EQ(queue.FCount, 0);
  EXPECT_THROW(TSolverCompQueue(-1), std::invalid_argument);
}

TEST(SolverCompQueue, AHighPriorityRaisesTheTailWhichThenPrints) {
  TSolverCompQueue queue(3);
  queue.Add(1, 2);
  queue.Add(2, 7);
  EXPECT_EQ(queue.FLast->FPriority, 8);
  EXPECT_EQ(queue.ToString(), "(2: 1); (7: 2); (8: ); ");
  queue.Add(3, 5);
  EXPECT_EQ(Drain(queue), (std::vector<int32_t>{1, 3, 2}));
}

TEST(SolverCompQueue, CopyIsAFullQueueOfItsOwn) {
  TSolverCompQueue empty(5);
  EXPECT_EQ(TSolverCompQueue::CreateCopy(empty)->ToString(), "");

  TSolverCompQueue queue(5);
  queue.Add(1, 4);
  queue.Add(2, 9);
  queue.Add(1, 2);
  std::unique_ptr<TSolverCompQueue> copy = TSolverCompQueue::CreateCopy(queue);
  EXPECT_EQ(copy->ToString(), "(2: 1); (4: 0); (9: 2); ");
  EXPECT_EQ(copy->FCount, 2);

  // Adding to the copy must neither duplicate a copied key nor disturb the
  // source; the copy starts with a fresh tail below the copied bucket 9.
  copy->Add(2, 1);
  copy->Add(3, 8);
  copy->Add(4, 20);
  EXPECT_EQ(copy->FCount, 4);
  EXPECT_EQ(Drain(*copy), (std::vector<int32_t>{2, 1, 3, 4}));
  EXPECT_EQ(Drain(queue), (std::vector<int32_t>{1, 2}));
}

// Random operations against a plain model: lowest priority first, the most
// recent effective add first among equals. Long runs exercise the recycling
// of entries and buckets through both pools.
TEST(SolverCompQueue, AgreesWithAPlainModelUnderRandomUse) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    const int32_t capacity = 1 + static_cast<int32_t>(random() % 30);
    TSolverCompQueue queue(capacity);
    std::map<int32_t, std::pair<int32_t, int64_t>> model;  // key -> (priority, stamp)
    int64_t stamp = 0;
    for (int step = 0; step < 400; ++step) {
      const unsigned action = random() % 10;
      if (action < 6) {
        const int32_t key = 1 + static_cast<int32_t>(random() % capacity);
        const int32_t priority = static_cast<int32_t>(random() % 12) - 1;
        queue.Add(key, priority);
        if (priority < 1) continue;
        auto found = model.find(key);
        if (found == model.end() || found->second.first > priority)
          model[key] = {priority, ++stamp};
      } else if (action < 9) {
        int32_t priority = 0;
        const int32_t key = queue.Extract(priority);
        if (model.empty()) {
          ASSERT_EQ(key, 0);
          continue;
        }
        auto best = model.begin();
        for (auto it = model.begin(); it != model.end(); ++it) {
          if (it->second.first < best->second.first ||
              (it->second.first == best->second.first && it->second.second > best->second.second))
            best = it;
        }
        ASSERT_EQ(key, best->first);
        ASSERT_EQ(priority, best->second.first);
        model.erase(best);
      } else if (random() % 4 == 0) {
        queue.Clear();
        model.clear();
      }
      ASSERT_EQ(queue.FCount, static_cast<int32_t>(model.size()));
    }
  }
}
