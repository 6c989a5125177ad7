// The queue of slow actions: its owner never waits for a running one.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "vxlib/request_queue.h"

namespace {

using namespace std::chrono_literals;
using vxlib::RequestQueue;
using vxlib::SystemRequest;

// Generous: only a queue that waits for its running request exceeds it.
constexpr auto kLimit = 10s;

// Starts a detached thread and tells when it has ended.
struct Threads {
  RequestQueue::Launcher Launcher() {
    return [this](std::function<void()> body) {
      std::thread([body = std::move(body), ended = ended] {
        body();
        ended->set_value();
      }).detach();
      return true;
    };
  }
  std::shared_ptr<std::promise<void>> ended = std::make_shared<std::promise<void>>();
};

// What the performer saw; shared, since it may outlive the test's scope.
struct Performed {
  std::mutex mutex;
  std::vector<std::u16string> targets;
  std::promise<void> started;
  std::promise<void> finish;  // the running request blocks until this is set
};

TEST(RequestQueue, ItsOwnerGoesWhileARequestStillRuns) {
  auto performed = std::make_shared<Performed>();
  std::shared_future<void> finish = performed->finish.get_future().share();
  Threads threads;
  auto ended = threads.ended->get_future();
  auto queue = std::make_unique<RequestQueue>(
      [performed, finish, first = true](SystemRequest, const std::u16string& target) mutable {
        {
          std::lock_guard lock(performed->mutex);
          performed->targets.push_back(target);
        }
        if (std::exchange(first, false)) {
          performed->started.set_value();
          finish.wait();  // a slow "Open" of a network path
        }
      },
      threads.Launcher());
  queue->Submit(SystemRequest::kOpen, u"\\\\server\\share");
  queue->Submit(SystemRequest::kOpen, u"calc.exe");
  ASSERT_EQ(performed->started.get_future().wait_for(kLimit), std::future_status::ready);

  // The owner goes: not blocked by the running request, and the queued one
  // is dropped.
  auto destroyed = std::async(std::launch::async, [&] { queue.reset(); });
  EXPECT_EQ(destroyed.wait_for(kLimit), std::future_status::ready) << "the owner waited for the running request";
  performed->finish.set_value();
  destroyed.wait();
  ASSERT_EQ(ended.wait_for(kLimit), std::future_status::ready) << "the request's thread did not end";
  std::lock_guard lock(performed->mutex);
  EXPECT_EQ(performed->targets, std::vector<std::u16string>{u"\\\\server\\share"});
}

TEST(RequestQueue, RequestsRunInOrderAndNothingWithoutAThread) {
  auto performed = std::make_shared<Performed>();
  {
    Threads threads;
    auto ended = threads.ended->get_future();
    {
      RequestQueue queue(
          [performed](SystemRequest, const std::u16string& target) {
            std::lock_guard lock(performed->mutex);
            performed->targets.push_back(target);
            if (performed->targets.size() == 3) performed->started.set_value();
          },
          threads.Launcher());
      for (const char16_t* t : {u"a", u"b", u"c"}) queue.Submit(SystemRequest::kOpen, t);
      ASSERT_EQ(performed->started.get_future().wait_for(kLimit), std::future_status::ready);
    }
    ASSERT_EQ(ended.wait_for(kLimit), std::future_status::ready);
    EXPECT_EQ(performed->targets, (std::vector<std::u16string>{u"a", u"b", u"c"}));
  }
  // A queue whose thread could not be made keeps nothing.
  RequestQueue idle([](SystemRequest, const std::u16string&) { FAIL() << "performed without a thread"; },
                    [](const std::function<void()>&) { return false; });
  idle.Submit(SystemRequest::kLock, u"");
}

}  // namespace
