// The next user at the desk, on the logged-in test bed: a login in another's
// place and a kick-out (a logout ends a login the same way) leave nothing of
// the last user on any page: what every list, choice, output line, centre
// page, open dialog and chart label shows.
#include "TestBed.h"
#include "frame/TessrinPlugin.h"
#include "funds/MoneyDialog.h"
#include "history/HistoryCashPanel.h"
#include "history/HistoryNoticeMgr.h"
#include "history/HistoryPane.h"
#include "orders/OrderDialog.h"

#include <algorithm>
#include <chartlib/BaseChart.h>
#include <chartlib/DrawArea.h>
#include <functional>
#include <gtest/gtest.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmChartViewer.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace std::chrono_literals;

namespace {

// The texts the windows draw (list cells, choices, labels, fields, the
// chart's price label, the output window's rows) that hold a marker.
std::vector<std::string> Shown(TestBed& bed, const std::vector<wxString>& markers)
{
    std::vector<wxString> texts;
    std::function<void(wxWindow*)> collect = [&](wxWindow* window) {
        if(window->IsTopLevel() && !window->IsShown()) {
            return; // a dialog that has ended
        }
        if(auto* list = dynamic_cast<wxDataViewCtrl*>(window)) {
            auto* model = dynamic_cast<wxDataViewListModel*>(list->GetModel());
            for(unsigned row = 0; model && row < model->GetCount(); ++row) {
                for(unsigned i = 0; i < list->GetColumnCount(); ++i) {
                    wxVariant value;
                    model->GetValueByRow(value, row, list->GetColumn(i)->GetModelColumn());
                    texts.push_back(value.GetType() == "string" ? value.GetString() : wxString());
                }
            }
        } else if(auto* choice = dynamic_cast<wxComboBox*>(window)) {
            texts.push_back(wxJoin(choice->GetStrings(), ','));
        } else if(auto* label = dynamic_cast<wxStaticText*>(window)) {
            texts.push_back(label->GetLabel());
        } else if(auto* field = dynamic_cast<wxTextCtrl*>(window)) {
            texts.push_back(field->GetValue());
        } else if(auto* viewer = dynamic_cast<pmChartViewer*>(window); viewer && viewer->getChart()) {
            const chartlib::DrawArea* cursor = viewer->getChart()->getDynamicLayer(); // the latest price
            for(size_t op = 0; cursor && op < cursor->ops().size(); ++op) {
                texts.push_back(wxString::FromUTF8(cursor->ops()[op].text));
            }
        } else if(auto* rows = dynamic_cast<wxListCtrl*>(window)) {
            for(long row = 0; row < rows->GetItemCount(); ++row) {
                for(int column = 0; column < rows->GetColumnCount(); ++column) {
                    texts.push_back(rows->GetItemText(row, column));
                }
            }
        }
        for(wxWindow* child : window->GetChildren()) {
            collect(child);
        }
    };
    collect(&bed.Host().Frame());
    for(wxWindow* window : wxTopLevelWindows) {
        if(window != &bed.Host().Frame()) {
            collect(window); // a dialog open over it
        }
    }
    std::vector<std::string> found;
    for(const wxString& text : texts) {
        if(std::any_of(markers.begin(), markers.end(),
                       [&](const wxString& marker) { return text.Contains(marker); })) {
            found.push_back(text.utf8_string());
        }
    }
    return found;
}

} // namespace

TEST(NextUserAtTheDesk, ALoginInPlaceAndAKickOutLeaveNothingOfTheLastUserOnAnyPage)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    OutputWindow& output = bed.Host().Output();
    HistoryNoticeMgr& notices = *HistoryNoticeMgr::Find();
    Notebook* history = bed.Plugin().GetHistoryPane()->GetNotebook();
    auto* cash = dynamic_cast<HistoryCashPanel*>(history->GetPage(2));
    ASSERT_NE(cash, nullptr);
    const wxString spot = wxString::FromUTF8("现货一部");
    const wxString live = "<*font,bgColor=C080C0"; // the chart's latest price as a quote
    const auto query = [&] {
        cash->GetConditionPanel()->GetStartDate()->SetValue(wxDateTime::Today() - wxDateSpan::Days(30));
        cash->GetConditionPanel()->GetMarketChoice()->SetStringSelection(spot);
        cash->StartQuery();
        return PumpUntil([&] { return !cash->IsQueryRunning(); }, 15s);
    };

    // demo's day: bulletins (one for demo alone) and a money line in the
    // output window, the cash history, the sales report, the chart's price.
    ASSERT_TRUE(PumpUntil([&] { return output.GetEntryCount() == 3; }, 20s));
    ASSERT_EQ(bed.Market().Post("/admin/inout?id=502&state=3"), 200);
    ASSERT_TRUE(PumpUntil([&] { return output.GetEntryCount() == 4; }));
    ASSERT_TRUE(query());
    ASSERT_TRUE(bed.Host().SendMenuCommand("Sales_report"));
    ASSERT_TRUE(PumpUntil([&] { return !Shown(bed, {live}).empty(); }, 20s));
    ASSERT_GT(cash->GetModel()->GetCount(), 1u);
    const std::vector<wxString> demo = {wxString::FromUTF8("撮合二部"), wxString::FromUTF8("元旦"),
                                        "InOut Nofity", "SalesReportSDate"};
    for(const wxString& marker : demo) {
        ASSERT_FALSE(Shown(bed, {marker}).empty()) << marker;
    }

    // second in demo's place: nothing of demo's, the history empty until
    // asked, and second's first bulletin poll asks from the start.
    ASSERT_TRUE(bed.Login("second", "second1"));
    ASSERT_TRUE(PumpUntil([&] { return notices.GetCount() == 2 && output.GetEntryCount() == 2; }, 20s));
    EXPECT_EQ(Shown(bed, demo), std::vector<std::string>{});
    EXPECT_EQ(cash->GetModel()->GetCount(), 0u);
    EXPECT_EQ(
        bed.Market().State()["requests"].dump().find("userid=1002&msg_count=20&tradeMarketId=1&curtime"),
        std::string::npos);

    // The market logs second out while his order window and deposit dialog
    // are open: behind the box that says so nothing of second's stays, the
    // dialogs neither, and the chart's price is no quote any more.
    const std::vector<wxString> second = {spot, "50000.00", wxString::FromUTF8("系统维护公告")};
    ASSERT_FALSE(Shown(bed, second).empty());
    std::vector<std::string> behindTheBox = {"(no box)"};
    bed.Dialogs().Answer(
        [&](wxDialog&) {
            behindTheBox = Shown(bed, second);
            for(wxWindow* window : wxTopLevelWindows) {
                if(auto* deposit = dynamic_cast<MoneyDialog*>(window); deposit && deposit->IsModal()) {
                    deposit->EndModal(wxID_CANCEL); // left open: the test fails, and ends
                }
            }
            return wxID_OK;
        },
        [](wxDialog& dialog) { return dialog.GetTitle() == "Notify"; });
    bed.Dialogs().Answer(
        [&](wxDialog&) {
            return bed.Market().Post("/admin/kick?user=second") == 200 ? wxID_NONE : wxID_CANCEL;
        },
        [](wxDialog& dialog) { return dynamic_cast<MoneyDialog*>(&dialog) != nullptr; });
    ASSERT_TRUE(bed.Host().SendMenuCommand("new_buy_order"));
    ASSERT_TRUE(PumpUntil([] { return !OrderDialog::GetOpenDialogs().empty(); }));
    ASSERT_TRUE(bed.Host().SendMenuCommand("in_money"));
    ASSERT_TRUE(PumpUntil([&] { return bed.Host().kicked == 1; }));
    EXPECT_EQ(behindTheBox, std::vector<std::string>{});
    EXPECT_TRUE(OrderDialog::GetOpenDialogs().empty()); // nor his order window
    EXPECT_TRUE(PumpUntil([&] { return !Shown(bed, {"(stale)"}).empty(); }));
}
