// Unit tests of the synchronisation wrappers: spin count, sections, handles
// and the emulated condition variable. The futex section is driven by the
// bucket pool's two-thread test.
#include "KorBasicTypes/korsync.h"
#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

TEST(KorSync, SpinCountComesFromTextOrKorSpinCount) {
  EXPECT_EQ(std::vector<int>({korSpinCountFromText(nullptr),
                              korSpinCountFromText("4000"),
                              korSpinCountFromText("-1"),
                              korSpinCountFromText("12abc"),
                              korSpinCountFromText("abc"),
                              KorCriticalSection(-5).spinCount()}),
            std::vector<int>({0, 4000, 0, 12, 0, 0}));
}

TEST(KorSyncDeathTest, ConditionSpinsAsKorSpinCountSays) {
  // A fresh process, since the variable is read once per process.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT((setenv("KOR_SPIN_COUNT", "77", 1), std::exit(KorCondition().spinCount())),
              testing::ExitedWithCode(77), "");
}

TEST(KorSync, CriticalSectionsExcludeOtherThreadsAndNest) {
  KorCriticalSection section(100);
  section.enter();
  EXPECT_TRUE(section.tryEnter());
  section.leave();
  std::atomic<bool> otherGotIt{true};
  std::thread([&] { otherGotIt = section.tryEnter(); }).join();
  EXPECT_FALSE(otherGotIt);
  section.leave();
}

TEST(KorSync, MutexHandlesLockRecursivelyAndAreSharedByName) {
  KorMutex mutex;
  EXPECT_FALSE(!mutex.isNull() || mutex.lockChecked() ||
               mutex.unlockChecked() || mutex.closeIfOpen());
  EXPECT_TRUE(mutex.create());
  EXPECT_FALSE(mutex.create() || mutex.unlockChecked()) << "not owned";
  EXPECT_TRUE(mutex.lockChecked() && korTryWait(mutex.handle()))
      << "recursive for the owner";
  bool otherGotIt = true;
  std::thread([&] { otherGotIt = korTimedWait(mutex.handle(), 0.001); }).join();
  EXPECT_FALSE(otherGotIt);
  EXPECT_TRUE(mutex.unlockChecked());
  mutex.unlock();

  std::string name = "kortest-sync-" + std::to_string(getpid());
  KorMutex owner, opener;
  EXPECT_FALSE(opener.openNamed(name.c_str()));
  ASSERT_TRUE(owner.createNamed(name.c_str()));
  ASSERT_TRUE(opener.openNamed(name.c_str()));
  owner.lock();
  EXPECT_FALSE(korTryWait(opener.handle())) << "held through the other handle";
  owner.unlock();
  EXPECT_TRUE(korWait(opener.handle()));
  opener.unlock();
  owner.closeAndClear();
  opener.close();
  sem_unlink(("/" + name).c_str());
}

TEST(KorSync, EventsAndSemaphores) {
  KorEvent event;
  EXPECT_FALSE(!event.create() || korTryWait(event.handle()) ||
               korTimedWait(event.handle(), 0.0))
      << "created not signalled";
  event.set();
  EXPECT_TRUE(korWait(event.handle()) && korTryWait(event.handle()))
      << "manual reset stays set";
  event.reset();
  EXPECT_FALSE(korTryWait(event.handle()));
  KorEventHandle autoReset(false, true);
  EXPECT_TRUE(korTryWait(&autoReset) && !korTryWait(&autoReset))
      << "auto reset consumed";
  KorSemaphoreHandle semaphore(0, 2);
  EXPECT_FALSE(semaphore.release(3)) << "beyond the maximum";
  EXPECT_TRUE(semaphore.release(2) && !semaphore.release(1));
  EXPECT_TRUE(korTryWait(&semaphore) && korTryWait(&semaphore));
  EXPECT_FALSE(korTryWait(&semaphore) || korWait(nullptr));
}

TEST(KorSync, ConditionSignalWakesOneAndBroadcastTheRest) {
  KorMutex mutex;
  KorCondition condition;
  int woken = 0;
  bool go = false;
  mutex.create();
  auto waitUntil = [&](auto done) {
    for (mutex.lock(); !done(); mutex.lock()) {
      mutex.unlock();
      std::this_thread::yield();
    }
  }; // returns with the mutex held
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([&] {
      mutex.lock();
      while (!go)
        condition.wait(mutex);
      ++woken;
      mutex.unlock();
    });
  waitUntil([&] { return condition.waiters() == 4; });
  go = true;
  condition.signal();
  mutex.unlock();
  waitUntil([&] { return woken == 1; });
  EXPECT_EQ(condition.waiters(), 3);
  condition.broadcast();
  EXPECT_EQ(condition.waiters(), 0) << "all acknowledged";
  mutex.unlock();
  for (auto &t : threads)
    t.join();
  EXPECT_EQ(woken, 4);
}
