// Price levels of matched-market symbols: the query answer and the
// market-data pushes that follow a price move, through libClientApi.so.
#include "MarketFamilyTest.h"

namespace {

class PriceLevelSim : public MarketFamilyTest
{
protected:
    std::vector<Event> Query(int symbolId)
    {
        sFFixQryPriceReport req{symbolId};
        const int id = NextId();
        EXPECT_GT(api->ReqQryPriceReport(&req, id), 0);
        return Rows(1088, id);
    }
};

} // namespace

TEST_F(PriceLevelSim, QueryAnswersFiveLevelsEachSideAroundThePrice)
{
    ASSERT_EQ(sim.Post("/admin/price?symbol=201&price=68500"), 200);
    const auto rows = Query(201);
    ASSERT_EQ(rows.size(), 1u);
    const auto levels = rows[0].As<sFFixPriceReport>();
    EXPECT_EQ(levels.priceLevelId, 201);
    // Spread 0 and a level step of 20 points of 0.1.
    EXPECT_FLOAT_EQ(levels.levels[0], 68500.0f); // best buy
    EXPECT_FLOAT_EQ(levels.levels[4], 68492.0f);
    EXPECT_FLOAT_EQ(levels.levels[14], 68500.0f); // best sell, last of its five
    EXPECT_FLOAT_EQ(levels.levels[10], 68508.0f);
    for(int i = 5; i < 10; ++i) {
        EXPECT_GT(levels.levels[i], 0.0f);
        EXPECT_GT(levels.levels[i + 10], 0.0f);
    }
    EXPECT_TRUE(Query(101).empty()) << "no levels for a symbol of another market type";
    EXPECT_TRUE(Query(999).empty());
}

TEST_F(PriceLevelSim, PriceMovePushesTheLevelsToSubscribedMarketDataSessions)
{
    FullMdRecorder md;
    std::unique_ptr<CMDApi, Releaser> mdApi(lib.NewMd(md));
    mdApi->Connect(sim.MdAddress().c_str());
    ASSERT_TRUE(md.log.WaitCode(100));
    sFFixReqUserLogin login{};
    tradeapi::SetFixedText(login.loginName, "demo");
    tradeapi::SetFixedText(login.password, "demo123");
    ASSERT_GT(mdApi->ReqUserLogin(&login, 1), 0);
    ASSERT_TRUE(md.log.WaitCode(10002));
    const sFFixSubscribeEntry entries[] = {{201, 2}, {101, 2}};
    ASSERT_GT(mdApi->ReqSubscribeMarketData(entries, 2, NextId()), 0);
    ASSERT_TRUE(md.log.WaitCode(1031));

    const std::size_t from = md.log.Size();
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=5100"), 200);
    EXPECT_FALSE(md.log.WaitCode(1089, from, 300)) << "spot symbols have no levels";
    ASSERT_EQ(sim.Post("/admin/price?symbol=201&price=68600"), 200);
    auto push = md.log.WaitCode(1089, from);
    ASSERT_TRUE(push);
    EXPECT_EQ(push->As<sFFixPriceReport>().priceLevelId, 201);
    EXPECT_FLOAT_EQ(push->As<sFFixPriceReport>().levels[0], 68600.0f);
    const std::size_t again = md.log.Size();
    EXPECT_FALSE(md.log.WaitCode(1089, again, 300)) << "no push while the price stands";
}
