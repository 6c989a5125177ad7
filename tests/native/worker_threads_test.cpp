#include "shell/worker_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace tessaro {
namespace {

TEST(WorkerThreads, OwnerWaitsForEveryWorkerAndRefusesWorkAfterwards) {
  std::atomic<int> finished{0};
  {
    WorkerThreads workers;
    // Later starts join the finished ones; the slow ones still run at the end.
    for (int i = 0; i < 20; ++i) {
      ASSERT_TRUE(workers.Start([&finished, i] {
        std::this_thread::sleep_for(std::chrono::milliseconds(i % 2 ? 30 : 0));
        ++finished;
      }));
    }
    workers.JoinAll();
    EXPECT_EQ(finished.load(), 20);
    EXPECT_FALSE(workers.Start([&finished] { ++finished; }));
  }
  EXPECT_EQ(finished.load(), 20);
}

TEST(WorkerThreads, DestructionJoinsWorkStillRunning) {
  std::atomic<bool> done{false};
  {
    WorkerThreads workers;
    workers.Start([&done] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      done = true;
    });
  }
  EXPECT_TRUE(done.load());
}

// A worker that waits for the owner's thread (as one that sends a message
// to the owner's window does) still ends while the owner joins it.
TEST(WorkerThreads, AJoinDoesTheWaitStepUntilWorkersThatNeedItEnd) {
  std::atomic<bool> answered{false};
  WorkerThreads workers;
  ASSERT_TRUE(workers.Start([&answered] {
    while (!answered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }));
  workers.JoinAll([&answered] { answered = true; });
  EXPECT_TRUE(answered.load());
}

}  // namespace
}  // namespace tessaro
