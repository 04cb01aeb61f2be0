// The refit's helper kept off the caller's core, on the cores the process has.
#include "platform/posix/screen/helper_core.h"

#include <gtest/gtest.h>
#include <sched.h>

#include <future>
#include <thread>

TEST(HelperCore, AThreadIsKeptOffTheCallersCoreOnlyAndLetBackOn) {
    cpu_set_t process;
    ASSERT_EQ(sched_getaffinity(0, sizeof process, &process), 0);
    if (CPU_COUNT(&process) < 2) GTEST_SKIP() << "one core: the helper is never started";
    std::promise<void> done;
    std::promise<long> started;
    std::thread other([&] {
        started.set_value(posix::screen::PlaceableThread());
        done.get_future().wait();
    });
    const long thread = started.get_future().get();
    int shunned = -1;
    posix::screen::KeepOffCallersCore(thread, &shunned);
    cpu_set_t allowed;
    EXPECT_EQ(sched_getaffinity(static_cast<pid_t>(thread), sizeof allowed, &allowed), 0);
    ASSERT_GE(shunned, 0);
    EXPECT_FALSE(CPU_ISSET(shunned, &allowed));
    EXPECT_EQ(CPU_COUNT(&allowed), CPU_COUNT(&process) - 1);
    posix::screen::LetOnEveryCore(thread, &shunned);
    EXPECT_EQ(sched_getaffinity(static_cast<pid_t>(thread), sizeof allowed, &allowed), 0);
    EXPECT_TRUE(CPU_EQUAL(&allowed, &process));
    EXPECT_EQ(shunned, -1);  // kept off again at the next refit
    done.set_value();
    other.join();
}
