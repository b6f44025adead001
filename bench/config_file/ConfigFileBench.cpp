// The user's settings file at its largest: what the host's start (reading it)
// and exit (one write of what the panes stored) cost with a file of 30 MB,
// and what a file with an entry nested 200,000 levels deep costs.
//
// (a) Reading 30 MB: one object of 1,500,000 members, or 150 objects of
//     1,000 texts of 200 characters. Target: about a second.
// (b) One write into the 30 MB file, as at the exit. Target: about a second.
// (c) Reading a small file whose one entry is nested 200,000 levels deep
//     (left out). Target: well under a second.
#include "BenchMain.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <pelmora/EditorConfig.h>
#include <string>
#include <unistd.h>
#include <wx/init.h>
#include <wx/log.h>

namespace {

std::string Folder()
{
    static const std::string folder = [] {
        char name[] = "/tmp/config-file-bench-XXXXXX";
        return std::string(mkdtemp(name));
    }();
    return folder;
}

// One object of that many members "k<n>": <n>.
std::string WideFile(int members)
{
    const std::string path = Folder() + "/wide.conf";
    std::ofstream out(path);
    out << R"({"longValues": {"NoticeStartShow": 0}, "objects": {"Wide": {)";
    for(int i = 0; i < members; ++i) {
        out << (i ? ", " : "") << "\"k" << i << "\": " << i;
    }
    out << "}}}\n";
    return path;
}

// Objects of texts, as years of chart and order-dialog states leave them.
std::string ManyObjectsFile(int objects, int members)
{
    const std::string path = Folder() + "/objects.conf";
    const std::string text(200, 'x');
    std::ofstream out(path);
    out << R"({"longValues": {"NoticeStartShow": 0}, "objects": {)";
    for(int o = 0; o < objects; ++o) {
        out << (o ? ", " : "") << "\"Filler." << o << "\": {";
        for(int i = 0; i < members; ++i) {
            out << (i ? ", " : "") << "\"k" << i << "\": \"" << text << '"';
        }
        out << '}';
    }
    out << "}}\n";
    return path;
}

std::string DeepFile(int levels)
{
    const std::string path = Folder() + "/deep.conf";
    std::ofstream out(path);
    out << R"({"longValues": {"NoticeStartShow": 0}, "objects": {"Deep": )";
    for(int i = 0; i < levels; ++i) {
        out << "{\"a\": ";
    }
    out << 1 << std::string(static_cast<std::size_t>(levels), '}') << "}}\n";
    return path;
}

void Read(benchmark::State& state, const std::string& path)
{
    wxLogNull quiet;
    for(auto _ : state) {
        EditorConfig config(path);
        long value = 1;
        benchmark::DoNotOptimize(config.GetLongValue("NoticeStartShow", value));
    }
}

void BM_ReadOneObjectOf1500000Members(benchmark::State& state)
{
    Read(state, WideFile(1500000));
}
BENCHMARK(BM_ReadOneObjectOf1500000Members)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Read150ObjectsOf1000Texts(benchmark::State& state)
{
    Read(state, ManyObjectsFile(150, 1000));
}
BENCHMARK(BM_Read150ObjectsOf1000Texts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExitWriteInto150ObjectsOf1000Texts(benchmark::State& state)
{
    const std::string path = ManyObjectsFile(150, 1000);
    EditorConfig config(path);
    long n = 0;
    for(auto _ : state) {
        EditorConfig::SaveBatch batch(config);
        config.SaveLongValue("Counter", ++n);
    }
}
BENCHMARK(BM_ExitWriteInto150ObjectsOf1000Texts)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadAnEntryNested200000Deep(benchmark::State& state)
{
    const std::string path = DeepFile(200000);
    Read(state, path);
}
BENCHMARK(BM_ReadAnEntryNested200000Deep)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, [] {
        std::remove((Folder() + "/wide.conf").c_str());
        std::remove((Folder() + "/objects.conf").c_str());
        std::remove((Folder() + "/deep.conf").c_str());
        rmdir(Folder().c_str());
    });
}
