#include "EventPump.h"
#include "connection/MdClient.h"
#include "connection/MdEvent.h"
#include "connection/TradeClient.h"
#include "connection/TradeEvent.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

// Failures show the code's number.
void PrintTo(CallbackCode code, std::ostream* out)
{
    *out << static_cast<int>(code);
}

namespace {

// Stands in for the Client: keeps every trade and market-data event it gets.
class Recorder : public wxEvtHandler
{
public:
    Recorder()
    {
        Bind(wxEVT_THREAD, &Recorder::OnEvent, this, eTradeEventId);
        Bind(wxEVT_THREAD, &Recorder::OnEvent, this, eMdEventId);
    }
    std::vector<std::unique_ptr<wxEvent>> events;
    bool onGuiThread = true;

    std::vector<CallbackCode> Codes() const
    {
        std::vector<CallbackCode> codes;
        for(const auto& e : events) {
            codes.push_back(CodeOf(static_cast<const wxThreadEvent&>(*e)));
        }
        return codes;
    }
    template <class E> const E& At(std::size_t i) const
    {
        const auto* typed = dynamic_cast<const E*>(events.at(i).get());
        if(typed == nullptr) {
            throw std::runtime_error("event " + std::to_string(i) + " has another payload");
        }
        return *typed;
    }

private:
    void OnEvent(wxThreadEvent& event)
    {
        onGuiThread = onGuiThread && wxThread::IsMain();
        events.emplace_back(event.Clone());
    }
};

sFFixPosition Position(int symbolId)
{
    sFFixPosition row{};
    row.symbolId = symbolId;
    return row;
}

TEST(ThreadEvents, TradeCallbacksOnAnotherThreadArriveOnTheGuiThreadInCallOrder)
{
    Recorder recorder;
    TradeClient client(&recorder);
    sFFixRiskInfo risk{};
    std::thread library([&] {
        client.OnConnect();
        for(int i = 1; i <= 3; ++i) {
            sFFixPosition row = Position(i);
            client.OnRspQryPosition(&row, 77, i == 3);
            row.symbolId = -1; // the library reuses its buffer after the call
        }
        client.OnRspQryCloseBill(nullptr, 78, true);
        client.OnNtfRiskInfo(&risk, 0, 0);
        client.OnNtfRiskInfo2(&risk, 0, 0);
        sFFixRspInfo info{};
        info.errorId = 9;
        client.OnRspRegistPayPort(&info, 79, true);
        client.OnRspModifyPassword(&info, 80, true);
        client.OnConnectFailed(111, "refused");
        client.OnDisconnect(2);
    });
    library.join();
    ASSERT_TRUE(PumpUntil([&] { return recorder.events.size() >= 11; }));

    EXPECT_TRUE(recorder.onGuiThread);
    EXPECT_EQ(recorder.Codes(),
              (std::vector<CallbackCode>{
                  CallbackCode::Connect, CallbackCode::RspQryPosition, CallbackCode::RspQryPosition,
                  CallbackCode::RspQryPosition, CallbackCode::RspQryCloseBill, CallbackCode::NtfRiskInfo,
                  CallbackCode::NtfRiskInfo2, CallbackCode::RspRegisterPayPort,
                  CallbackCode::RspModifyPassword, CallbackCode::ConnectFailed, CallbackCode::Disconnect}));
}

TEST(ThreadEvents, QueryRowsCarryCopiesAndTheirLastType)
{
    Recorder recorder;
    TradeClient client(&recorder);
    std::thread library([&] {
        for(int i = 1; i <= 3; ++i) {
            sFFixPosition row = Position(i);
            client.OnRspQryPosition(&row, 77, i == 3);
        }
        client.OnRspQryCloseBill(nullptr, 78, true);
    });
    library.join();
    ASSERT_TRUE(PumpUntil([&] { return recorder.events.size() == 4; }));

    using Row = TradeQueryRowEvent<sFFixPosition>;
    for(int i = 0; i < 3; ++i) {
        EXPECT_EQ(recorder.At<Row>(i).GetRow().symbolId, i + 1);
        EXPECT_EQ(recorder.At<Row>(i).GetRequestId(), 77);
    }
    EXPECT_EQ(recorder.At<Row>(0).GetLast(), eLastTypeMore);
    EXPECT_EQ(recorder.At<Row>(1).GetLast(), eLastTypeMore);
    EXPECT_EQ(recorder.At<Row>(2).GetLast(), eLastTypeLast);
    EXPECT_EQ(recorder.At<TradeQueryRowEvent<sFFixCloseBill>>(3).GetLast(), eLastTypeEmpty);
}

TEST(ThreadEvents, SharedPayloadTypesAreToldApartByCode)
{
    Recorder recorder;
    TradeClient client(&recorder);
    sFFixRiskInfo risk{};
    sFFixRspInfo info{};
    std::strcpy(info.errorMsg, "msg");
    client.OnNtfRiskInfo(&risk, 0, 0);
    client.OnNtfRiskInfo2(&risk, 0, 0);
    client.OnErrorRsp(&info, 5, true);
    client.OnRspFinancingGoods(&info, 6, true);
    client.OnConnect();
    client.OnDisconnect(3);
    ASSERT_TRUE(PumpUntil([&] { return recorder.events.size() == 6; }));

    EXPECT_EQ(recorder.Codes(),
              (std::vector<CallbackCode>{CallbackCode::NtfRiskInfo, CallbackCode::NtfRiskInfo2,
                                         CallbackCode::ErrorRsp, CallbackCode::RspFinancingGoods,
                                         CallbackCode::Connect, CallbackCode::Disconnect}));
    EXPECT_STREQ(recorder.At<TradeInfoEvent>(2).GetResult().errorMsg, "msg");
    EXPECT_EQ(recorder.At<TradeInfoEvent>(3).GetRequestId(), 6);
    EXPECT_EQ(recorder.At<TradeConnectionEvent>(4).GetReason(), 0);
    EXPECT_EQ(recorder.At<TradeConnectionEvent>(5).GetReason(), 3);
    EXPECT_NO_THROW(recorder.At<TradeNoticeEvent<sFFixRiskInfo>>(0));
    EXPECT_NO_THROW(recorder.At<TradeNoticeEvent<sFFixRiskInfo>>(1));
}

TEST(ThreadEvents, MarketDataCallbacksCopyTextAndSymbolIds)
{
    Recorder recorder;
    MdClient client(&recorder);
    std::thread library([&] {
        client.OnConnectFailed(111, "Connection refused");
        int ids[] = {3, 1, 2};
        sFFixRspInfo info{};
        client.OnRspSubscribeMarketData(ids, 3, &info, 12, true);
        ids[0] = 99;
        sFFixMarketData tick{};
        client.OnNtfMarketData(&tick, 0, 0);
        client.OnRspSubscribeMarketData(nullptr, 0, nullptr, 13, true);
    });
    library.join();
    ASSERT_TRUE(PumpUntil([&] { return recorder.events.size() == 4; }));

    EXPECT_EQ(recorder.Codes(),
              (std::vector<CallbackCode>{CallbackCode::ConnectFailed, CallbackCode::RspSubscribeMarketData,
                                         CallbackCode::NtfMarketData, CallbackCode::RspSubscribeMarketData}));
    EXPECT_EQ(recorder.events[0]->GetId(), eMdEventId);
    EXPECT_EQ(recorder.At<MdConnectFailedEvent>(0).GetError(), 111);
    EXPECT_EQ(recorder.At<MdConnectFailedEvent>(0).GetText(), "Connection refused");
    EXPECT_EQ(recorder.At<MdSubscribeEvent>(1).GetSymbolIds(), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(recorder.At<MdSubscribeEvent>(1).GetRequestId(), 12);
    EXPECT_TRUE(recorder.At<MdSubscribeEvent>(3).GetSymbolIds().empty());
    EXPECT_EQ(recorder.At<MdSubscribeEvent>(3).GetResult().errorId, 0);
}

TEST(ThreadEvents, CloneKeepsCodePayloadAndStamp)
{
    sFFixRspInfo info{};
    info.errorId = 21;
    TradeAnswerEvent<sFFixRspUserLogin> original(CallbackCode::RspUserLogin, sFFixRspUserLogin{}, info, 1);
    ASSERT_TRUE(original.GetStamp().IsValid());
    wxMilliSleep(5);
    std::unique_ptr<wxEvent> copy(original.Clone());
    const auto& clone = dynamic_cast<const TradeAnswerEvent<sFFixRspUserLogin>&>(*copy);
    EXPECT_EQ(clone.GetCode(), CallbackCode::RspUserLogin);
    EXPECT_EQ(clone.GetId(), eTradeEventId);
    EXPECT_EQ(clone.GetEventType(), wxEVT_THREAD);
    EXPECT_EQ(clone.GetResult().errorId, 21);
    EXPECT_EQ(clone.GetRequestId(), 1);
    EXPECT_EQ(clone.GetStamp(), original.GetStamp());
}

} // namespace
