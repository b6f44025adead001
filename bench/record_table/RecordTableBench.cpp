// Speed of the record table on a small record with an int primary key and a
// text non-unique index, with two action observers and one commit observer.
#include "db/CObjectFactory.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index/ordered_index.hpp>
#include <cstdint>
#include <random>
#include <vector>
#include <wx/string.h>

struct BenchRow
{
    int id = 0;
    wxString name;
    int value = 0;
    double price = 0.0;
    uint32_t refreshSerial = 0;
};

template <> struct RecordContainer<BenchRow>
{
    using type = boost::multi_index_container<
        BenchRow,
        boost::multi_index::indexed_by<
            boost::multi_index::hashed_unique<boost::multi_index::member<BenchRow, int, &BenchRow::id>>,
            boost::multi_index::ordered_non_unique<
                boost::multi_index::member<BenchRow, wxString, &BenchRow::name>>>>;
};

namespace {

using BenchTable = CObjectFactory<BenchRow>;

class CountingActionObserver : public CActionTrigger<BenchRow>
{
public:
    void afterAdd(const BenchRow&, CTransaction*, void*) override { ++m_calls; }
    bool beforeUpdate(const BenchRow&, const BenchRow&, CTransaction*, void*) override
    {
        ++m_calls;
        return true;
    }
    void afterUpdate(const BenchRow&, CTransaction*, void*) override { ++m_calls; }

private:
    int64_t m_calls = 0;
};

class CountingCommitObserver : public CCommitTrigger<BenchRow>
{
public:
    void commitAdd(const BenchRow&, int) override { ++m_calls; }
    void commitUpdate(const BenchRow& oldValue, const BenchRow& stored, int) override
    {
        m_calls += stored.value - oldValue.value;
    }

private:
    int64_t m_calls = 0;
};

BenchRow MakeRow(int id)
{
    BenchRow row;
    row.id = id;
    row.name = wxString::Format("SYM%03d", id % 500); // symbol codes shared by many rows
    row.value = id;
    row.price = id * 0.5;
    return row;
}

// A table with its observers registered.
struct ObservedTable
{
    BenchTable table;
    CountingActionObserver first;
    CountingActionObserver second;
    CountingCommitObserver commit;
    ObservedTable()
    {
        table.AddActionTrigger(&first);
        table.AddActionTrigger(&second);
        table.AddCommitTrigger(&commit);
    }
    ~ObservedTable()
    {
        table.RemoveCommitTrigger(&commit);
        table.RemoveActionTrigger(&second);
        table.RemoveActionTrigger(&first);
    }
    void Fill(int count)
    {
        for(int id = 0; id < count; ++id) {
            table.Insert(MakeRow(id));
        }
    }
};

std::vector<int> ShuffledKeys(int count)
{
    std::vector<int> keys(count);
    for(int i = 0; i < count; ++i) {
        keys[i] = i;
    }
    std::shuffle(keys.begin(), keys.end(), std::mt19937(42));
    return keys;
}

// Fills an empty table with N rows per iteration; reports the time per insert.
void BM_Insert(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::vector<BenchRow> rows;
    for(int key : ShuffledKeys(count)) {
        rows.push_back(MakeRow(key));
    }
    for(auto _ : state) {
        state.PauseTiming();
        auto observed = std::make_unique<ObservedTable>();
        state.ResumeTiming();
        for(const BenchRow& row : rows) {
            benchmark::DoNotOptimize(observed->table.Insert(row));
        }
        state.PauseTiming();
        observed.reset();
        state.ResumeTiming();
    }
    state.counters["ns_per_op"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * count,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Finds by the int key in a random order.
void BM_Find(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ObservedTable observed;
    observed.Fill(count);
    const std::vector<int> keys = ShuffledKeys(count);
    const auto& primary = observed.table.GetIndexByPrimary();
    std::size_t i = 0;
    for(auto _ : state) {
        benchmark::DoNotOptimize(primary.find(keys[i]));
        if(++i == keys.size()) {
            i = 0;
        }
    }
    state.counters["ns_per_op"] = benchmark::Counter(
        static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Updates a non-key field of stored rows in a random order; every update asks
// and tells both action observers and tells the commit observer.
void BM_Update(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ObservedTable observed;
    observed.Fill(count);
    std::vector<BenchTable::iterator> positions;
    std::vector<BenchRow> values;
    for(int key : ShuffledKeys(count)) {
        const auto it = observed.table.GetIndexByPrimary().find(key);
        positions.push_back(it);
        BenchRow changed = *it;
        changed.value += 1;
        changed.price += 0.25;
        values.push_back(changed);
    }
    std::size_t i = 0;
    for(auto _ : state) {
        benchmark::DoNotOptimize(observed.table.Update(positions[i], values[i]));
        if(++i == positions.size()) {
            i = 0;
        }
    }
    state.counters["ns_per_op"] = benchmark::Counter(
        static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_Insert)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Find)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Update)->Arg(1000)->Arg(100000);

BENCHMARK_MAIN();
