// The OTC quote board on the logged-in test bed, at the start and under a
// flood: what the list shows is what a fresh paint of its model shows, and
// the model's cells are the market's prices.
#include "MarketState.h"
#include "TestBed.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "panes/SymbolModel.h"
#include "panes/SymbolPane.h"

#include <gtest/gtest.h>
#include <map>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmDataViewCtrl.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>

namespace {

constexpr int kCopies = 150;

wxImage Grab(wxWindow& list)
{
    const wxSize size = list.GetClientSize();
    wxBitmap shot(size);
    {
        wxClientDC screen(&list);
        wxMemoryDC memory(shot);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    return shot.ConvertToImage();
}

bool SameImage(const wxImage& a, const wxImage& b)
{
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

// The board in front, its flashes over and the changes it waits to repaint
// told to the list now, as the next refresh tick would.
void ShowBoard(TestBed& bed, SymbolPane& board)
{
    Notebook& workspace = *bed.Host().Manager().GetWorkspaceBook();
    workspace.SetSelection(static_cast<size_t>(workspace.GetPageIndex(&board)));
    board.GetList()->UnselectAll();
    ASSERT_TRUE(PumpUntil(
        [&] { return board.GetModel()->GetHighlightCount() == 0 && board.GetList()->IsShownOnScreen(); }));
    board.GetModel()->FlushChanges();
    board.GetList()->Update();
}

// What the list shows now against what it shows once drawn whole again
// (hidden and shown): a row the board failed to repaint differs.
::testing::AssertionResult ShowsItsModel(SymbolPane& board)
{
    pmDataViewCtrl& list = *board.GetList();
    const wxImage shown = Grab(list);
    list.Hide();
    list.Show();
    list.Update();
    wxImage fresh;
    if(!PumpUntil([&] {
           fresh = Grab(list);
           return SameImage(fresh, Grab(list));
       })) {
        return ::testing::AssertionFailure() << "the list does not settle";
    }
    if(!SameImage(shown, fresh)) {
        shown.SaveFile("quote_board_shown.png", wxBITMAP_TYPE_PNG);
        fresh.SaveFile("quote_board_fresh.png", wxBITMAP_TYPE_PNG);
        return ::testing::AssertionFailure() << "the list shows cells it did not repaint";
    }
    return ::testing::AssertionSuccess();
}

// The rows the list shows: each one's Bid, Ask and Last as the market has them.
::testing::AssertionResult VisibleCellsAreTheMarkets(SymbolPane& board, const nlohmann::json& state)
{
    std::map<int, nlohmann::json> prices;
    for(const auto& price : state["prices"]) {
        prices[price.value("symbol", 0)] = price;
    }
    SymbolModel& model = *board.GetModel();
    const unsigned int top = model.GetRow(board.GetList()->GetTopItem());
    const unsigned int end = std::min(model.GetCount(), top + board.GetList()->GetCountPerPage());
    if(end <= top) {
        return ::testing::AssertionFailure() << "no row shown";
    }
    for(unsigned int row = top; row < end; ++row) {
        const symbol_Info& symbol = *model.GetSymbolAt(row);
        const nlohmann::json& price = prices[symbol.symbolId];
        const int digits = price.value("digits", 0);
        for(const auto& [column, key] :
            {std::pair{SymbolModel::eBid, "bid"}, std::pair{SymbolModel::eAsk, "ask"},
             std::pair{SymbolModel::eLast, "last"}}) {
            wxVariant value;
            model.GetValueByRow(value, row, column);
            const wxString expected = FormatPrice(price.value(key, 0.0), digits);
            if(value.GetString() != expected) {
                return ::testing::AssertionFailure()
                       << symbol.symbolCode << " " << key << ": " << value.GetString() << " shown, "
                       << expected << " at the market";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// Counts the quotes of each symbol.
class QuoteCounter : public CActionTrigger<symbol_price>
{
public:
    explicit QuoteCounter(RecordStore& store) : m_store(store)
    {
        m_store.m_symbol_price_table->AddActionTrigger(this);
    }
    ~QuoteCounter() override { m_store.m_symbol_price_table->RemoveActionTrigger(this); }
    void afterUpdate(const symbol_price& stored, CTransaction*, void*) override { ++counts[stored.symbolId]; }

    std::map<int, int> counts;

private:
    RecordStore& m_store;
};

} // namespace

TEST(QuoteBoardUnderAFlood, RepaintsEveryVisibleRowWithTheMarketsPrices)
{
    // The demo market and 150 copies of AG in its market 1: far more rows
    // change in one refresh tick than a screen holds.
    TestBed::Options options;
    options.market.scenario = nlohmann::json::parse(simmarket::DefaultScenarioText());
    nlohmann::json& symbols = options.market.scenario["symbols"];
    const nlohmann::json ag = symbols[0];
    ASSERT_EQ(ag["code"], "AG");
    for(int i = 0; i < kCopies; ++i) {
        nlohmann::json copy = ag;
        copy["id"] = 5000 + i;
        copy["code"] = "AG" + std::to_string(i);
        copy["name"] = "Silver " + std::to_string(i);
        symbols.push_back(copy);
    }
    TestBed bed(options);
    ASSERT_TRUE(bed.Start());
    SymbolPane& board = *bed.Plugin().GetOtcSymbolPane();
    ASSERT_TRUE(PumpUntil([&] { return board.GetModel()->GetCount() == kCopies + 2; }))
        << board.GetModel()->GetCount() << " rows of "
        << bed.Store().m_symbol_Info_table->GetIndexByPrimary().size() << " symbols";
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    ShowBoard(bed, board);

    QuoteCounter quotes(bed.Store());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=20"), 200);
    SymbolModel& model = *board.GetModel();
    ASSERT_TRUE(PumpUntil(
        [&] {
            for(unsigned int row = 0; row < 10; ++row) {
                if(quotes.counts[model.GetSymbolAt(row)->symbolId] < 5) {
                    return false;
                }
            }
            return true;
        },
        std::chrono::seconds(30)));
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    // The pushes on their way arrive.
    ASSERT_TRUE(PumpUntil([&] { return VisibleCellsAreTheMarkets(board, bed.Market().State()); },
                          std::chrono::seconds(10)))
        << VisibleCellsAreTheMarkets(board, bed.Market().State()).message();

    ShowBoard(bed, board);
    EXPECT_TRUE(ShowsItsModel(board));
}

TEST(QuoteBoardAtTheStart, FillsWhenTheTradeLoginAnswersAfterTheSymbolListAndAtTheNextLogin)
{
    // The trade front answers nothing: the client moves to the second one
    // after the market-data front has listed the symbols.
    TestBed bed;
    ASSERT_EQ(bed.Market().Post("/admin/front?name=trade1&action=mute"), 200);
    ASSERT_TRUE(bed.Start());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    SymbolPane& board = *bed.Plugin().GetOtcSymbolPane();
    ASSERT_TRUE(PumpUntil([&] { return board.GetModel()->GetCount() == 2; }));
    ShowBoard(bed, board);
    EXPECT_TRUE(VisibleCellsAreTheMarkets(board, bed.Market().State()));
    EXPECT_TRUE(ShowsItsModel(board));

    // A login again meets the same order of answers.
    bed.Logout();
    ASSERT_TRUE(bed.Login());
    ASSERT_TRUE(PumpUntil([&] { return board.GetModel()->GetCount() == 2; }));
    ShowBoard(bed, board);
    EXPECT_TRUE(VisibleCellsAreTheMarkets(board, bed.Market().State()));
    EXPECT_TRUE(ShowsItsModel(board));
}
