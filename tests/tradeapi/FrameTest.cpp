// Framing of the structures between the library and the market.
#include "Frame.h"

#include "WireCodes.h"
#include "tradeapi/FFixStructs.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace tradeapi::wire;

TEST(Frame, RoundTripKeepsCodeFlagsIdAndBody)
{
    sFFixSetOrder order{};
    order.accountKey = 11;
    order.price = 5001.5;
    sFFixRspInfo info{};
    info.errorId = 31;
    const auto bytes = EncodeFrame(kRspSetOrder, 77, 0, &order, sizeof order, &info, sizeof info);
    FrameReader reader;
    reader.Append(bytes.data(), bytes.size());
    Frame frame;
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_EQ(frame.header.code, kRspSetOrder);
    EXPECT_EQ(frame.header.requestId, 77);
    ASSERT_EQ(frame.body.size(), sizeof order + sizeof info);
    sFFixRspInfo back;
    std::memcpy(&back, frame.body.data() + sizeof order, sizeof back);
    EXPECT_EQ(back.errorId, 31);
    EXPECT_FALSE(reader.Next(frame));
    EXPECT_TRUE(reader.Error().empty());
}

TEST(Frame, FramesSplitAnywhereInTheStreamComeOutWhole)
{
    std::vector<uint8_t> stream;
    for(int i = 0; i < 3; ++i) {
        sFFixPosition row{};
        row.symbolId = 100 + i;
        const auto bytes = EncodeFrame(kRspQryPosition, 5, i == 2 ? kFlagLast : 0, &row, sizeof row);
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    FrameReader reader;
    std::vector<Frame> frames;
    for(uint8_t byte : stream) {
        reader.Append(&byte, 1);
        Frame frame;
        while(reader.Next(frame))
            frames.push_back(frame);
    }
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[2].header.flags, kFlagLast);
    sFFixPosition last;
    std::memcpy(&last, frames[2].body.data(), sizeof last);
    EXPECT_EQ(last.symbolId, 102);
}

TEST(Frame, EmptyAnswerIsAHeaderWithTheNoRowsFlag)
{
    const auto bytes = EncodeFrame(kRspQryDeliveryOrder, 9, kFlagNoRows, nullptr, 0);
    ASSERT_EQ(bytes.size(), sizeof(FrameHeader));
    FrameReader reader;
    reader.Append(bytes.data(), bytes.size());
    Frame frame;
    ASSERT_TRUE(reader.Next(frame));
    EXPECT_TRUE(frame.body.empty());
    EXPECT_EQ(frame.header.flags, kFlagNoRows);
}

TEST(Frame, OversizedLengthBreaksTheStreamForGood)
{
    FrameHeader header{};
    header.length = kMaxBody + 1;
    header.code = kNtfTrade;
    FrameReader reader;
    reader.Append(reinterpret_cast<const uint8_t*>(&header), sizeof header);
    Frame frame;
    EXPECT_FALSE(reader.Next(frame));
    EXPECT_NE(reader.Error().find("oversized"), std::string::npos);
    // Later good frames are not trusted either.
    const auto good = EncodeFrame(kNtfTrade, 0, 0, nullptr, 0);
    reader.Append(good.data(), good.size());
    EXPECT_FALSE(reader.Next(frame));
}

TEST(Frame, UnknownFlagsOrReservedBitsAreMalformed)
{
    auto bytes = EncodeFrame(kNtfTrade, 0, 0, nullptr, 0);
    bytes[10] = 0x80; // flags high byte
    FrameReader reader;
    reader.Append(bytes.data(), bytes.size());
    Frame frame;
    EXPECT_FALSE(reader.Next(frame));
    EXPECT_FALSE(reader.Error().empty());
}

TEST(WireCodes, EveryRequestIsAnsweredUnderTheNextCode)
{
    EXPECT_EQ(AnswerCode(kReqUserLogin), kRspUserLogin);
    EXPECT_EQ(AnswerCode(kReqSetOrder), kRspSetOrder);
    EXPECT_EQ(AnswerCode(kReqSubscribeMarketData), kRspSubscribeMarketData);
    EXPECT_EQ(AnswerCode(kReqFinancingGoods), kRspFinancingGoods);
    EXPECT_EQ(AnswerCode(kReqQryBonusPoint), kRspQryBonusPoint);
}
