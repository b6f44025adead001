#pragma once
// Fixture of the market-family tests: a simmarketd of its own on free ports
// with the price walk stopped, and libClientApi.so logged in as "demo".
#include "ClientLibrary.h"
#include "FullRecorder.h"
#include "SimProcess.h"
#include "tradeapi/FixedText.h"

#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>

class MarketFamilyTest : public ::testing::Test
{
protected:
    struct Releaser
    {
        void operator()(CTradeApi* api) const { api->Release(); }
        void operator()(CMDApi* api) const { api->Release(); }
    };

    void SetUp() override
    {
        ASSERT_EQ(sim.Post("/admin/walk?rate=0"), 200);
        api.reset(lib.NewTrade(rec));
        api->Connect(sim.TradeAddress(0).c_str());
        ASSERT_TRUE(rec.log.WaitCode(100));
        sFFixReqUserLogin login{};
        tradeapi::SetFixedText(login.loginName, "demo");
        tradeapi::SetFixedText(login.password, "demo123");
        ASSERT_GT(api->ReqUserLogin(&login, 1), 0);
        auto answer = rec.log.WaitCode(10002);
        ASSERT_TRUE(answer);
        ASSERT_EQ(answer->info.errorId, 0);
    }

    void TearDown() override { api.reset(); }

    int NextId() { return ++m_lastId; }
    std::size_t Mark() const { return rec.log.Size(); }

    // The first event of the code from `from` on; fails the test when none
    // comes in time.
    Event Wait(int code, std::size_t from, int timeoutMs = 5000)
    {
        auto event = rec.log.WaitCode(code, from, timeoutMs);
        EXPECT_TRUE(event) << "no event " << code;
        return event ? *event : Event{};
    }

    // The answer of a request id.
    Event Answer(int code, int requestId)
    {
        auto event =
            rec.log.WaitFor([&](const Event& e) { return e.code == code && e.requestId == requestId; });
        EXPECT_TRUE(event) << "no answer " << code << " for request " << requestId;
        return event ? *event : Event{};
    }

    // Every row of a query answer, in order (empty for an answer without rows).
    std::vector<Event> Rows(int code, int requestId)
    {
        auto last = rec.log.WaitFor(
            [&](const Event& e) { return e.code == code && e.requestId == requestId && e.last; });
        EXPECT_TRUE(last) << "no last row " << code;
        std::vector<Event> rows;
        for(const auto& e : rec.log.Snapshot())
            if(e.code == code && e.requestId == requestId && !e.noRows)
                rows.push_back(e);
        return rows;
    }

    // True when no event of the code arrives within the time.
    bool Quiet(int code, std::size_t from, int ms = 300) { return !rec.log.WaitCode(code, from, ms); }

    void SetClock(long long offsetMs)
    {
        ASSERT_EQ(sim.Post("/admin/clock?offsetMs=" + std::to_string(offsetMs)), 200);
    }

    nlohmann::json Account(int key)
    {
        const auto state = nlohmann::json::parse(sim.Get("/admin/state"));
        for(const auto& a : state["accounts"])
            if(a["key"] == key)
                return a;
        return {};
    }

    // The masked form in which a client sends a bank password: each byte
    // XOR-ed with the request id's bytes in turn, base64, at most 24 characters.
    static std::string Masked(const std::string& password, int requestId)
    {
        static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string bytes = password;
        for(std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] =
                static_cast<char>(bytes[i] ^ ((static_cast<unsigned>(requestId) >> (8 * (i % 4))) & 0xff));
        std::string out;
        for(std::size_t i = 0; i < bytes.size(); i += 3) {
            unsigned n = static_cast<unsigned char>(bytes[i]) << 16;
            const std::size_t left = bytes.size() - i;
            if(left > 1)
                n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
            if(left > 2)
                n |= static_cast<unsigned char>(bytes[i + 2]);
            out += alphabet[(n >> 18) & 63];
            out += alphabet[(n >> 12) & 63];
            out += left > 1 ? alphabet[(n >> 6) & 63] : '=';
            out += left > 2 ? alphabet[n & 63] : '=';
        }
        return out.substr(0, 24);
    }

    SimProcess sim;
    ClientLibrary lib;
    FullTradeRecorder rec;
    std::unique_ptr<CTradeApi, Releaser> api;

private:
    int m_lastId = 1000;
};
