// Unit tests of the synchronisation wrappers: spin count, handles and the
// emulated condition variable, and the futex section of the bucket pool.
#include "KorBasicTypes/korsync.h"
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

TEST(KorSync, SpinCountComesFromText) {
  EXPECT_EQ(korSpinCountFromText(nullptr), 0);
  EXPECT_EQ(korSpinCountFromText("4000"), 4000);
  EXPECT_EQ(korSpinCountFromText("-1"), 0);
  EXPECT_EQ(korSpinCountFromText("12abc"), 12);
  EXPECT_EQ(korSpinCountFromText("abc"), 0);
  EXPECT_EQ(KorCriticalSection(-5).spinCount(), 0);
}

TEST(KorSyncDeathTest, ConditionSpinsAsKorSpinCountSays) {
  // A fresh process each, since the variable is read once per process.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto spinOf = [](const char *value) {
    if (value)
      setenv("KOR_SPIN_COUNT", value, 1);
    else
      unsetenv("KOR_SPIN_COUNT");
    KorCondition condition;
    std::exit(condition.spinCount());
  };
  EXPECT_EXIT(spinOf("4000"), testing::ExitedWithCode(4000 % 256), "");
  EXPECT_EXIT(spinOf("77"), testing::ExitedWithCode(77), "");
  EXPECT_EXIT(spinOf("-1"), testing::ExitedWithCode(0), "");
  EXPECT_EXIT(spinOf(nullptr), testing::ExitedWithCode(0), "");
}

TEST(KorSync, CriticalSectionIsRecursive) {
  KorCriticalSection section(100);
  section.enter();
  EXPECT_TRUE(section.tryEnter());
  section.leave();
  std::atomic<bool> otherGotIt{true};
  std::thread([&] { otherGotIt = section.tryEnter(); }).join();
  EXPECT_FALSE(otherGotIt);
  section.leave();
  std::thread([&] {
    otherGotIt = section.tryEnter();
    if (otherGotIt)
      section.leave();
  }).join();
  EXPECT_TRUE(otherGotIt);
}

TEST(KorSync, FutexSectionExcludesNestsAndWakesSleepers) {
  // Two threads each add to a plain counter inside a nested entry: any lost
  // update shows in the total.
  KorFutexSection section;
  long counter = 0;
  auto add = [&] {
    for (int i = 0; i < 200000; ++i) {
      KorLock outer(section);
      KorLock inner(section);
      ++counter;
    }
  };
  std::thread other(add);
  add();
  other.join();
  EXPECT_EQ(counter, 400000);

  // A contender that finds the section held for long goes to sleep and is
  // woken when the holder leaves.
  std::atomic<bool> contenderStarted{false};
  bool holderDone = false;
  bool contenderSawHolderDone = false;
  section.enter();
  std::thread contender([&] {
    contenderStarted = true;
    KorLock guard(section);
    contenderSawHolderDone = holderDone;
  });
  while (!contenderStarted)
    std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  holderDone = true;
  section.leave();
  contender.join();
  EXPECT_TRUE(contenderSawHolderDone);
}

TEST(KorSync, MutexHandleLifecycle) {
  KorMutex mutex;
  EXPECT_TRUE(mutex.isNull());
  EXPECT_FALSE(mutex.lockChecked());
  EXPECT_FALSE(mutex.unlockChecked());
  EXPECT_FALSE(mutex.closeIfOpen());
  EXPECT_TRUE(mutex.create());
  EXPECT_FALSE(mutex.create()) << "already holds a handle";
  EXPECT_FALSE(mutex.createNamed("kortest"));
  EXPECT_FALSE(mutex.unlockChecked()) << "not owned";
  EXPECT_TRUE(mutex.lockChecked());
  EXPECT_TRUE(korTryWait(mutex.handle())) << "recursive for the owner";
  bool otherGotIt = true;
  std::thread([&] { otherGotIt = korTimedWait(mutex.handle(), 0.001); }).join();
  EXPECT_FALSE(otherGotIt);
  EXPECT_TRUE(mutex.unlockChecked());
  mutex.unlock();
  EXPECT_TRUE(mutex.closeIfOpen());
  EXPECT_TRUE(mutex.isNull());
}

TEST(KorSync, NamedMutexIsSharedByName) {
  std::string name = "kortest-sync-" + std::to_string(getpid());
  KorMutex missing;
  EXPECT_FALSE(missing.openNamed(name.c_str()));
  KorMutex owner, opener;
  ASSERT_TRUE(owner.createNamed(name.c_str()));
  ASSERT_TRUE(opener.openNamed(name.c_str()));
  EXPECT_FALSE(opener.openNamed(name.c_str())) << "already holds a handle";
  owner.lock();
  EXPECT_FALSE(korTryWait(opener.handle())) << "held through the other handle";
  owner.unlock();
  EXPECT_TRUE(korWait(opener.handle()));
  opener.unlock();
  owner.closeAndClear();
  opener.close();
  EXPECT_TRUE(owner.isNull());
  sem_unlink(("/" + name).c_str());
}

TEST(KorSync, EventsAndSemaphores) {
  KorEvent event;
  EXPECT_TRUE(event.create());
  EXPECT_FALSE(korTryWait(event.handle())) << "created not signalled";
  EXPECT_FALSE(korTimedWait(event.handle(), 0.0));
  event.set();
  EXPECT_TRUE(korWait(event.handle()));
  EXPECT_TRUE(korTryWait(event.handle())) << "manual reset stays set";
  event.reset();
  EXPECT_FALSE(korTryWait(event.handle()));

  KorEventHandle autoReset(false, true);
  EXPECT_TRUE(korTryWait(&autoReset));
  EXPECT_FALSE(korTryWait(&autoReset)) << "auto reset consumed";

  KorSemaphoreHandle semaphore(0, 2);
  EXPECT_FALSE(semaphore.release(3)) << "beyond the maximum";
  EXPECT_TRUE(semaphore.release(2));
  EXPECT_FALSE(semaphore.release(1));
  EXPECT_TRUE(korTryWait(&semaphore));
  EXPECT_TRUE(korTryWait(&semaphore));
  EXPECT_FALSE(korTryWait(&semaphore));
  EXPECT_FALSE(korWait(nullptr));
}

namespace {
/// Threads that wait on a condition until `go` is set, counting wake-ups.
struct Waiters {
  KorMutex mutex;
  KorCondition condition;
  int waiting = 0;
  int woken = 0;
  bool go = false;
  std::vector<std::thread> threads;

  explicit Waiters(int count) {
    mutex.create();
    for (int i = 0; i < count; ++i)
      threads.emplace_back([this] {
        mutex.lock();
        ++waiting;
        while (!go)
          condition.wait(mutex);
        ++woken;
        mutex.unlock();
      });
  }
  /// Waits until every thread sits in the condition.
  void untilAllWait(int count) {
    for (;;) {
      mutex.lock();
      bool all = waiting == count && condition.waiters() == count;
      mutex.unlock();
      if (all)
        return;
      std::this_thread::yield();
    }
  }
  int wokenNow() {
    mutex.lock();
    int n = woken;
    mutex.unlock();
    return n;
  }
  ~Waiters() {
    for (auto &t : threads)
      t.join();
  }
};
} // namespace

TEST(KorSync, ConditionSignalWakesOneAndBroadcastTheRest) {
  Waiters waiters(4);
  waiters.untilAllWait(4);
  waiters.mutex.lock();
  waiters.go = true;
  waiters.condition.signal();
  waiters.mutex.unlock();
  while (waiters.wokenNow() < 1)
    std::this_thread::yield();
  waiters.mutex.lock();
  EXPECT_EQ(waiters.condition.waiters(), 3);
  waiters.condition.broadcast();
  EXPECT_EQ(waiters.condition.waiters(), 0) << "all acknowledged";
  waiters.mutex.unlock();
  while (waiters.wokenNow() < 4)
    std::this_thread::yield();
  waiters.condition.broadcast(); // nobody waits: returns at once
  waiters.condition.signal();
}
