#pragma once
// Yielding to the event loop after every word must cost next to nothing: the clock is read
// only every so many calls, and events are processed only when some milliseconds passed.

#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>

namespace qd {

class Host;

class Yielder {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    // What the yield reads the time from; a test passes one it drives.
    using Clock = std::function<TimePoint()>;
    // The clock is read at every this many calls.
    static constexpr uint32_t kCallsPerClockRead = 256;

    explicit Yielder(Clock clock = std::chrono::steady_clock::now)
        : clock_(std::move(clock)), last_(clock_()) {}

    void attach(Host* host) { host_ = host; }
    Host* host() const { return host_; }

    // Every call reaches the host (tests that stop a run at an exact word use this).
    void setEveryCall(bool every) { everyCall_ = every; }
    void setInterval(std::chrono::milliseconds interval) { interval_ = interval; }

    // The common case, a count and nothing more, stays inline.
    void operator()() {
        if (!everyCall_ && (++calls_ & (kCallsPerClockRead - 1))) return;
        tick();
    }

    // A loop that yields at every step may count its calls itself: of the next callsUntilDue()
    // calls only the last may reach the host, and pass(n) stands for n calls before it.
    uint32_t callsUntilDue() const {
        return everyCall_ ? 1 : kCallsPerClockRead - (calls_ & (kCallsPerClockRead - 1));
    }
    void pass(uint32_t calls) { calls_ += calls; }

    // Processes events now, whatever the time (after a batch of output, before a dialog).
    void processNow();

    // How many times events were processed: a caller that caches something an event handler
    // may change need look again only when this moved.
    uint32_t timesProcessed() const { return processed_; }

private:
    // Every kCallsPerClockRead calls (or every call when asked): reads the clock and
    // processes events when the interval has passed.
    void tick();

    Host* host_ = nullptr;
    bool everyCall_ = false;
    uint32_t calls_ = 0;
    uint32_t processed_ = 0;
    std::chrono::milliseconds interval_{15};
    Clock clock_;
    TimePoint last_;
};

} // namespace qd
