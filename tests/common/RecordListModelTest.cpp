// The list-pane model over a real record table, the column table, and acting
// on the selection, without a display.
#include "HoldBillTestPane.h"
#include "RecordingNotifier.h"
#include "common/ListColumn.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

trade_HoldBill Bill(const char* code, int symbolId = 101, double quantity = 2)
{
    trade_HoldBill bill;
    bill.orderCode = code;
    bill.symbolId = symbolId;
    bill.quantity = quantity;
    bill.accountKey = 11;
    return bill;
}

// A model with a total row after the records, as the money pane has.
class TotalRowModel : public HoldBillTestModel
{
public:
    using HoldBillTestModel::HoldBillTestModel;
    unsigned int GetCount() const override { return GetRecordCount() + 1; }

protected:
    void GetExtraRowValue(unsigned int, unsigned int column, wxVariant& value) const override
    {
        if(column == eBillCode) {
            value = wxString("Total");
        }
    }
};

class RecordListModelTest : public ::testing::Test
{
protected:
    RecordListModelTest()
    {
        m_db.CreateTables();
        m_model = wxObjectDataPtr<HoldBillTestModel>(new HoldBillTestModel(&m_db));
        m_notifier = new RecordingNotifier(m_log);
        m_model->AddNotifier(m_notifier); // owned by the model
    }

    trade_HoldBillFactory& Bills() { return *m_db.m_trade_HoldBill_table; }

    wxVariant Cell(unsigned int row, unsigned int column) const
    {
        wxVariant value;
        m_model->GetValueByRow(value, row, column);
        return value;
    }

    RecordStore m_db;
    std::vector<std::string> m_log;
    wxObjectDataPtr<HoldBillTestModel> m_model;
    RecordingNotifier* m_notifier;
};

using Log = std::vector<std::string>;

} // namespace

TEST(ListColumnTest, TheTableIsAppendedInModelColumnOrderWithTiesKeepingTheirOrder)
{
    const std::vector<ListColumn> table = {{"Time", 7, 0, 80, wxALIGN_RIGHT},
                                           {"Bid", 1, 0, 65, wxALIGN_RIGHT},
                                           RowNumberColumn(45),
                                           {"Ask", 2, 0, 65, wxALIGN_RIGHT},
                                           {"Last", 6, 0, 60, wxALIGN_RIGHT},
                                           {"Ask again", 2, 0, 1, wxALIGN_RIGHT}};
    std::vector<wxString> titles;
    for(const ListColumn& column : SortByModelColumn(table)) {
        titles.push_back(column.title);
    }
    const std::vector<wxString> expected = {"", "Bid", "Ask", "Ask again", "Last", "Time"};
    EXPECT_EQ(titles, expected);

    const ListColumn number = RowNumberColumn(-2);
    EXPECT_TRUE(number.title.empty());
    EXPECT_EQ(number.modelColumn, 0);
    EXPECT_EQ(number.mode, 0);
    EXPECT_EQ(number.width, -2);
    EXPECT_EQ(number.alignment, 256);
}

TEST_F(RecordListModelTest, AnAddedRecordIsTheLastRowNumberedByTheCount)
{
    EXPECT_EQ(m_model->GetCount(), 0u); // an empty table shows no rows
    for(const char* code : {"H0001", "H0002", "H0003"}) {
        ASSERT_TRUE(Bills().Insert(Bill(code)).second);
    }
    EXPECT_EQ(m_log, (Log{"add 0", "add 1", "add 2"}));
    EXPECT_EQ(m_model->GetCount(), 3u);
    EXPECT_EQ(Cell(2, eBillRow).GetLong(), 3);
    EXPECT_EQ(Cell(2, eBillCode).GetString(), "H0003");
    EXPECT_EQ(Cell(2, eBillQuantity).GetDouble(), 2.0);
    EXPECT_EQ(m_model->GetColumnType(eBillQuantity), "string");
    EXPECT_EQ(m_model->GetColumnCount(), static_cast<unsigned int>(eBillColumns));
}

TEST_F(RecordListModelTest, AnUpdateNotifiesOnlyItsRow)
{
    for(const char* code : {"H0001", "H0002", "H0003"}) {
        Bills().Insert(Bill(code));
    }
    m_log.clear();
    ASSERT_TRUE(Bills().Update(Bills().Find("H0002"), Bill("H0002", 101, 7)));
    EXPECT_EQ(m_log, (Log{"change 1"}));
    EXPECT_EQ(Cell(1, eBillQuantity).GetDouble(), 7.0);
}

TEST_F(RecordListModelTest, ARemovalNotifiesWhileTheRecordIsStoredAndTheRowsBelowMoveUp)
{
    for(const char* code : {"H0001", "H0002", "H0003"}) {
        Bills().Insert(Bill(code));
    }
    m_log.clear();
    bool storedWhileNotified = false;
    m_notifier->onDeleted = [&](unsigned int) {
        storedWhileNotified = Bills().Find("H0002") != Bills().GetIndexByPrimary().end();
    };
    ASSERT_TRUE(Bills().Remove(Bills().Find("H0002")));
    EXPECT_EQ(m_log, (Log{"delete 1"}));
    EXPECT_TRUE(storedWhileNotified);
    EXPECT_EQ(m_model->GetCount(), 2u);
    EXPECT_EQ(Cell(1, eBillCode).GetString(), "H0003");
    EXPECT_EQ(Cell(1, eBillRow).GetLong(), 2);
}

TEST_F(RecordListModelTest, AFailedLookupNotifiesNothing)
{
    Bills().Insert(Bill("H0001"));
    m_log.clear();
    const trade_HoldBill stranger = Bill("H0404");
    m_model->afterUpdate(stranger, nullptr, nullptr);
    EXPECT_TRUE(m_model->beforeRemove(stranger, nullptr, nullptr)); // never a veto
    EXPECT_TRUE(m_log.empty());

    // An added record that cannot be found is a fault worth an assertion.
    static std::vector<std::string> asserted;
    asserted.clear();
    wxAssertHandler_t previous = wxSetAssertHandler(
        [](const wxString&, int, const wxString& func, const wxString& cond, const wxString&) {
            asserted.push_back(func.utf8_string() + " " + cond.utf8_string());
        });
    m_model->afterAdd(stranger, nullptr, nullptr);
    wxSetAssertHandler(previous);
    EXPECT_EQ(asserted, (std::vector<std::string>{"HoldBillTestModel::afterAdd row != (-1)"}));
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(m_model->GetCount(), 1u);
}

TEST_F(RecordListModelTest, ARowWhoseLinkedRecordsAreMissingIsEmptyRowNumberIncluded)
{
    Bills().Insert(Bill("H0001", 0));
    Bills().Insert(Bill("H0002", 101, 12));
    for(unsigned int column = 0; column < eBillColumns; ++column) {
        EXPECT_TRUE(Cell(0, column).IsNull()) << column;
        wxDataViewItemAttr attr;
        EXPECT_FALSE(m_model->GetAttrByRow(0, column, attr)) << column;
    }
    EXPECT_EQ(Cell(1, eBillRow).GetLong(), 2);
    EXPECT_TRUE(Cell(1, eBillColumns).IsNull()); // outside the table
    EXPECT_TRUE(Cell(5, eBillCode).IsNull());    // no such row
    wxDataViewItemAttr attr;
    EXPECT_TRUE(m_model->GetAttrByRow(1, eBillQuantity, attr));
    EXPECT_EQ(attr.GetColour(), wxColour(255, 0, 0));
}

TEST_F(RecordListModelTest, AModelOverAFilledTableShowsItsRowsAndStopsObservingWhenItGoes)
{
    Bills().Insert(Bill("H0001"));
    Bills().Insert(Bill("H0002"));
    {
        wxObjectDataPtr<HoldBillTestModel> late(new HoldBillTestModel(&m_db));
        EXPECT_EQ(late->GetCount(), 2u);
        EXPECT_EQ(late->GetObservedTable(), &Bills());
        Bills().Insert(Bill("H0003"));
        EXPECT_EQ(late->GetCount(), 3u);
    }
    // The late model is gone: the table calls only the first one now.
    m_log.clear();
    Bills().Insert(Bill("H0004"));
    EXPECT_EQ(m_log, (Log{"add 3"}));
}

TEST_F(RecordListModelTest, OnlyASelectionOfOneRecordRowIsActedOn)
{
    wxObjectDataPtr<TotalRowModel> totals(new TotalRowModel(&m_db));
    Bills().Insert(Bill("H0001"));
    Bills().Insert(Bill("H0002"));
    auto selection = [&](std::initializer_list<unsigned int> rows) {
        wxDataViewItemArray items;
        for(unsigned int row : rows) {
            items.push_back(totals->GetItem(row));
        }
        return items;
    };
    EXPECT_EQ(totals->GetSelectedRecord(selection({})), nullptr);
    ASSERT_NE(totals->GetSelectedRecord(selection({1})), nullptr);
    EXPECT_EQ(totals->GetSelectedRecord(selection({1}))->orderCode, "H0002");
    EXPECT_EQ(totals->GetSelectedRecord(selection({0, 1})), nullptr);
    EXPECT_EQ(totals->GetSelectedRecord(selection({2})), nullptr); // the total row
    wxVariant total;
    totals->GetValueByRow(total, 2, eBillCode);
    EXPECT_EQ(total.GetString(), "Total");
}

TEST_F(RecordListModelTest, FindingARowByKeyIsCaseSensitiveAndSkipsTheTotalRow)
{
    wxObjectDataPtr<TotalRowModel> totals(new TotalRowModel(&m_db));
    for(const char* code : {"H0001", "h0002", "H0002"}) {
        Bills().Insert(Bill(code));
    }
    const struct
    {
        const char* key;
        int row;
    } cases[] = {{"H0001", 0}, {"H0002", 2}, {"h0002", 1}, {"h0001", -1}, {"Total", -1}, {"", -1}};
    for(const auto& c : cases) {
        EXPECT_EQ(totals->FindRow(c.key, &trade_HoldBill::orderCode), c.row) << c.key;
    }
}
