// The history pages without windows: their queries, row readers, cells and
// colours over a real record store.
#include "db/RecordStore.h"
#include "history/HistoryCashModel.h"
#include "history/HistoryColumn.h"
#include "history/HistoryInOutMoneyModel.h"
#include "history/HistoryLimtModel.h"
#include "history/HistoryMinTradeModel.h"
#include "history/HistoryOrderModel.h"
#include "history/HistoryReportQuery.h"

#include <gtest/gtest.h>
#include <pelmora/DrawingUtils.h>
#include <string>
#include <vector>
#include <wx/translation.h>

namespace {

const HistoryPageKind kCash{"amlog", "changeDate", false, 0, "HistoryCashPanel"};
const HistoryPageKind kMoney{"inoutmoney", "changeDate", true, 0, "HistoryInOutMoneyPanel"};
const HistoryPageKind kBinary{"binaryoptionsorder", "orderTime", false, '4', "HistoryBinaryOrderPane"};
const HistoryPageKind kClosed{"closebill", "openDate", false, '1', "HistoryOrderPane"};

JSONElement Parse(const std::string& text)
{
    return JSONElement::fromJson(JSONElement::Json::parse(text));
}

std::pair<wxDateTime, wxDateTime> March1To5()
{
    return {wxDateTime(1, wxDateTime::Mar, 2024, 0, 0, 0), wxDateTime(5, wxDateTime::Mar, 2024, 23, 59, 59)};
}

class HistoryPagesTest : public ::testing::Test
{
protected:
    HistoryPagesTest()
    {
        m_db.CreateTables();
        AddAccount(11, 7, "现货一部", '1');
        AddSymbol(101, 11, "白银", "现货一部", 3);
    }

    void AddAccount(int key, int userId, const char* market, char type)
    {
        user_Account account;
        account.accountKey = key;
        account.userId = userId;
        account.marketName = wxString::FromUTF8(market);
        account.marketType = type;
        ASSERT_TRUE(m_db.m_user_Account_table->Insert(account).second);
    }

    void AddSymbol(int id, int accountKey, const char* name, const char* market, int digits)
    {
        symbol_Info symbol;
        symbol.symbolId = id;
        symbol.accountKey = accountKey;
        ASSERT_TRUE(m_db.m_symbol_Info_table->Insert(symbol).second);
        symbol_Property property;
        property.symbolId = id;
        property.symbolName = wxString::FromUTF8(name);
        property.marketName = wxString::FromUTF8(market);
        property.digits = digits;
        ASSERT_TRUE(m_db.m_symbol_Property_table->Insert(property).second);
    }

    template <class Model> static wxString Cell(const Model& model, unsigned row, unsigned column)
    {
        wxVariant value;
        model.GetValueByRow(value, row, column);
        return value.IsNull() ? wxString("<none>") : value.GetString();
    }

    template <class Model> static std::vector<wxString> Row(const Model& model, unsigned row)
    {
        std::vector<wxString> cells;
        for(unsigned column = 0; column < model.GetColumnCount(); ++column) {
            cells.push_back(Cell(model, row, column));
        }
        return cells;
    }

    // The colour a cell is given; "" when it keeps the control's colours.
    template <class Model> static std::string Colour(const Model& model, unsigned row, unsigned column)
    {
        wxDataViewItemAttr attr;
        const bool set = model.GetAttrByRow(row, column, attr);
        EXPECT_EQ(set, attr.HasColour()) << "row " << row << " column " << column;
        return attr.HasColour() ? attr.GetColour().GetAsString(wxC2S_HTML_SYNTAX).ToStdString() : "";
    }

    static std::string Html(const wxColour& colour)
    {
        return colour.GetAsString(wxC2S_HTML_SYNTAX).ToStdString();
    }

    RecordStore m_db;
};

} // namespace

TEST_F(HistoryPagesTest, TheCashQueryMatchesTheSampleMemberByMember)
{
    AddAccount(1001, 7, "Sample", '1');
    JSONElement root = JSONElement::createObject();
    wxString path;
    ASSERT_TRUE(HistoryReportQuery::Build(&m_db, kCash, "Sample", March1To5(), path, root));
    EXPECT_EQ(path, "/tolvekquery/report_client/amlog?bizData=");
    EXPECT_EQ(
        root.format(false),
        "{\"accId\":\"1001\",\"userId\":\"7\",\"parames\":[{\"operator\":\"and\",\"value\":\"1\",\"key\":"
        "\"isHistory\"},{\"operator\":\"and\",\"value\":\"(\\\"2024-03-01 00:00:00\\\",\\\"2024-03-05 "
        "23:59:59\\\")\",\"key\":\"tradingday\"}],\"sort\":{\"order\":\"DESC\",\"children\":[\"changeDate\"]}"
        "}");
}

TEST_F(HistoryPagesTest, EachPageAsksForItsReportWithItsConditions)
{
    struct Case
    {
        const HistoryPageKind& kind;
        const char* path;
        const char* lastCondition;
        const char* sort;
    };
    const Case cases[] = {
        {kMoney, "/tolvekquery/report_client/inoutmoney?bizData=",
         R"({"operator":"in","value":["1","2"],"key":"amType"})", "changeDate"},
        {kBinary, "/tolvekquery/report_client/binaryoptionsorder?bizData=",
         R"j({"operator":"and","value":"(\"2024-03-01 00:00:00\",\"2024-03-05 23:59:59\")","key":"tradingday"})j",
         "orderTime"},
        {kClosed, "/tolvekquery/report_client/closebill?bizData=",
         R"j({"operator":"and","value":"(\"2024-03-01 00:00:00\",\"2024-03-05 23:59:59\")","key":"tradingday"})j",
         "openDate"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.kind.report);
        JSONElement root = JSONElement::createObject();
        wxString path;
        ASSERT_TRUE(HistoryReportQuery::Build(&m_db, c.kind, wxString::FromUTF8("现货一部"), March1To5(),
                                              path, root));
        EXPECT_EQ(path, c.path);
        const JSONElement::Json json = root.value();
        EXPECT_EQ(json["accId"], "11");
        EXPECT_EQ(json["userId"], "7");
        EXPECT_EQ(json["parames"].back().dump(), c.lastCondition);
        EXPECT_EQ(json["sort"]["children"], JSONElement::Json::array({c.sort}));
    }
}

TEST_F(HistoryPagesTest, TheLastAccountOfAMarketIsQueriedAndNoneSendsNothing)
{
    AddAccount(14, 7, "FX", '4');
    AddAccount(15, 8, "FX", '4');
    JSONElement root = JSONElement::createObject();
    wxString path;
    ASSERT_TRUE(HistoryReportQuery::Build(&m_db, kBinary, "FX", March1To5(), path, root));
    EXPECT_EQ(root.value()["accId"], "15");
    EXPECT_EQ(root.value()["userId"], "8");

    for(const wxString& market : {wxString(), wxString("fx"), wxString("Nowhere")}) {
        JSONElement none = JSONElement::createObject();
        wxString nonePath;
        EXPECT_FALSE(HistoryReportQuery::Build(&m_db, kBinary, market, March1To5(), nonePath, none))
            << market;
        EXPECT_TRUE(nonePath.empty());
        EXPECT_EQ(none.value().size(), 0u);
    }
    RecordStore empty; // no tables at all
    EXPECT_FALSE(HistoryReportQuery::Build(&empty, kCash, "FX", March1To5(), path, root));
    EXPECT_EQ(HistoryReportQuery::FindAccount(nullptr, "FX"), nullptr);
}

TEST_F(HistoryPagesTest, AccountsAreOfferedByMarketType)
{
    user_Account binary;
    binary.marketType = '4';
    user_Account ordinary;
    ordinary.marketType = '1';
    EXPECT_TRUE(HistoryReportQuery::Offers(kCash, binary));
    EXPECT_TRUE(HistoryReportQuery::Offers(kMoney, binary));
    EXPECT_FALSE(HistoryReportQuery::Offers(kClosed, binary));
    EXPECT_TRUE(HistoryReportQuery::Offers(kClosed, ordinary));
    EXPECT_TRUE(HistoryReportQuery::Offers(kBinary, binary));
    EXPECT_FALSE(HistoryReportQuery::Offers(kBinary, ordinary));
}

TEST_F(HistoryPagesTest, RowReadersTakeTextsAndNumbersAlike)
{
    // Missing keys read as empty texts.
    const trade_Limit bare = HistoryLimtModel::ReadRow(Parse("{}"));
    EXPECT_EQ(bare.limitType, 0);
    EXPECT_EQ(bare.side, 0);
    EXPECT_EQ(bare.stopLoss, 0.0);
    EXPECT_FALSE(bare.openTime.IsValid());
    EXPECT_EQ(HistoryCashModel::ReadRow(Parse("{}")).changeType, '1');
    EXPECT_EQ(HistoryInOutMoneyModel::ReadRow(Parse("{}")).approveState, '1');
    EXPECT_EQ(HistoryOrderModel::ReadRow(Parse("{}")).side, 0);

    for(const char* text : {R"({"limitType":"5","bsCode":"x","validDateType":"4","quantityOrder":"10abc"})",
                            R"({"limitType":5,"bsCode":"bs","validDateType":0,"quantityOrder":10})"}) {
        SCOPED_TRACE(text);
        const trade_Limit limit = HistoryLimtModel::ReadRow(Parse(text));
        EXPECT_EQ(limit.limitType, 0);
        EXPECT_EQ(limit.side, 0);
        EXPECT_EQ(limit.validDateType, 0);
        EXPECT_EQ(limit.quantityOrder, 10.0);
    }
    for(const char* text : {R"({"status":"7","amType":"","amChange":"-3.5","amId":"12.9"})",
                            R"({"status":7,"amChange":-3.5,"amId":12.9})"}) {
        SCOPED_TRACE(text);
        const am_AmountInOut money = HistoryInOutMoneyModel::ReadRow(Parse(text));
        EXPECT_EQ(money.approveState, '1');
        EXPECT_EQ(money.inOutType, '1');
        EXPECT_EQ(money.amount, -3.5);
        EXPECT_EQ(money.inOutId, 12);
    }
    const am_AmountInOut passed =
        HistoryInOutMoneyModel::ReadRow(Parse(R"({"status":3,"amType":"2","amChange":" +2.5e3kg"})"));
    EXPECT_EQ(passed.amount, 2500.0);
    EXPECT_EQ(HistoryInOutMoneyModel::ReadRow(Parse(R"({"amChange":"1e999"})")).amount, 0.0);
    EXPECT_EQ(passed.approveState, '3');
    EXPECT_EQ(passed.inOutType, '2');

    const trade_CloseBill bill = HistoryOrderModel::ReadRow(
        Parse(R"({"accId":"11","symbolId":101,"bsCode":"sell","closeType":"2","profitClose":-12.5,)"
              R"("openDate":"2024-03-01 09:30:00","closeDate":"bad"})"));
    EXPECT_EQ(bill.accountKey, 11);
    EXPECT_EQ(bill.symbolId, 101);
    EXPECT_EQ(bill.side, 's');
    EXPECT_EQ(bill.closeType, '2');
    EXPECT_EQ(bill.closeProfit, -12.5);
    EXPECT_EQ(bill.openTime, wxDateTime(1, wxDateTime::Mar, 2024, 9, 30, 0));
    EXPECT_FALSE(bill.closeTime.IsValid());

    const trade_BinaryOrder order = HistoryMinTradeModel::ReadRow(
        Parse(R"({"periodName":"5M","closedQuantity":"1.2345","orderQuantity":100,)"
              R"("orderStatus":"2","contractId":"12345678901"})"));
    EXPECT_EQ(order.periodCount, 5);
    EXPECT_EQ(order.periodUnit, '2');
    EXPECT_EQ(order.expirePrice, 1.2345);
    EXPECT_EQ(order.orderAmount, 100.0);
    EXPECT_EQ(order.orderState, '2');
    EXPECT_EQ(order.contractId, 12345678901LL);
}

TEST_F(HistoryPagesTest, CashSerialsKeepEveryDigit)
{
    struct Case
    {
        const char* json;
        int64_t serial;
        const char* shown;
    };
    const Case cases[] = {
        {R"({"SerialId":"9007199254740993"})", 9007199254740993LL, "9007199254740993"},
        {R"({"SerialId":9007199254740993})", 9007199254740993LL, "9007199254740993"},
        {R"({"SerialId":"3000000000"})", 3000000000LL, "3000000000"},
        {R"({"SerialId":"42.9"})", 42, "42"}, // not a whole number: truncated
        {R"({"SerialId":"17abc"})", 17, "17"},
        {R"({"SerialId":""})", 0, "0"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.json);
        wxObjectDataPtr<HistoryCashModel> model(new HistoryCashModel(&m_db));
        model->Fill(1, Parse(std::string("[") + c.json + "]"), &HistoryCashModel::ReadRow);
        EXPECT_EQ(model->GetRows().at(0).serial, c.serial);
        EXPECT_EQ(Cell(*model, 0, 2), c.shown);
    }
}

TEST_F(HistoryPagesTest, CellsShowTheReplyPagedAndFormatted)
{
    // Page 3 of size 10 numbers its rows 21 to 30.
    wxObjectDataPtr<HistoryCashModel> cash(new HistoryCashModel(&m_db));
    JSONElement ten = JSONElement::createArray();
    for(int i = 0; i < 10; ++i) {
        ten.arrayAppend(Parse(R"({"amBefore":"100","amAfter":"1100","amChange":1000,"amType":"1",)"
                              R"("changeDate":"2024-03-02 10:00:00","tradeMarketName":"FX"})"));
    }
    cash->Fill(21, ten, &HistoryCashModel::ReadRow);
    ASSERT_EQ(cash->GetCount(), 10u);
    EXPECT_EQ(Cell(*cash, 0, 0), "21");
    EXPECT_EQ(Cell(*cash, 9, 0), "30");
    EXPECT_EQ(Row(*cash, 0), (std::vector<wxString>{"21", "FX", "0", "100.00", "1100.00", "1000.00", "In",
                                                    "2024-03-02 10:00:00"}));
    EXPECT_EQ(Cell(*cash, 10, 0), "<none>"); // past the count
    EXPECT_EQ(Cell(*cash, 0, 8), "<none>");  // past the columns
    cash->Fill(1, Parse("[]"), &HistoryCashModel::ReadRow);
    EXPECT_EQ(cash->GetCount(), 0u);

    // Limits: open quantity, an empty stop-loss with the symbol's decimals.
    wxObjectDataPtr<HistoryLimtModel> limits(new HistoryLimtModel(&m_db));
    limits->Fill(
        1,
        Parse(R"([{"symbolId":"101","orderCode":"L1","limitType":"2","bsCode":"b","quantityOrder":"10",)"
              R"("quantityComplete":"4","orderPrice":"4520.5","stopLose":"","takeProfit":4600,)"
              R"("validDateType":"1","marginFreezed":"300"},{"symbolId":"999","orderCode":"L2"}])"),
        &HistoryLimtModel::ReadRow);
    const std::vector<wxString> limit = Row(*limits, 0);
    EXPECT_EQ(limit[1], "L1");
    EXPECT_EQ(limit[2], wxString::FromUTF8("白银"));
    EXPECT_EQ(limit[5], "300.00");
    EXPECT_EQ(limit[7], "6.00");
    EXPECT_EQ(limit[8], "4520.500");
    EXPECT_EQ(limit[9], "0.000");
    EXPECT_EQ(limit[10], "4600.000");
    // An unknown symbol: counted, all empty, its number included.
    ASSERT_EQ(limits->GetCount(), 2u);
    EXPECT_EQ(Row(*limits, 1), std::vector<wxString>(13, "<none>"));

    // Money: a withdrawal only under "OutMoney".
    wxObjectDataPtr<HistoryInOutMoneyModel> money(new HistoryInOutMoneyModel(&m_db));
    money->Fill(
        1,
        Parse(R"([{"amType":"2","amChange":250,"status":"3","serialId":"S9"},{"amType":"1","amChange":5}])"),
        &HistoryInOutMoneyModel::ReadRow);
    EXPECT_EQ(Cell(*money, 0, 2), "");
    EXPECT_EQ(Cell(*money, 0, 3), "250.00");
    EXPECT_EQ(Cell(*money, 0, 7), "S9");
    EXPECT_EQ(Cell(*money, 1, 2), "5.00");
    EXPECT_EQ(Cell(*money, 1, 3), "");
}

TEST_F(HistoryPagesTest, ClosedProfitsAreColouredByTheirSign)
{
    wxObjectDataPtr<HistoryOrderModel> model(new HistoryOrderModel(&m_db));
    model->Fill(11,
                Parse(R"([{"symbolId":"101","profitClose":"-12.5","priceHold":"4500","orderCode":"C1",)"
                      R"("chargeOpen":"3.2","orderCodeRe":"H7","closeDate":"2026-12-01 10:20:30"},)"
                      R"({"symbolId":"101","profitClose":"0"},{"symbolId":"101","profitClose":"8"},)"
                      R"({"symbolId":"777","profitClose":"8"}])"),
                &HistoryOrderModel::ReadRow);
    EXPECT_EQ(Cell(*model, 0, 0), "11");
    EXPECT_EQ(Cell(*model, 0, 7), "-12.50");
    // The columns after the open price, each with its own field.
    EXPECT_EQ(Cell(*model, 0, 11), "4500.000");
    EXPECT_EQ(Cell(*model, 0, 12), "3.20");
    EXPECT_EQ(Cell(*model, 0, 13), "H7");
    EXPECT_EQ(Cell(*model, 0, 14), "2026-12-01 10:20:30");
    EXPECT_EQ(Colour(*model, 0, 7), Html(DrawingUtils::GetGlobalDownColour()));
    EXPECT_EQ(Cell(*model, 1, 7), "0.00");
    EXPECT_EQ(Colour(*model, 1, 7), "");
    EXPECT_EQ(Colour(*model, 2, 7), Html(DrawingUtils::GetGlobalUpColour()));
    EXPECT_EQ(Colour(*model, 2, 6), "");
    EXPECT_EQ(Colour(*model, 3, 7), ""); // unknown symbol
    EXPECT_EQ(Colour(*model, 9, 7), ""); // past the rows
}

TEST_F(HistoryPagesTest, BinaryOrdersShowTheirStateRateAndColours)
{
    AddAccount(14, 7, "FX", '4');
    AddSymbol(401, 14, "Euro", "FX", 5);
    wxObjectDataPtr<HistoryMinTradeModel> model(new HistoryMinTradeModel(&m_db));
    model->Fill(
        41,
        Parse(R"([{"symbolId":"401","orderStatus":"2","profitClose":0,"profitRate":0.85,"bsCode":"b",)"
              R"("holdPrice":1.1,"closedQuantity":1.10002,"orderQuantity":100,"periodName":"1M",)"
              R"("orderTime":"2024-03-01 10:00:00","validDate":"2024-03-01 10:01:00"},)"
              R"({"symbolId":"401","orderStatus":"4","profitClose":12,"bsCode":"s"},)"
              R"({"symbolId":"401","orderStatus":"2","profitClose":85},)"
              R"({"symbolId":"401","orderStatus":"2","profitClose":-100}])"),
        &HistoryMinTradeModel::ReadRow);
    EXPECT_EQ(Row(*model, 0), (std::vector<wxString>{"41", "", "Euro", "FX", "1M", "2024-03-01 10:00:00",
                                                     "2024-03-01 10:01:00", "seeUp", "85%", "1.10000",
                                                     "1.10002", "100.00", "0.00", "BO_orderEqual"}));
    EXPECT_EQ(Colour(*model, 0, 13), Html(DrawingUtils::GetGlobalEqualColour()));
    EXPECT_EQ(Colour(*model, 0, 12), "");
    EXPECT_EQ(Cell(*model, 1, 13), "Canceled");
    EXPECT_EQ(Cell(*model, 1, 7), "seeDown");
    EXPECT_EQ(Cell(*model, 2, 13), "BO_orderGain");
    EXPECT_EQ(Colour(*model, 2, 12), Html(DrawingUtils::GetGlobalDownColour()));
    EXPECT_EQ(Cell(*model, 3, 13), "BO_orderLoss");
    EXPECT_EQ(Colour(*model, 3, 13), Html(DrawingUtils::GetGlobalUpColour()));
    EXPECT_EQ(Cell(*model, 3, 0), "44");
}

TEST(HistoryColumnTest, TablesComeInColumnOrderWithTheirWidths)
{
    struct Case
    {
        const std::vector<HistoryColumn>& table;
        size_t count;
        int firstWidth;
    };
    const Case cases[] = {{HistoryCashModel::Columns(), 8, -2},
                          {HistoryInOutMoneyModel::Columns(), 8, -2},
                          {HistoryLimtModel::Columns(), 13, -2},
                          {HistoryOrderModel::Columns(), 15, 30},
                          {HistoryMinTradeModel::Columns(), 14, -2}};
    for(const Case& c : cases) {
        const std::vector<HistoryColumn> sorted = SortByColumnNumber(c.table);
        ASSERT_EQ(sorted.size(), c.count);
        for(size_t i = 0; i < sorted.size(); ++i) {
            EXPECT_EQ(sorted[i].modelColumn, static_cast<int>(i));
            EXPECT_EQ(sorted[i].mode, wxDATAVIEW_CELL_INERT);
        }
        EXPECT_TRUE(sorted[0].title.empty());
        EXPECT_EQ(sorted[0].width, c.firstWidth);
    }
    EXPECT_EQ(HistoryInOutMoneyModel::Columns()[2].width, 80);
    EXPECT_EQ(HistoryLimtModel::Columns()[7].alignment, wxALIGN_RIGHT);
    EXPECT_EQ(HistoryOrderModel::Columns()[14].width, 150);
}

namespace {
template <class Model> unsigned int ModelColumns(RecordStore& db)
{
    const wxObjectDataPtr<Model> model(new Model(&db));
    return model->GetColumnCount();
}
} // namespace

// Stored layouts name each column by its model column: a title must stay
// under the number it was saved with, and every model answers for each one.
TEST(HistoryColumnTest, StoredLayoutsFindEachTitleUnderItsSavedNumber)
{
    RecordStore db;
    struct Case
    {
        const std::vector<HistoryColumn>& table;
        unsigned int modelColumns;
        std::vector<std::string> titles; // by model column
    };
    const Case cases[] = {
        {HistoryCashModel::Columns(),
         ModelColumns<HistoryCashModel>(db),
         {"", "marketName", "CashSerialId", "CashAmBefore", "CashAmAfter", "CashAmChange", "CashAmType",
          "CashChangeDate"}},
        {HistoryInOutMoneyModel::Columns(),
         ModelColumns<HistoryInOutMoneyModel>(db),
         {"", "marketName", "InMoney", "OutMoney", "moneyStatus", "moneyChangeTime", "moneyConfirmTime",
          "moneySerialCode"}},
        {HistoryLimtModel::Columns(),
         ModelColumns<HistoryLimtModel>(db),
         {"", "OrderCode", "Symbol", "marketName", "LimitType", "Freezed", "B/S", "Quantity", "OrderPrice",
          "StopLoss", "TakeProfit", "OpenTime", "ValidDateType"}},
        {HistoryOrderModel::Columns(),
         ModelColumns<HistoryOrderModel>(db),
         {"", "OrderCode", "Symbol", "marketName", "ClosePrice", "Close B/S", "Quantity", "CloseProfit",
          "ChargeClose", "CloseType", "OpenTime", "OpenPrice", "ChargeOpen", "OrderCodeRe", "CloseTime"}},
        {HistoryMinTradeModel::Columns(),
         ModelColumns<HistoryMinTradeModel>(db),
         {"", "OrderCode", "Symbol", "marketName", "PeriodName", "OpenTime", "ExpireTime", "B/S",
          "ProfitRate", "OpenPrice", "ExpirePrice", "Amount", "Profit", "OrderStatus"}},
    };
    for(const Case& c : cases) {
        ASSERT_EQ(c.table.size(), c.titles.size());
        EXPECT_EQ(c.modelColumns, c.titles.size()) << c.titles[1];
        for(const HistoryColumn& column : c.table) {
            ASSERT_GE(column.modelColumn, 0);
            ASSERT_LT(static_cast<size_t>(column.modelColumn), c.titles.size());
            const std::string& key = c.titles[column.modelColumn];
            const wxString expected = key.empty() ? wxString() : wxGetTranslation(wxString::FromUTF8(key));
            EXPECT_EQ(column.title, expected) << "column " << column.modelColumn;
        }
    }
}
