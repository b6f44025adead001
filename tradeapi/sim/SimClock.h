#pragma once
// The market's clock: the system clock plus an offset that tests move through
// the admin API, so time-dependent behaviour needs no sleeping.
#include <chrono>
#include <cstdint>
#include <ctime>
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
    // "%Y-%m-%d %H:%M:%S" in local time, the form of the HTTP services.
    static std::string DashedDateTimeText(int64_t ms);
    // Parses "%Y-%m-%d %H:%M:%S" (local time); -1 when malformed.
    static int64_t ParseDashedDateTime(const std::string& text);

private:
    // The fields as read (full year, month from 1) as milliseconds; -1 for
    // a date that does not exist or lies before 1970.
    static int64_t FromLocal(std::tm local);

    int64_t m_offsetMs = 0;
};

} // namespace simmarket
