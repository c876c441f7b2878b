#include "solver/SolverCompQueue.h"

#include <algorithm>
#include <stdexcept>

#include "solver/SolverBase.h"

TSolverCompQueue::TSolverCompQueue(int32_t ACapacity) : FCapacity(ACapacity) {
  if (ACapacity < 0) throw std::invalid_argument("TSolverCompQueue: negative capacity");
  FItemsByKey.assign(static_cast<size_t>(ACapacity) + 1, nullptr);
  FFirst = NewBucket();
  FFirst->FPriority = ACapacity + 1;
  FLast = FFirst;
  FItemPool = &buckets_.emplace_back();
}

std::unique_ptr<TSolverCompQueue> TSolverCompQueue::CreateCopy(const TSolverCompQueue& ASource) {
  auto copy = std::make_unique<TSolverCompQueue>(ASource.FCapacity);
  TSolverCompQueuePriority* previous = nullptr;
  for (const TSolverCompQueuePriority* bucket = ASource.FFirst; bucket != ASource.FLast;
       bucket = bucket->FNext) {
    TSolverCompQueuePriority* target = copy->NewBucket();
    target->FPriority = bucket->FPriority;
    TSolverCompQueueItem** tail = &target->FItems;
    for (const TSolverCompQueueItem* item = bucket->FItems; item != nullptr; item = item->FNext) {
      TSolverCompQueueItem* entry = copy->NewItem();
      entry->FKey = item->FKey;
      entry->FPriority = item->FPriority;
      *tail = entry;
      tail = &entry->FNext;
      if (entry->FKey != 0) copy->FItemsByKey[entry->FKey] = entry;
    }
    (previous == nullptr ? copy->FFirst : previous->FNext) = target;
    target->FNext = copy->FLast;
    previous = target;
  }
  copy->FCount = ASource.FCount;
  return copy;
}

void TSolverCompQueue::Clear() {
  if (FFirst == FLast) return;
  FLast->FNext = FItemPool;
  FItemPool = FFirst;
  FFirst = NewBucket();
  FFirst->FPriority = FCapacity + 1;
  FLast = FFirst;
  std::fill(FItemsByKey.begin(), FItemsByKey.end(), nullptr);
  FCount = 0;
}

void TSolverCompQueue::Add(int32_t AKey, int32_t APriority) {
  if (APriority < 1 || FClosed) return;
  if (AKey < 1 || AKey > FCapacity) throw std::out_of_range("TSolverCompQueue: key out of range");
  FLast->FPriority = std::max(FLast->FPriority, APriority + 1);

  TSolverCompQueueItem* old = FItemsByKey[AKey];
  if (old != nullptr && old->FPriority <= APriority) return;
  TSolverCompQueueItem* entry = NewItem();
  entry->FKey = AKey;
  if (old != nullptr)
    old->FKey = 0;
  else
    ++FCount;
  FItemsByKey[AKey] = entry;
  entry->FPriority = APriority;

  if (FFirst->FPriority > APriority) {
    TSolverCompQueuePriority* bucket = NewBucket();
    bucket->FPriority = APriority;
    bucket->FItems = entry;
    bucket->FNext = FFirst;
    FFirst = bucket;
    return;
  }
  TSolverCompQueuePriority* bucket = FFirst;
  while (bucket->FNext->FPriority <= APriority) bucket = bucket->FNext;
  if (bucket->FPriority == APriority) {
    entry->FNext = bucket->FItems;
    bucket->FItems = entry;
    return;
  }
  TSolverCompQueuePriority* inserted = NewBucket();
  inserted->FPriority = APriority;
  inserted->FItems = entry;
  inserted->FNext = bucket->FNext;
  bucket->FNext = inserted;
}

int32_t TSolverCompQueue::Extract(int32_t& APriority) {
  while (FFirst != FLast) {
    TSolverCompQueueItem* entry = FFirst->FItems;
    FFirst->FItems = entry->FNext;
    const int32_t key = entry->FKey;
    APriority = entry->FPriority;
    FItemsByKey[key] = nullptr;
    entry->FNext = FItemPool->FItems;
    FItemPool->FItems = entry;

    if (FFirst->FItems == nullptr) {
      TSolverCompQueuePriority* emptied = FFirst;
      FFirst = emptied->FNext;
      emptied->FNext = FBucketPool;
      FBucketPool = emptied;
    }
    if (key != 0) {
      --FCount;
      return key;
    }
  }
  return 0;
}

std::string TSolverCompQueue::ToString() const {
  std::string text;
  for (const TSolverCompQueuePriority* bucket = FFirst; bucket != nullptr; bucket = bucket->FNext) {
    if (bucket->FPriority == FCapacity + 1 && bucket->FNext == nullptr) break;
    // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) inside
    // std::string on the concatenated temporary.
    text += '(';
    text += std::to_string(bucket->FPriority);
    text += ": ";
    for (const TSolverCompQueueItem* item = bucket->FItems; item != nullptr; item = item->FNext) {
      text += std::to_string(item->FKey);
      if (item->FNext != nullptr) text += ", ";
    }
    text += "); ";
  }
  return text;
}

void TSolverCompQueue::Check(const std::string& AExpected, const TSolverCompQueue& AQueue) {
  const std::string result = AQueue.ToString();
  if (result == AExpected) return;
  TSolverControl::ShowError("awaited: " + AExpected + "\r" + "result: " + result);
}

void TSolverCompQueue::SelfTest() {
  TSolverCompQueue q(20);
  int32_t priority = 0;

  for (int32_t key = 1; key <= 5; ++key) q.Add(key, 5);
  Check("(5: 5, 4, 3, 2, 1); ", q);
  q.Add(3, 4);
  q.Add(5, 4);
  Check("(4: 5, 3); (5: 0, 4, 0, 2, 1); ", q);
  q.Add(1, 2);
  q.Add(3, 4);
  Check("(2: 1); (4: 5, 3); (5: 0, 4, 0, 2, 0); ", q);
  q.Add(6, 6);
  q.Add(7, 6);
  Check("(2: 1); (4: 5, 3); (5: 0, 4, 0, 2, 0); (6: 7, 6); ", q);
  q.Add(5, 2);
  Check("(2: 5, 1); (4: 0, 3); (5: 0, 4, 0, 2, 0); (6: 7, 6); ", q);
  q.Add(1, 3);
  q.Add(8, 3);
  Check("(2: 5, 1); (3: 8); (4: 0, 3); (5: 0, 4, 0, 2, 0); (6: 7, 6); ", q);
  q.Add(8, 2);
  q.Add(9, 3);
  Check("(2: 8, 5, 1); (3: 9, 0); (4: 0, 3); (5: 0, 4, 0, 2, 0); (6: 7, 6); ", q);
  q.Add(1, 1);
  Check("(1: 1); (2: 8, 5, 0); (3: 9, 0); (4: 0, 3); (5: 0, 4, 0, 2, 0); (6: 7, 6); ", q);
  q.Extract(priority);
  q.Extract(priority);
  Check("(2: 5, 0); (3: 9, 0); (4: 0, 3); (5: 0, 4, 0, 2, 0); (6: 7, 6); ", q);
  for (int i = 0; i < 3; ++i) q.Add(1, 1);
  const std::string full =
      "(1: 1); (2: 5, 0); (3: 9, 0); (4: 0, 3); (5: 0, 4, 0, 2, 0); (6: 7, 6); ";
  Check(full, q);
  std::unique_ptr<TSolverCompQueue> copy = CreateCopy(q);
  Check(full, *copy);
  while (q.Extract(priority) != 0) continue;
  Check("", q);
}

TSolverCompQueueItem* TSolverCompQueue::NewItem() {
  while (FItemPool->FItems == nullptr) {
    if (FItemPool->FNext == nullptr) return &items_.emplace_back();
    TSolverCompQueuePriority* retired = FItemPool;
    FItemPool = retired->FNext;
    retired->FNext = FBucketPool;
    FBucketPool = retired;
  }
  TSolverCompQueueItem* item = FItemPool->FItems;
  FItemPool->FItems = item->FNext;
  item->FNext = nullptr;
  return item;
}

TSolverCompQueuePriority* TSolverCompQueue::NewBucket() {
  if (FBucketPool == nullptr) return &buckets_.emplace_back();
  TSolverCompQueuePriority* bucket = FBucketPool;
  FBucketPool = bucket->FNext;
  bucket->FNext = nullptr;
  return bucket;
}
