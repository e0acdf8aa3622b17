#pragma once
// Protection against CTCP floods: answered requests are counted, and a periodic check switches
// answering off for a while when the count reaches the threshold of the chosen level.
#include <cstdint>
#include <functional>
#include <string>

namespace korbi::commands {

// Milliseconds of a clock that never jumps (not the time of day, which restarts at midnight).
using MonotonicClock = std::function<std::int64_t()>;
std::int64_t SteadyMilliseconds();

// Requests allowed before the check starts ignoring: 10 - level / 2 (level 3 gives 8.5).
double FloodThreshold(int level);

// The description of a flood level shown beside the level slider; lines are separated by CR.
std::string ChangeFloodText(int level);

class FloodProtection {
  public:
    // An ignore period lasts until the first counted request after this long.
    static constexpr std::int64_t IgnorePeriodMs = 20000;
    // After this long without an answered request the count starts again from 0, so requests
    // spread over hours do not add up to a flood.
    static constexpr std::int64_t QuietRestartMs = 20000;

    explicit FloodProtection(MonotonicClock clock = SteadyMilliseconds);

    // The periodic check. Returns true when it began an ignore period.
    bool Tick(int level);
    // Called for every request that may be ignored, before it is answered. Returns true when
    // the ignore period was over and has ended now. At a level whose threshold is 0 or less no
    // request is ever answered, so the period does not end then.
    bool EndExpiredIgnore(int level);
    // One more request answered.
    void CountAnswered();

    bool IgnoreCTCPs() const { return m_IgnoreCTCPs; }
    int NumCTCPs() const { return m_NumCTCPs; }

  private:
    MonotonicClock m_clock;
    int m_NumCTCPs = 0;
    bool m_IgnoreCTCPs = false;
    std::int64_t m_IgnoreCTCP_start = 0;
    std::int64_t m_lastAnswered = 0;
};

} // namespace korbi::commands
