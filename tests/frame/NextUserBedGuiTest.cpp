// The next user at the desk, on the logged-in test bed: a login as another
// user, a kick-out and a logout leave nothing of the last user on any page
// (what every list, choice, notice line, centre page and chart label shows),
// and the next user's bulletin poll starts afresh at the market.
#include "TestBed.h"
#include "charts/ChartViewerPanel.h"
#include "connection/Client.h"
#include "db/RecordStore.h"
#include "common/ListPane.h"
#include "db/user_AttPay.h"
#include "frame/TessrinPlugin.h"
#include "history/HistoryCashPanel.h"
#include "history/HistoryOrderPane.h"
#include "history/HistoryPane.h"
#include "history/NoticeMessageModel.h"

#include <chartlib/BaseChart.h>
#include <chartlib/DrawArea.h>
#include <gtest/gtest.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/OutputWindow.h>
#include <pelmora/pmChartViewer.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dataview.h>
#include <wx/listctrl.h>

using namespace std::chrono_literals;

namespace {

// Every text the window draws: list cells, choices and the output window's
// rows, each as "where: text".
void Collect(const wxString& where, wxWindow* window, std::vector<wxString>& texts)
{
    if(auto* list = dynamic_cast<wxDataViewCtrl*>(window)) {
        auto* model = dynamic_cast<wxDataViewListModel*>(list->GetModel());
        for(unsigned row = 0; model && row < model->GetCount(); ++row) {
            for(unsigned i = 0; i < list->GetColumnCount(); ++i) {
                wxVariant value;
                model->GetValueByRow(value, row, list->GetColumn(i)->GetModelColumn());
                if(value.GetType() == "string") {
                    texts.push_back(where + ": " + value.GetString());
                }
            }
        }
    } else if(auto* choice = dynamic_cast<wxComboBox*>(window)) {
        texts.push_back(where + ": " + wxJoin(choice->GetStrings(), ','));
    } else if(auto* rows = dynamic_cast<wxListCtrl*>(window)) {
        for(long row = 0; row < rows->GetItemCount(); ++row) {
            for(int column = 0; column < rows->GetColumnCount(); ++column) {
                texts.push_back(where + ": " + rows->GetItemText(row, column));
            }
        }
    }
    for(wxWindow* child : window->GetChildren()) {
        Collect(where, child, texts);
    }
}

// What the pages draw that holds one of the markers.
std::vector<std::string> Shown(TestBed& bed, const std::vector<wxString>& markers)
{
    HostManager& host = bed.Host().Manager();
    std::vector<wxString> texts;
    for(Notebook* book : {host.GetOutputBook(), host.GetWorkspaceBook(), host.GetCentreBook()}) {
        for(size_t i = 0; i < book->GetPageCount(); ++i) {
            texts.push_back("page: " + book->GetPageText(i));
            Collect(book->GetPageText(i), book->GetPage(i), texts);
        }
    }
    Collect("output window", &bed.Host().Output(), texts);
    std::vector<std::string> found;
    for(const wxString& text : texts) {
        for(const wxString& marker : markers) {
            if(text.Contains(marker)) {
                found.push_back(text.utf8_string());
            }
        }
    }
    return found;
}

// The latest-price label on the chart page's cursor layer; empty before it is drawn.
std::string LatestLabel(TestBed& bed)
{
    Notebook* centre = bed.Host().Manager().GetCentreBook();
    for(size_t i = 0; i < centre->GetPageCount(); ++i) {
        auto* chart = dynamic_cast<ChartViewerPanel*>(centre->GetPage(i));
        const chartlib::BaseChart* drawn = chart ? chart->GetChartView()->getChart() : nullptr;
        const chartlib::DrawArea* layer = drawn ? drawn->getDynamicLayer() : nullptr;
        for(size_t op = 0; layer && op < layer->ops().size(); ++op) {
            const std::string& text = layer->ops()[op].text;
            if(text.rfind("<*font,bgColor=C080C0", 0) == 0 || text.rfind("<*font,bgColor=C0C0C0", 0) == 0) {
                return text;
            }
        }
    }
    return std::string();
}

bool IsStale(const std::string& label)
{
    return label.find("(stale)") != std::string::npos;
}

template <class Page> Page* PageOf(TestBed& bed, size_t index)
{
    return dynamic_cast<Page*>(bed.Plugin().GetHistoryPane()->GetNotebook()->GetPage(index));
}

::testing::AssertionResult Query(HistoryQryCtl* page, const wxString& market)
{
    page->GetConditionPanel()->GetStartDate()->SetValue(wxDateTime::Today() - wxDateSpan::Days(30));
    if(!page->GetConditionPanel()->GetMarketChoice()->SetStringSelection(market)) {
        return ::testing::AssertionFailure() << "no market " << market;
    }
    wxButton* button = page->GetConditionPanel()->GetQueryButton();
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
    if(!PumpUntil([&] { return !page->IsQueryRunning(); }, 15s)) {
        return ::testing::AssertionFailure() << "the query did not end";
    }
    return ::testing::AssertionSuccess();
}

wxString Cell(wxDataViewListModel* model, unsigned row, unsigned column)
{
    wxVariant value;
    model->GetValueByRow(value, row, column);
    return value.GetType() == "string" ? value.GetString() : wxString();
}

// The bulletin polls of a user at the market, as asked.
std::vector<std::string> Polls(SimProcess& market, int userId)
{
    std::vector<std::string> polls;
    const nlohmann::json state = market.State();
    for(const auto& entry : state.at("requests")) {
        const std::string query = entry.value("query", "");
        if(entry.value("route", "") == "/bulletin/trader" && entry.value("method", "") == "GET" &&
           query.find("userid=" + std::to_string(userId) + "&") != std::string::npos) {
            polls.push_back(query);
        }
    }
    return polls;
}

} // namespace

TEST(NextUserAtTheDesk, ALoginInPlaceAKickOutAndALogoutLeaveNothingOfTheLastUserOnAnyPage)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    NoticeMessageModel* notices = nullptr;
    Notebook* output = bed.Host().Manager().GetOutputBook();
    for(size_t i = 0; i < output->GetPageCount(); ++i) {
        if(auto* pane = dynamic_cast<ListPane*>(output->GetPage(i));
           pane && output->GetPageText(i) == "Notice ") {
            notices = dynamic_cast<NoticeMessageModel*>(pane->GetList()->GetModel());
        }
    }
    ASSERT_NE(notices, nullptr);

    // demo's day: the first poll's bulletins (one for demo alone) in the
    // notice pane and the output window, a money line, two history pages, the
    // sales report, a bank page and the chart's live price.
    ASSERT_TRUE(
        PumpUntil([&] { return notices->GetCount() == 3 && bed.Host().Output().GetEntryCount() == 3; }, 20s));
    ASSERT_EQ(bed.Market().Post("/admin/inout?id=502&state=3"), 200);
    ASSERT_TRUE(PumpUntil([&] { return bed.Host().Output().GetEntryCount() == 4; }));
    const wxString spot = wxString::FromUTF8("现货一部");
    auto* cash = PageOf<HistoryCashPanel>(bed, 2);
    auto* closed = PageOf<HistoryOrderPane>(bed, 0);
    ASSERT_TRUE(cash && closed);
    ASSERT_TRUE(Query(cash, spot));
    ASSERT_TRUE(Query(closed, spot));
    ASSERT_GT(cash->GetModel()->GetCount(), 1u);
    ASSERT_GT(closed->GetModel()->GetCount(), 1u);
    ASSERT_TRUE(bed.Host().SendMenuCommand("Sales_report"));
    ASSERT_NE(bed.GetClient()->ReqQrySysPayPortInfo(), -1);
    ASSERT_TRUE(PumpUntil([&] { return !bed.Store().m_sys_PayPort_table->GetContainer().empty(); }));
    user_AttPay attachment;
    attachment.attPayId = 7;
    attachment.sysPayPortId = 2;
    attachment.bankUrl = wxString::Format("http://127.0.0.1:%d/bank/sign?qianyue=1", bed.Market().HttpPort());
    bed.Plugin().ShowPayPortPage(attachment);
    ASSERT_TRUE(PumpUntil([&] { return !LatestLabel(bed).empty() && !IsStale(LatestLabel(bed)); }, 20s));
    const std::vector<wxString> demo = {wxString::FromUTF8("撮合二部"),
                                        "Energy",
                                        wxString::FromUTF8("元旦"),
                                        "InOut Nofity",
                                        "salesReportPanel",
                                        "PayPort",
                                        Cell(cash->GetModel(), 0, HistoryCashModel::eAmountAfter),
                                        Cell(closed->GetModel(), 0, CloseBillModel::eOrderCode)};
    for(const wxString& marker : demo) {
        ASSERT_FALSE(Shown(bed, {marker}).empty()) << marker << " is on a page";
    }

    // second logs in in demo's place: nothing of demo's, the history empty
    // until asked, second's own first poll from the start.
    const long long pollsBefore = static_cast<long long>(Polls(bed.Market(), 1002).size());
    ASSERT_TRUE(bed.Login("second", "second1"));
    ASSERT_TRUE(
        PumpUntil([&] { return notices->GetCount() == 2 && bed.Host().Output().GetEntryCount() == 2; }, 20s));
    EXPECT_EQ(Shown(bed, demo), std::vector<std::string>{});
    EXPECT_EQ(cash->GetModel()->GetCount(), 0u);
    EXPECT_EQ(closed->GetModel()->GetCount(), 0u);
    for(unsigned row = 0; row < notices->GetCount(); ++row) {
        wxVariant flag;
        notices->GetValueByRow(flag, row, NoticeMessageModel::eColReadFlag);
        EXPECT_EQ(flag.GetString(), "noRead") << row;
    }
    const std::vector<std::string> polls = Polls(bed.Market(), 1002);
    ASSERT_GT(static_cast<long long>(polls.size()), pollsBefore);
    EXPECT_EQ(polls[pollsBefore].find("curtime"), std::string::npos) << polls[pollsBefore];
    ASSERT_TRUE(Query(cash, spot));
    ASSERT_EQ(cash->GetModel()->GetCount(), 1u);
    EXPECT_EQ(Cell(cash->GetModel(), 0, HistoryCashModel::eAmountBefore), "0.00");
    EXPECT_EQ(Cell(cash->GetModel(), 0, HistoryCashModel::eAmountAfter), "50000.00");

    // The market logs second out: behind the box that says so, nothing of
    // second's stays; the chart's price is no quote then.
    const std::vector<wxString> second = {spot, "50000.00", wxString::FromUTF8("系统维护公告")};
    ASSERT_FALSE(Shown(bed, second).empty());
    std::vector<std::string> behindTheBox = {"(the box never came)"};
    bed.Dialogs().Answer(
        [&](wxDialog&) {
            behindTheBox = Shown(bed, second);
            return wxID_OK;
        },
        [](wxDialog& dialog) { return dialog.GetTitle() == "Notify"; });
    ASSERT_EQ(bed.Market().Post("/admin/kick?user=second"), 200);
    ASSERT_TRUE(PumpUntil([&] { return bed.Host().kicked == 1; }));
    EXPECT_EQ(behindTheBox, std::vector<std::string>{});
    EXPECT_TRUE(PumpUntil([&] { return IsStale(LatestLabel(bed)); })) << LatestLabel(bed);

    // demo again, then the logout: every page as nobody's.
    ASSERT_TRUE(bed.Login("demo", "demo123"));
    ASSERT_TRUE(PumpUntil([&] { return notices->GetCount() == 3 && !IsStale(LatestLabel(bed)); }, 20s));
    bed.Logout();
    std::vector<wxString> anyone = demo;
    anyone.insert(anyone.end(), second.begin(), second.end());
    EXPECT_EQ(Shown(bed, anyone), std::vector<std::string>{});
    EXPECT_EQ(notices->GetCount(), 0u);
    EXPECT_EQ(bed.Host().Output().GetEntryCount(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return IsStale(LatestLabel(bed)); })) << LatestLabel(bed);
}
