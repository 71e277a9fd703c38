#include "text/Yielder.h"
#include "support/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qd {
namespace {

using namespace std::chrono_literals;

// A yield whose clock moves only when the test moves it, and counts how often it is read.
class YielderTest : public ::testing::Test {
protected:
    YielderTest() { yield.attach(&host); }
    void calls(int n) {
        for (int i = 0; i < n; ++i)
            yield();
    }

    static constexpr int kEvery = int(Yielder::kCallsPerClockRead);
    Yielder::TimePoint now{};
    int clockReads = 0;
    test::ScriptedHost host;
    Yielder yield{[this] {
        ++clockReads;
        return now;
    }};
};

// --- Events wait for the interval, and the clock is read only every so many calls ---

TEST_F(YielderTest, EventsAreProcessedOnlyOnceTheIntervalHasPassed) {
    const int readsAtStart = clockReads;
    now += 14ms;
    calls(kEvery);
    EXPECT_EQ(clockReads - readsAtStart, 1);
    EXPECT_EQ(host.processEventsCalls, 0); // 14 ms: too early

    now += 1ms;
    calls(kEvery - 1);
    EXPECT_EQ(host.processEventsCalls, 0); // the interval has passed, but the clock is not read
    calls(1);
    EXPECT_EQ(host.processEventsCalls, 1);
    EXPECT_EQ(yield.timesProcessed(), 1u);

    calls(kEvery); // no time passed since
    EXPECT_EQ(host.processEventsCalls, 1);
    now += 1h;
    calls(kEvery);
    EXPECT_EQ(host.processEventsCalls, 2);
    EXPECT_EQ(clockReads - readsAtStart, 6); // four reads by the calls, two after processing
}

TEST_F(YielderTest, ProcessingNowStartsTheIntervalAgain) {
    now += 10ms;
    yield.processNow();
    EXPECT_EQ(host.processEventsCalls, 1);
    now += 10ms; // 20 ms since the start, 10 since events were processed
    calls(kEvery);
    EXPECT_EQ(host.processEventsCalls, 1);
    now += 5ms;
    calls(kEvery);
    EXPECT_EQ(host.processEventsCalls, 2);
}

// Calls counted by the caller and passed on in one reach the host at the very call they would
// have reached it one by one.
TEST_F(YielderTest, CallsPassedOnInOneKeepTheClockReadsInStep) {
    now += 1h;
    calls(5);
    const uint32_t due = yield.callsUntilDue();
    EXPECT_EQ(due, Yielder::kCallsPerClockRead - 5);
    yield.pass(due - 1);
    EXPECT_EQ(host.processEventsCalls, 0);
    calls(1);
    EXPECT_EQ(host.processEventsCalls, 1);
    EXPECT_EQ(yield.callsUntilDue(), Yielder::kCallsPerClockRead);
    yield.setEveryCall(true);
    EXPECT_EQ(yield.callsUntilDue(), 1u);
}

} // namespace
} // namespace qd
