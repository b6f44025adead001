// Price ticks through the trade API library's link: a loopback peer writes
// market-data frames as fast as it can, the library reads, frames and
// checks them and calls its callback, which counts. The link keeps its
// heartbeat and silence checks running meanwhile, as in use.

#include "Frame.h"
#include "WireCodes.h"
#include "tradeapi/ClientApi.h"
#include "tradeapi/FixedText.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <boost/asio.hpp>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

namespace asio = boost::asio;
using asio::ip::tcp;

constexpr int kTicksPerBatch = 200;

class CountingMd : public CMDApiCallback
{
public:
    void OnConnect() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_connected = true;
        m_changed.notify_all();
    }
    void OnNtfMarketData(const sFFixMarketData* tick, int, int) override
    {
        m_last = tick->lastPrice;
        if(++m_ticks % kTicksPerBatch == 0) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_changed.notify_all();
        }
    }
    bool WaitFor(long long ticks)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_ticks >= ticks; });
    }
    bool WaitConnected()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_connected; });
    }
    double Last() const { return m_last; }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::atomic<long long> m_ticks{0};
    std::atomic<double> m_last{0};
    bool m_connected = false;
};

void BM_PricePushOverTheLink(benchmark::State& state)
{
    asio::io_context io;
    tcp::acceptor acceptor(io, tcp::endpoint(asio::ip::address_v4::loopback(), 0));
    GlobalInit();
    CClientApi* client = CreateClientApi();
    CountingMd md;
    CMDApi* api = CreateMDApi(client, &md, "bench", 0);
    api->Connect(("127.0.0.1:" + std::to_string(acceptor.local_endpoint().port())).c_str());
    tcp::socket peer(io);
    acceptor.accept(peer);
    if(!md.WaitConnected()) {
        state.SkipWithError("no connection");
        return;
    }
    // Heartbeats the library sends are read and dropped.
    std::thread drain([&peer] {
        uint8_t sink[512];
        boost::system::error_code ec;
        while(!ec)
            peer.read_some(asio::buffer(sink), ec);
    });

    std::vector<uint8_t> batch;
    for(int i = 0; i < kTicksPerBatch; ++i) {
        sFFixMarketData tick{};
        tick.symbolId = i + 1;
        tick.lastPrice = 100.0 + i;
        tradeapi::SetFixedText(tick.quoteDate, "20261208");
        tradeapi::SetFixedText(tick.quoteTime, "101500");
        const auto frame =
            tradeapi::wire::EncodeFrame(tradeapi::wire::kNtfMarketData, 0, 0, &tick, sizeof tick);
        batch.insert(batch.end(), frame.begin(), frame.end());
    }
    long long sent = 0;
    for(auto _ : state) {
        asio::write(peer, asio::buffer(batch));
        sent += kTicksPerBatch;
        if(!md.WaitFor(sent)) {
            state.SkipWithError("ticks lost");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kTicksPerBatch);
    benchmark::DoNotOptimize(md.Last());
    api->Release();
    boost::system::error_code ignored;
    peer.shutdown(tcp::socket::shutdown_both, ignored);
    drain.join();
    client->Release();
    GlobalUnInit();
}
BENCHMARK(BM_PricePushOverTheLink)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
