#pragma once
// The main of a benchmark without windows: wx's base library initialised,
// Google Benchmark's flags read (an unknown one refused, as its own main
// does) and every benchmark run. `done` runs after them, wx still up.
//
//     int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <wx/init.h>

inline int RunBenchmarks(int& argc, char** argv, const std::function<void()>& done = {})
{
    wxInitializer wx;
    if(!wx.IsOk()) {
        std::fprintf(stderr, "wx did not initialise\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if(benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if(done) {
        done();
    }
    return 0;
}
