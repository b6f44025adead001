// The quote board's model over a record store: marks and flashes of quotes,
// cell texts and the three row orders, without a display.
#include "panes/SymbolModel.h"

#include "DrawnContrast.h"
#include "SymbolBoardFixture.h"
#include "common/Colours.h"
#include "common/RefreshClock.h"

#include <cmath>
#include <gtest/gtest.h>
#include <pelmora/ColoursAndFontsManager.h>

namespace {

wxColour PriceColour(bool rising)
{
    return Colours::BoardPriceText(rising, ColoursAndFontsManager::Get().IsDark());
}

class SymbolModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.CreateTables();
        model = new SymbolModel(&store, nullptr);
        model->SetClock([this] { return now; });
        model->AddNotifier(log = new RowLog);
    }
    void TearDown() override { model->DecRef(); }

    void Show(std::initializer_list<BoardSymbol> symbols)
    {
        for(const BoardSymbol& symbol : symbols) {
            AddBoardSymbol(store, symbol);
            const symbol_Info* info = FindBoardSymbol(store, symbol.id);
            model->GetRows().Insert(SymbolModelRow{symbol.userId, symbol.id, 0, info});
        }
    }
    wxString Text(unsigned int row, unsigned int column) const
    {
        wxVariant value;
        model->GetValueByRow(value, row, column);
        if(column == SymbolModel::eSymbol) {
            wxDataViewIconText iconText;
            iconText << value;
            return iconText.GetText();
        }
        return value.IsNull() ? wxString() : value.GetString();
    }
    wxDataViewItemAttr Attr(unsigned int row, unsigned int column) const
    {
        wxDataViewItemAttr attr;
        model->GetAttrByRow(row, column, attr);
        return attr;
    }
    std::vector<std::string> Codes() const
    {
        std::vector<std::string> codes;
        for(const wxString& code : model->GetSymbolCodes()) {
            codes.push_back(code.ToStdString());
        }
        return codes;
    }

    RecordStore store;
    SymbolModel* model = nullptr;
    RowLog* log = nullptr; // owned by the model
    wxDateTime now = wxDateTime(1, wxDateTime::Mar, 2026, 10, 0, 0);
};

TEST_F(SymbolModelTest, ARiseMarksUpASamePriceKeepsTheMarkAndFlashesAgain)
{
    Show({{101, "AG", "Silver", '1', 1, 0, 5000}, {102, "PT", "Platinum", '1', 2, 2, 380.5}});
    log->entries.clear();

    MoveLast(store, 102, 381.0);
    EXPECT_EQ(model->GetRowAt(1)->m_mark, SymbolModel::eUp);
    EXPECT_EQ(model->GetRowAt(0)->m_mark, SymbolModel::eNoMark);
    EXPECT_EQ(log->entries, std::vector<std::string>({"change 1"}));
    for(unsigned int column : {SymbolModel::eBid, SymbolModel::eAsk, SymbolModel::eLast}) {
        EXPECT_EQ(Attr(1, column).GetColour(), PriceColour(true)) << column;
        EXPECT_TRUE(Attr(1, column).HasBackgroundColour()) << column;
    }
    EXPECT_FALSE(Attr(1, SymbolModel::eHigh).HasColour());
    EXPECT_FALSE(Attr(0, SymbolModel::eLast).HasColour());

    // 400 ms later the same price again: mark kept, flash stamped anew.
    now += wxTimeSpan::Milliseconds(400);
    MoveLast(store, 102, 381.0);
    EXPECT_EQ(model->GetRowAt(1)->m_mark, SymbolModel::eUp);
    now += wxTimeSpan::Milliseconds(200); // 600 ms after the first stamp
    EXPECT_FALSE(model->ExpireHighlights());
    EXPECT_TRUE(model->IsHighlighted(FindBoardSymbol(store, 102)));
    now += wxTimeSpan::Milliseconds(300);
    log->entries.clear();
    EXPECT_TRUE(model->ExpireHighlights());
    EXPECT_FALSE(Attr(1, SymbolModel::eLast).HasBackgroundColour());
    EXPECT_EQ(Attr(1, SymbolModel::eLast).GetColour(), PriceColour(true));
    EXPECT_EQ(log->entries, std::vector<std::string>({"change 1"}));

    MoveLast(store, 102, 379.0);
    EXPECT_EQ(model->GetRowAt(1)->m_mark, SymbolModel::eDown);
    EXPECT_EQ(Attr(1, SymbolModel::eBid).GetColour(), PriceColour(false));
}

TEST_F(SymbolModelTest, APriceReadsAtFourAndAHalfToOneOnEveryBoardBackgroundInBothThemes)
{
    Show({{101, "AG", "Silver", '1', 1, 0, 5000}, {102, "PT", "Platinum", '1', 2, 2, 380.5}});
    for(const bool dark : {true, false}) {
        ColoursAndFontsManager::Get().SetDark(dark);
        const ColoursAndFontsManager& theme = ColoursAndFontsManager::Get();
        // Silver rises, then falls; platinum flashes without a direction.
        for(const double last : {5010.0, 4990.0}) {
            MoveLast(store, 101, last);
            MoveLast(store, 102, 380.5);
            for(const bool flashing : {true, false}) {
                if(!flashing) {
                    now += wxTimeSpan::Seconds(1);
                    model->ExpireHighlights();
                }
                for(unsigned int row : {0u, 1u}) {
                    const wxDataViewItemAttr attr = Attr(row, SymbolModel::eBid);
                    const wxColour text = attr.HasColour() ? attr.GetColour() : theme.GetFgColour();
                    const wxColour back =
                        attr.HasBackgroundColour() ? attr.GetBackgroundColour() : theme.GetBgColour();
                    EXPECT_GE(Contrast(text, back), 4.5)
                        << "dark " << dark << ", row " << row << ", last " << last << ", flashing "
                        << flashing << ": " << text.GetRGB() << " on " << back.GetRGB();
                }
            }
        }
    }
    ColoursAndFontsManager::Get().SetDark(true);
}

TEST_F(SymbolModelTest, AFlashLivesAtLeastHalfASecondAndSurvivesAClockSetBack)
{
    Show({{101, "AG", "Silver"}, {102, "PT", "Platinum"}});
    const wxDateTime stamp = now;
    MoveLast(store, 101, 11.0);
    now = stamp + wxTimeSpan::Milliseconds(100);
    MoveLast(store, 102, 12.0);
    EXPECT_EQ(model->GetHighlightCount(), 2u);

    now = stamp - wxTimeSpan::Seconds(10); // the clock went back
    EXPECT_FALSE(model->ExpireHighlights());
    EXPECT_EQ(model->GetHighlightCount(), 2u);
    EXPECT_EQ(model->GetMsToNextExpiry(), SymbolModel::kHighlightMs);
    now = stamp + wxTimeSpan::Milliseconds(499);
    EXPECT_FALSE(model->ExpireHighlights());
    EXPECT_EQ(model->GetHighlightCount(), 2u);
    EXPECT_EQ(model->GetMsToNextExpiry(), 1); // the board's timer wakes for the oldest
    now = stamp + wxTimeSpan::Milliseconds(500);
    EXPECT_FALSE(model->ExpireHighlights()); // the older one only
    EXPECT_FALSE(model->IsHighlighted(FindBoardSymbol(store, 101)));
    EXPECT_TRUE(model->IsHighlighted(FindBoardSymbol(store, 102)));
    EXPECT_EQ(model->GetMsToNextExpiry(), 100);
    now = stamp + wxTimeSpan::Milliseconds(600);
    EXPECT_TRUE(model->ExpireHighlights());
}

TEST_F(SymbolModelTest, CellTextsFollowTheQuoteDecimalsAndShowDashesWithoutAPrice)
{
    const wxString dashes = wxString::FromUTF8("\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94");
    Show({{101, "AG", "Silver", '1', 1, 3, 10.5, 2, 1},
          {201, "CU", "Copper", '2', 2, 1, 68500.0, 5, 5},
          {102, "PT", "Platinum", '1', 3, 2, 0.0, 30, 30}});
    struct Case
    {
        unsigned int row;
        unsigned int column;
        const char* text;
    };
    const Case cases[] = {
        {0, SymbolModel::eSymbol, "   Silver"}, {0, SymbolModel::eBid, "10.499"},
        {0, SymbolModel::eAsk, "10.502"},       {0, SymbolModel::eLast, "10.500"},
        {0, SymbolModel::eHigh, "10.500"},      {1, SymbolModel::eLast, "68500.0"},
        {1, SymbolModel::eBid, "68500.0"},      {1, SymbolModel::eAsk, "68500.0"},
        {2, SymbolModel::eLast, "0.00"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(Text(c.row, c.column), c.text) << c.row << "/" << c.column;
    }
    // The aggregate market trades at its last price (above); a last price
    // of 0 shows dashes for both sides.
    EXPECT_EQ(Text(2, SymbolModel::eBid) + Text(2, SymbolModel::eAsk), dashes + dashes);
    EXPECT_EQ(Text(3, SymbolModel::eLast), ""); // past the rows
}

TEST_F(SymbolModelTest, TheThreeOrdersAreStableAndPutUnlistedCodesFirst)
{
    // Nothing to sort: no change, no crash.
    model->SortByDefaultOrder();
    model->SortByColumn(1, false);
    model->SortByCustomOrder(wxArrayString());
    EXPECT_TRUE(Codes().empty());

    Show({{101, "AG", "Silver", '1', 3},
          {102, "PT", "Platinum", '1', 1},
          {103, "AU", "Gold", '1', 3},
          {104, "CU", "Copper", '1', 2}});
    model->SortByDefaultOrder(); // equal arrival numbers keep their order
    EXPECT_EQ(Codes(), std::vector<std::string>({"PT", "CU", "AG", "AU"}));

    model->SortByColumn(SymbolModel::eBid, true); // any column orders by name
    EXPECT_EQ(Codes(), std::vector<std::string>({"CU", "AU", "PT", "AG"}));
    model->SortByColumn(SymbolModel::eSymbol, false);
    EXPECT_EQ(Codes(), std::vector<std::string>({"AG", "PT", "AU", "CU"}));

    wxArrayString custom;
    custom.Add("AU");
    custom.Add("XX");
    custom.Add("AG");
    model->SortByCustomOrder(custom);
    // PT and CU are not listed: first, in address order, then AU and AG.
    const std::vector<std::string> codes = Codes();
    ASSERT_EQ(codes.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(codes.begin() + 2, codes.end()),
              std::vector<std::string>({"AU", "AG"}));
    const bool ptFirst = FindBoardSymbol(store, 102) < FindBoardSymbol(store, 104);
    EXPECT_EQ(codes[0], ptFirst ? "PT" : "CU");

    model->SortByCustomOrder(wxArrayString()); // an empty list keeps the order
    EXPECT_EQ(Codes(), codes);
}

TEST_F(SymbolModelTest, EqualNamesSortByAddressAndDescendingIsTheExactReverse)
{
    Show({{101, "A1", "Same"}, {102, "A2", "Same"}, {103, "A3", "Same"}, {104, "B", "Other"}});
    model->SortByColumn(0, true);
    const std::vector<std::string> ascending = Codes();
    EXPECT_EQ(ascending.front(), "B");
    model->SortByColumn(0, false);
    std::vector<std::string> descending = Codes();
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(descending, ascending);
}

TEST_F(SymbolModelTest, RowsFollowTheRowTableAndAQuoteOfAnUnlistedSymbolChangesNothing)
{
    Show({{101, "AG", "Silver"}, {102, "PT", "Platinum"}});
    EXPECT_EQ(log->entries, std::vector<std::string>({"add 0", "add 1"}));
    EXPECT_EQ(model->GetCount(), 2u);
    AddBoardSymbol(store, {103, "AU", "Gold"});
    log->entries.clear();
    MoveLast(store, 103, 99.0);
    EXPECT_TRUE(log->entries.empty());
    EXPECT_EQ(model->GetHighlightCount(), 0u);

    SymbolModelFactory& rows = model->GetRows();
    rows.Remove(rows.FindBySymbol(FindBoardSymbol(store, 101)));
    EXPECT_EQ(log->entries, std::vector<std::string>({"delete 0"}));
    EXPECT_EQ(model->GetCount(), 1u);
    EXPECT_EQ(Codes(), std::vector<std::string>({"PT"}));
}

// On the refresh clock a flood of quotes reaches the control once per row at
// the tick; the board hears of every flash, and a sort tells the marks first
// (they name rows by the old order).
TEST_F(SymbolModelTest, OnTheClockQuotesReachTheControlOncePerRowAtTheTick)
{
    RefreshClock clock;
    auto* clocked = new SymbolModel(&store, nullptr, &clock);
    auto* clockedLog = new RowLog;
    clocked->AddNotifier(clockedLog);
    int flashes = 0;
    clocked->SetFlashListener([&flashes] { ++flashes; });
    for(const BoardSymbol& symbol : {BoardSymbol{101, "AG", "Silver"}, BoardSymbol{102, "PT", "Platinum"}}) {
        AddBoardSymbol(store, symbol);
        clocked->GetRows().Insert(
            SymbolModelRow{symbol.userId, symbol.id, 0, FindBoardSymbol(store, symbol.id)});
    }
    clockedLog->entries.clear();
    for(int i = 1; i <= 10; ++i) {
        MoveLast(store, 100 + (i % 2 ? 1 : 2), 10.0 + i);
    }
    EXPECT_TRUE(clockedLog->entries.empty());
    EXPECT_EQ(flashes, 10);
    EXPECT_TRUE(clock.IsRunning());
    clock.Tick();
    EXPECT_EQ(clockedLog->entries, std::vector<std::string>({"change 0", "change 1"}));
    EXPECT_FALSE(clock.IsRunning());

    clockedLog->entries.clear();
    MoveLast(store, 101, 30.0);
    clocked->SortByCustomOrder(wxSplit("PT,AG", ','));
    EXPECT_EQ(clockedLog->entries, std::vector<std::string>({"change 0"}));
    EXPECT_FALSE(clock.IsRunning());
    clocked->DecRef();
}

} // namespace
