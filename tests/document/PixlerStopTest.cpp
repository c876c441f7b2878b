#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ScriptedPlatform.h"
#include "TestDocument.h"

namespace {

// The command-line tool stops runs from a watcher thread (timeouts, signals).
TEST(PixlerStopTest, AnotherThreadEndsALongRunWithItsPartialPicture) {
  const TRows picture = RandomRows(100, 100, 7);
  auto pixler = NewDocument(picture);
  for (bool* method :
       {&pixler->FUseRow1, &pixler->FUseRow2, &pixler->FUseRow3, &pixler->FUseRow4,
        &pixler->FUseRowRecurse1, &pixler->FUseFieldRecurse1, &pixler->FAllowDeepRecursion})
    *method = true;
  TScriptedPlatform platform;
  std::atomic<bool> done = false;
  // A request made before the run starts is cleared by it, so the stopper
  // asks again until the run has ended.
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    while (!done) {
      pixler->Stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  pixler->SolveStep(true, true, false, nullptr);
  done = true;
  stopper.join();

  const TRows partial = Picture(*pixler);
  int undecided = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (partial[y][x] == '?') {
        ++undecided;
      } else {
        EXPECT_EQ(partial[y][x], picture[y][x]) << x << "," << y;
      }
    }
  }
  EXPECT_GT(undecided, 0);
  // A stopped run is not stuck: the only message is the CPU time.
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text.rfind("Total CPU time taken", 0), 0u);
}

}  // namespace
