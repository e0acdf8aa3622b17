#include "commands/flood_protection.h"

#include "platform/text_values.h"

#include <chrono>
#include <utility>

namespace korbi::commands {

std::int64_t SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

double FloodThreshold(int level) {
    return 10.0 - level / 2.0;
}

std::string ChangeFloodText(int level) {
    const std::string rate =
        "\r(" + platform::NumberText(FloodThreshold(level)) + " ctcps / seconds)";
    if (level == 1) {
        return "NO Flood Proctection !";
    }
    if (level >= 2 && level <= 4) {
        return "Lame Flood Protection" + rate;
    }
    if (level >= 5 && level <= 9) {
        return "Low Flood Protection" + rate;
    }
    if (level >= 10 && level <= 11) {
        return "Fair Flood Protection" + rate;
    }
    if (level >= 12 && level <= 15) {
        return "Good Flood Protection" + rate;
    }
    if (level >= 16 && level <= 18) {
        return "High Flood Protection" + rate;
    }
    if (level == 19) {
        return "Panic Flood Protection" + rate;
    }
    if (level == 20) {
        return "All CTCPs ignored";
    }
    return "Unknow Flood Protection !?!\r(Prepare bug report...)";
}

FloodProtection::FloodProtection(MonotonicClock clock)
    : m_clock(clock ? std::move(clock) : MonotonicClock(SteadyMilliseconds)) {}

bool FloodProtection::Tick(int level) {
    if (m_IgnoreCTCPs) {
        return false;
    }
    const std::int64_t now = m_clock();
    if (m_NumCTCPs >= FloodThreshold(level)) {
        m_IgnoreCTCPs = true;
        m_IgnoreCTCP_start = now;
        m_NumCTCPs = 0;
        return true;
    }
    if (m_NumCTCPs > 0 && now - m_lastAnswered > QuietRestartMs) {
        m_NumCTCPs = 0;
    }
    return false;
}

bool FloodProtection::EndExpiredIgnore(int level) {
    if (!m_IgnoreCTCPs || FloodThreshold(level) <= 0) {
        return false;
    }
    if (m_clock() - m_IgnoreCTCP_start <= IgnorePeriodMs) {
        return false;
    }
    m_IgnoreCTCPs = false;
    m_IgnoreCTCP_start = 0;
    return true;
}

void FloodProtection::CountAnswered() {
    ++m_NumCTCPs;
    m_lastAnswered = m_clock();
}

} // namespace korbi::commands
