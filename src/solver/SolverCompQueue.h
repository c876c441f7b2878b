#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// One queued key. A key of 0 marks an entry whose key was re-queued with a
// better priority: it stays in its bucket until it reaches the front.
struct TSolverCompQueueItem {
  int32_t FKey = 0;
  int32_t FPriority = 0;
  TSolverCompQueueItem* FNext = nullptr;
};

// All entries of one priority, newest first.
struct TSolverCompQueuePriority {
  int32_t FPriority = 0;
  TSolverCompQueueItem* FItems = nullptr;
  TSolverCompQueuePriority* FNext = nullptr;
};

// Priority queue over the keys 1..FCapacity: the lowest priority comes out
// first, and among equal priorities the key added last. A key is queued at
// most once; re-adding it keeps the better priority. Entries and buckets are
// recycled through two pools, so after warm-up nothing is allocated.
class TSolverCompQueue {
 public:
  explicit TSolverCompQueue(int32_t ACapacity);
  TSolverCompQueue(const TSolverCompQueue&) = delete;
  TSolverCompQueue& operator=(const TSolverCompQueue&) = delete;

  // A queue that extracts the same keys in the same order as ASource.
  static std::unique_ptr<TSolverCompQueue> CreateCopy(const TSolverCompQueue& ASource);

  void Clear();
  // Ignores a priority below 1, so an owner may pass a count of undecided
  // cells directly and a finished line is never queued. Throws
  // std::out_of_range for a key outside 1..FCapacity.
  void Add(int32_t AKey, int32_t APriority);
  // The key with the lowest priority, or 0 when nothing live is queued.
  int32_t Extract(int32_t& APriority);

  // "(priority: key, key); " for every bucket, dead entries as 0; the tail is
  // left out while its priority is still FCapacity + 1.
  std::string ToString() const;

  static void Check(const std::string& AExpected, const TSolverCompQueue& AQueue);
  static void SelfTest();

  bool FClosed = false;
  int32_t FCapacity = 0;
  int32_t FCount = 0;
  TSolverCompQueuePriority* FFirst = nullptr;
  // Always the last bucket of the chain; holds no entries and a priority
  // above every other bucket's, so it ends every walk.
  TSolverCompQueuePriority* FLast = nullptr;
  std::vector<TSolverCompQueueItem*> FItemsByKey;
  // Retired buckets whose entries are free for reuse.
  TSolverCompQueuePriority* FItemPool = nullptr;
  TSolverCompQueuePriority* FBucketPool = nullptr;

 private:
  TSolverCompQueueItem* NewItem();
  TSolverCompQueuePriority* NewBucket();

  // Owns every entry and bucket; the links above only point into these.
  // A deque never moves its elements when it grows.
  std::deque<TSolverCompQueueItem> items_;
  std::deque<TSolverCompQueuePriority> buckets_;
};
