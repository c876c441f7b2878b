#include "SolverPictures.h"

// Long random runs against a plain model also recycle entries and buckets
// through both pools. A copy taken now and then must drain like the model,
// and adds to it must leave the source alone.
TEST(SolverCompQueue, AgreesWithAPlainModelUnderRandomUse) {
  using TModel = std::vector<std::pair<int32_t, int32_t>>;  // (priority, key) in extraction order
  std::mt19937 random(7);
  const auto add = [&random](TSolverCompQueue& queue, TModel& model) {
    const int32_t key = 1 + static_cast<int32_t>(random() % queue.FCapacity);
    const int32_t priority = static_cast<int32_t>(random() % 40) - 2;
    queue.Add(key, priority);
    if (priority < 1 || queue.FClosed) return;
    auto old = std::ranges::find(model, key, &TModel::value_type::second);
    if (old != model.end() && old->first <= priority) return;
    if (old != model.end()) model.erase(old);
    model.insert(std::ranges::lower_bound(model, priority, {}, &TModel::value_type::first),
                 {priority, key});
  };
  const auto extract = [](TSolverCompQueue& queue, TModel& model) {
    int32_t priority = 0;
    const int32_t key = queue.Extract(priority);
    ASSERT_EQ(std::pair(priority, key), model.empty() ? std::pair(priority, 0) : model.front());
    if (key != 0) model.erase(model.begin());
  };
  for (int round = 0; round < 40; ++round) {
    TSolverCompQueue queue(1 + static_cast<int32_t>(random() % 30));
    TModel model;
    for (int step = 0; step < 400; ++step) {
      const unsigned action = random() % 20;
      if (action < 11) {
        add(queue, model);
      } else if (action < 18) {
        ASSERT_NO_FATAL_FAILURE(extract(queue, model));
      } else if (action == 18) {
        queue.Clear();
        model.clear();
      } else if (random() % 2 == 0) {
        queue.FClosed = !queue.FClosed;
      } else {
        std::unique_ptr<TSolverCompQueue> copy = TSolverCompQueue::CreateCopy(queue);
        TModel copy_model = model;
        for (int i = 0; i < 10; ++i) add(*copy, copy_model);
        for (size_t i = 0, n = copy_model.size(); i <= n; ++i)
          ASSERT_NO_FATAL_FAILURE(extract(*copy, copy_model));
      }
      ASSERT_EQ(queue.FCount, static_cast<int32_t>(model.size()));
    }
  }
}
