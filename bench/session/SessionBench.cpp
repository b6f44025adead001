// The whole program under a price flood, as a trader runs it: simmarketd and
// the real host with the plug-in, logged in to the demo account with its
// default pages, the walk set before the host starts. Over a window of ten
// seconds from five seconds after the login and the first chart it reports:
//   cpu_pct          the host's CPU time, percent of one core
//   gui_wakeups_s    times per second the GUI thread woke up
//   status_gap_ms    the longest gap between two seconds of the status
//                    clock ("status 6" trace lines: the 500 ms timer writes
//                    each new second once), window edges included;
//   status_late_ms   the same less a second: how late the clock moved on
//   chart_lag_ms     mean and max: from a price set through the admin API to
//                    the chart's first trace line showing it (a jump of 2 %,
//                    once a second, so the walk cannot hide it)
//   login_ms         from the host's exec to "refresh views" (the data known)
// The argument is the walk: pushes per second per symbol (0: idle).
// Run under a display of its own: xvfb-run -a build/bench/bench_session
#include "HostProcess.h"
#include "SimProcess.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLoginLimitMs = 60000;
// Past what a login starts once: the bulletins' box, the first account line.
constexpr int kSettleMs = 5000;
constexpr int kWindowMs = 10000;
constexpr int kMarkerEveryMs = 1000;
constexpr int kMarkerLimitMs = 5000;
constexpr double kMarkerJump = 0.02;
constexpr long long kClockPeriodMs = 1000;

long long MonotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The host's trace, read as it grows.
class TraceFollower
{
public:
    struct Line
    {
        long long stamp; // ms since the host started
        std::string text;
    };

    explicit TraceFollower(std::string path) : m_path(std::move(path)) {}

    // Reads the lines written since the last call.
    void Poll()
    {
        std::ifstream in(m_path);
        in.seekg(m_offset);
        std::string line;
        while(std::getline(in, line)) {
            if(in.eof()) {
                break; // a line still being written
            }
            m_offset += static_cast<std::streamoff>(line.size() + 1);
            const size_t space = line.find(' ');
            if(space == std::string::npos) {
                continue;
            }
            m_lines.push_back({std::atoll(line.c_str()), line.substr(space + 1)});
            long long start = 0;
            if(m_clockStart < 0 && std::sscanf(m_lines.back().text.c_str(), "clock %lld", &start) == 1) {
                m_clockStart = start;
            }
        }
    }
    const std::vector<Line>& Lines() const { return m_lines; }
    // The host's start on the monotonic clock; -1 before the first line.
    long long ClockStart() const { return m_clockStart; }
    // The first line from `from` on that matches, polling until the time is up.
    std::optional<size_t> WaitFor(const std::regex& pattern, int timeoutMs, size_t from = 0)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for(;;) {
            Poll();
            for(size_t i = from; i < m_lines.size(); ++i) {
                if(std::regex_search(m_lines[i].text, pattern)) {
                    return i;
                }
            }
            if(Clock::now() > deadline) {
                return std::nullopt;
            }
            SleepMs(5);
        }
    }

private:
    std::string m_path;
    std::streamoff m_offset = 0;
    std::vector<Line> m_lines;
    long long m_clockStart = -1;
};

// CPU time of every thread of the process, in nanoseconds.
long long ProcessCpuNs(pid_t pid)
{
    long long total = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if(!dir) {
        return -1;
    }
    while(dirent* entry = readdir(dir)) {
        if(entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream in(tasks + "/" + entry->d_name + "/schedstat");
        long long ns = 0;
        if(in >> ns) {
            total += ns;
        }
    }
    closedir(dir);
    return total;
}

// Context switches of the main (GUI) thread: each wake-up ends one.
long long GuiThreadSwitches(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/status");
    long long total = 0;
    for(std::string line; std::getline(in, line);) {
        if(line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
           line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
            total += std::atoll(line.c_str() + line.find(':') + 1);
        }
    }
    return total;
}

struct Symbol
{
    int id = 0;
    int digits = 0;
    double last = 0.0;
};

std::optional<Symbol> FindSymbol(const SimProcess& market, const std::string& code)
{
    const nlohmann::json state = market.State();
    if(!state.is_object() || !state.contains("prices")) {
        return std::nullopt;
    }
    for(const auto& price : state["prices"]) {
        if(price.value("code", "") == code) {
            return Symbol{price.value("symbol", 0), price.value("digits", 0), price.value("last", 0.0)};
        }
    }
    return std::nullopt;
}

std::string PriceText(double price, int digits)
{
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(std::max(digits, 0));
    text << price;
    return text.str();
}

void BM_Session(benchmark::State& state)
{
    const int walk = static_cast<int>(state.range(0));
    for(auto _ : state) {
        SimProcess market;
        market.Post("/admin/walk?rate=" + std::to_string(walk));
        HostProcess host(market);
        const long long execMs = MonotonicMs();
        host.Start({"--login", "Demo,demo,demo123", "--exit-after", "300", "--trace-mask", "chart"});
        TraceFollower trace(host.TracePath());

        const auto login = trace.WaitFor(std::regex(R"(^bus 11111 Demo\|demo$)"), kLoginLimitMs);
        if(!login) {
            state.SkipWithError("the host did not log in within 60 s");
            return;
        }
        const std::regex chartLine(R"(^trace chart (\S+) (\S+)$)");
        // The chart may be drawn before the login's refresh; at walk 0 it
        // is not drawn again.
        const auto firstChart = trace.WaitFor(chartLine, kLoginLimitMs);
        if(!firstChart) {
            std::fprintf(stderr, "%s\n", host.Describe().c_str());
            state.SkipWithError("no chart was drawn within 60 s of the login");
            return;
        }
        std::smatch match;
        std::regex_search(trace.Lines()[*firstChart].text, match, chartLine);
        const std::string code = match[1];
        SleepMs(kSettleMs);

        const pid_t pid = host.Pid();
        trace.Poll();
        const long long windowStart = MonotonicMs() - trace.ClockStart();
        const size_t firstLine = trace.Lines().size();
        const long long cpuStart = ProcessCpuNs(pid);
        const long long switchesStart = GuiThreadSwitches(pid);

        std::vector<long long> lags;
        int direction = 1;
        while(MonotonicMs() - trace.ClockStart() < windowStart + kWindowMs) {
            const long long markerDue = MonotonicMs() + kMarkerEveryMs;
            if(walk > 0) {
                const std::optional<Symbol> symbol = FindSymbol(market, code);
                if(symbol) {
                    const double jump = symbol->last * kMarkerJump;
                    const double marker =
                        std::round((symbol->last + direction * jump) * std::pow(10.0, symbol->digits)) /
                        std::pow(10.0, symbol->digits);
                    direction = -direction;
                    trace.Poll();
                    const size_t from = trace.Lines().size();
                    const long long sent = MonotonicMs() - trace.ClockStart();
                    market.Post("/admin/price?symbol=" + std::to_string(symbol->id) +
                                "&price=" + PriceText(marker, symbol->digits));
                    const std::regex shown("^trace chart " + code + " ");
                    long long lag = kMarkerLimitMs;
                    for(size_t at = from;;) {
                        const auto line = trace.WaitFor(shown, kMarkerLimitMs, at);
                        if(!line) {
                            break;
                        }
                        const TraceFollower::Line& found = trace.Lines()[*line];
                        const double price = std::atof(found.text.c_str() + found.text.rfind(' ') + 1);
                        if(std::fabs(price - marker) < jump / 2) {
                            lag = std::max(0LL, found.stamp - sent);
                            break;
                        }
                        at = *line + 1;
                        if(MonotonicMs() - trace.ClockStart() > sent + kMarkerLimitMs) {
                            break;
                        }
                    }
                    lags.push_back(lag);
                }
            }
            SleepMs(static_cast<int>(std::max(0LL, markerDue - MonotonicMs())));
        }
        const long long windowEnd = MonotonicMs() - trace.ClockStart();
        const long long cpuEnd = ProcessCpuNs(pid);
        const long long switchesEnd = GuiThreadSwitches(pid);
        trace.Poll();

        long long previous = windowStart;
        long long longestGap = 0;
        for(size_t i = firstLine; i < trace.Lines().size(); ++i) {
            const TraceFollower::Line& line = trace.Lines()[i];
            if(line.stamp > windowEnd || line.text.rfind("status 6 ", 0) != 0) {
                continue;
            }
            longestGap = std::max(longestGap, line.stamp - previous);
            previous = line.stamp;
        }
        longestGap = std::max(longestGap, windowEnd - previous);

        const double seconds = static_cast<double>(windowEnd - windowStart) / 1000.0;
        state.SetIterationTime(seconds);
        state.counters["cpu_pct"] = static_cast<double>(cpuEnd - cpuStart) / 1e7 / seconds;
        state.counters["gui_wakeups_s"] = static_cast<double>(switchesEnd - switchesStart) / seconds;
        state.counters["status_gap_ms"] = static_cast<double>(longestGap);
        state.counters["status_late_ms"] = static_cast<double>(std::max(0LL, longestGap - kClockPeriodMs));
        state.counters["login_ms"] =
            static_cast<double>(trace.ClockStart() + trace.Lines()[*login].stamp - execMs);
        if(!lags.empty()) {
            double sum = 0;
            for(long long lag : lags) {
                sum += static_cast<double>(lag);
            }
            state.counters["chart_lag_mean_ms"] = sum / static_cast<double>(lags.size());
            state.counters["chart_lag_max_ms"] =
                static_cast<double>(*std::max_element(lags.begin(), lags.end()));
        }
    }
}
BENCHMARK(BM_Session)
    ->ArgName("walk")
    ->Arg(0)
    ->Arg(20)
    ->Arg(100)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    // The build tree this program belongs to, unless the caller names one.
    setenv("TESSRIN_BUILD_DIR", TESSRIN_BENCH_BUILD_DIR, 0);
    setenv("TESSRIN_SOURCE_DIR", TESSRIN_BENCH_SOURCE_DIR, 0);
    if(!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "no display: run under xvfb-run -a\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if(benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
