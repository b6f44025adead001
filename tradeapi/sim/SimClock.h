#pragma once
// The market's clock: the system clock plus an offset that tests move through
// the admin API, so time-dependent behaviour needs no sleeping.
#include <chrono>
#include <cstdint>
#include <string>

namespace simmarket {

class SimClock
{
public:
    virtual ~SimClock() = default;
    // Milliseconds since 1970 as the market sees them.
    virtual int64_t NowMs() const
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() + m_offsetMs;
    }
    void SetOffsetMs(int64_t offset) { m_offsetMs = offset; }
    int64_t OffsetMs() const { return m_offsetMs; }

    // Local-time texts of a time: "%Y%m%d", "%H%M%S", "%Y%m%dT%H%M%S".
    static std::string DateText(int64_t ms);
    static std::string TimeText(int64_t ms);
    static std::string DateTimeText(int64_t ms);
    // Parses "%Y%m%dT%H%M%S" (local time); -1 when malformed.
    static int64_t ParseDateTime(const std::string& text);

private:
    int64_t m_offsetMs = 0;
};

} // namespace simmarket
