#include "TestBed.h"
#include "app/Commands.h"
#include "charts/ChartViewerPanel.h"
#include "charts/SystemSetting.h"
#include "common/SettingsAccessors.h"
#include "common/ToolBarTools.h"
#include "frame/TessrinPlugin.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <pelmora/EditorConfig.h>
#include <pelmora/Notebook.h>
#include <platform/FakeProcessLauncher.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/aui/framemanager.h>
#include <wx/datetime.h>
#include <wx/ffile.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

using namespace std::chrono_literals;

namespace {

void WriteProgram(const wxString& path)
{
    wxFFile file(path, "w");
    file.Write("#!/bin/sh\n");
    file.Close();
    chmod(path.fn_str(), 0755);
}

bool IsDialog(wxDialog& dialog, const char* className)
{
    return DialogScript::ClassNameOf(dialog) == className;
}

void Click(wxButton* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

// How a command is sent: a host menu item (or, with none, to the main
// window), a tool of the plug-in's tool bar, the drop-down arrow of a tool,
// an item of the chart popup.
enum class Source { eMenu, eTool, eDropDown, ePopup };
enum class Effect {
    eDialog,
    ePane,
    eProgram,
    ePage,
    eOrderDialog,
    eBarType,
    ePeriod,
    eZoom,
    eGrid,
    eHostMenu
};

struct AuditRow
{
    const char* command;
    Source source;
    Effect effect;
    const char* what = ""; // the dialog class, pane name or host menu title
    double value = 0;      // bar type, zoom factor
};

// The commands of the host's menus System, MoneyMgr and ToolsMgr that the
// plug-in handles, every tool of its tool bar and the chart popup's items.
std::vector<AuditRow> AuditRows()
{
    std::vector<AuditRow> rows = {
        {"lockScreen", Source::eMenu, Effect::eDialog, "LockScreen"},
        {"calculator", Source::eMenu, Effect::eProgram},
        {"systemSetting", Source::eMenu, Effect::eDialog, "SystemSetting"},
        {"in_money", Source::eMenu, Effect::eDialog, "MoneyDialog"},
        {"out_money", Source::eMenu, Effect::eDialog, "MoneyDialog"},
        {"modify_password", Source::eMenu, Effect::eDialog, "ModifyPasswordDlg"},
        {"payport_regist", Source::eMenu, Effect::eDialog, "PayPortRegistDlg"},
        {"transfer_Acc", Source::eMenu, Effect::eDialog, "TransferAcc"},
        {"change_MainAcc", Source::eMenu, Effect::eDialog, "ChangeMainAcc"},
        {"setsurety_Money", Source::eMenu, Effect::eDialog, "SetSuretyMoney"},
        {"riskCustom", Source::eMenu, Effect::eDialog, "RiskParamsCustomDlg"},
        {"show_symbolPane", Source::eMenu, Effect::ePane, "Navigator"},
        {"show_outPane", Source::eMenu, Effect::ePane, "Output"},
        {"Sales_report", Source::eMenu, Effect::ePage},
        // No tool and no item of its own: sent to the main window as any command.
        {"chart_w1", Source::eMenu, Effect::ePeriod},
        {"toolsMgr", Source::eDropDown, Effect::eHostMenu, "ToolsMgr"},
        {"moneyMgr", Source::eDropDown, Effect::eHostMenu, "MoneyMgr"},
        {"Sales_report", Source::eTool, Effect::ePage},
        {"new_buy_order", Source::eTool, Effect::eOrderDialog},
        {"new_sell_order", Source::eTool, Effect::eOrderDialog},
        {"chart_holc", Source::eTool, Effect::eBarType, "", 0},
        {"chart_timeShared", Source::eTool, Effect::eBarType, "", 2},
        {"chart_candlestick", Source::eTool, Effect::eBarType, "", 1},
        {"chart_zoom_in", Source::eTool, Effect::eZoom, "", 0.75},
        {"chart_zoom_out", Source::eTool, Effect::eZoom, "", 1.25},
        {"new_buy_order", Source::ePopup, Effect::eOrderDialog},
        {"new_sell_order", Source::ePopup, Effect::eOrderDialog},
        {"chart_timeShared", Source::ePopup, Effect::eBarType, "", 2},
        {"chart_holc", Source::ePopup, Effect::eBarType, "", 0},
        {"chart_candlestick", Source::ePopup, Effect::eBarType, "", 1},
        {"chart_gridline", Source::ePopup, Effect::eGrid},
        {"properties_menu", Source::ePopup, Effect::eDialog, "SystemSetting"},
    };
    for(const char* period : PeriodToolNames()) {
        if(wxString(period) != "chart_w1") {
            rows.push_back({period, Source::eTool, Effect::ePeriod});
            rows.push_back({period, Source::ePopup, Effect::ePeriod});
        }
    }
    return rows;
}

// Sends audit rows to the logged-in plug-in and checks their effect.
class CommandAudit
{
public:
    CommandAudit(TestBed& bed, ChartViewerPanel& chart, FakeProcessLauncher& launcher)
        : m_bed(bed), m_chart(chart), m_launcher(launcher)
    {}

    void Check(const AuditRow& row, bool chartInFront)
    {
        if(row.source == Source::ePopup && !chartInFront) {
            return; // the popup is the chart page's
        }
        const bool chartCommand = row.effect == Effect::eBarType || row.effect == Effect::ePeriod ||
                                  row.effect == Effect::eZoom || row.effect == Effect::eGrid;
        const int id = wxXmlResource::GetXRCID(row.command);
        if(row.effect == Effect::eDialog) {
            const wxString className = row.what;
            m_bed.Dialogs().AnswerWith(wxID_CANCEL, [className](wxDialog& shown) {
                return DialogScript::ClassNameOf(shown) == className;
            });
        }
        wxAuiManager& aui = *m_bed.Host().Frame().GetAuiManager();
        if(row.effect == Effect::ePane) {
            aui.GetPane(row.what).Hide();
            aui.Update();
        }
        // A host menu pops up in a loop of its own: Escape from the
        // "keyboard" closes it, once it was seen lent out of the menu bar.
        // Only while it shows: a popup GTK refused has returned already.
        wxMenuBar& menuBar = *m_bed.Host().Frame().GetMenuBar();
        const int menuIndex = row.effect == Effect::eHostMenu ? menuBar.FindMenu(row.what) : wxNOT_FOUND;
        const wxMenu* menu = menuIndex == wxNOT_FOUND ? nullptr : menuBar.GetMenu(menuIndex);
        int indexWhileShown = menuIndex, escapes = 0;
        wxTimer closer;
        closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if(!menu->GetInvokingWindow()) {
                return;
            }
            if(escapes++ == 0) {
                indexWhileShown = menuBar.FindMenu(row.what);
            }
            wxUIActionSimulator().Char(WXK_ESCAPE);
        });
        if(row.effect == Effect::eHostMenu) {
            closer.Start(200);
        }
        const std::size_t seenOfClass = m_bed.Dialogs().CountSeen(row.what);
        const State before = Take();
        Send(row, id);
        // GTK refuses a menu its pointer grab fails for (a loaded X server):
        // the popup then returns at once and is asked for again, for some
        // seconds of a busy display.
        for(int retry = 0; row.effect == Effect::eHostMenu && escapes == 0 && retry < 20; ++retry) {
            PumpFor(std::chrono::milliseconds(300));
            Send(row, id);
        }
        const State after = Take();
        closer.Stop();

        if(chartCommand && !chartInFront) {
            EXPECT_EQ(before, after) << "a chart command changed something with no chart in front";
            return;
        }
        switch(row.effect) {
        case Effect::eDialog:
            EXPECT_EQ(m_bed.Dialogs().CountSeen(row.what), seenOfClass + 1);
            break;
        case Effect::ePane:
            EXPECT_TRUE(aui.GetPane(row.what).IsShown());
            break;
        case Effect::eProgram:
            EXPECT_EQ(after.programs, before.programs + 1);
            break;
        case Effect::ePage: // one report page, made by the first command, selected by the next
            EXPECT_EQ(after.pages, before.pages + (row.source == Source::eMenu && chartInFront ? 1 : 0));
            EXPECT_EQ(m_bed.Plugin().GetChartInFront(), nullptr);
            if(chartInFront) {
                Notebook& centre = *m_bed.Host().Frame().GetCentreBook();
                centre.SetSelection(static_cast<size_t>(centre.GetPageIndex(&m_chart)));
                ASSERT_EQ(m_bed.Plugin().GetChartInFront(), &m_chart);
            }
            break;
        case Effect::eOrderDialog:
            EXPECT_EQ(after.orderDialogs, before.orderDialogs + 1);
            CloseOrderDialogs();
            break;
        case Effect::eBarType:
            EXPECT_EQ(after.barType, static_cast<int>(row.value));
            EXPECT_TRUE(Toggled(ChartTypeToolName(after.barType)));
            break;
        case Effect::ePeriod:
            EXPECT_EQ(after.period, PeriodFromToolId(id));
            if(m_bed.Plugin().GetToolBar()->FindTool(ToolIdFromPeriod(after.period))) { // the week has none
                EXPECT_TRUE(Toggled(ToolNameFromPeriod(after.period)));
            }
            break;
        case Effect::eZoom:
            EXPECT_EQ(after.screen, static_cast<int>(std::round(before.screen * row.value)));
            break;
        case Effect::eGrid:
            EXPECT_EQ(after.grid, !before.grid);
            break;
        case Effect::eHostMenu:
            ASSERT_NE(menuIndex, wxNOT_FOUND);
            EXPECT_GT(escapes, 0) << "the menu did not pop up";
            EXPECT_EQ(indexWhileShown, wxNOT_FOUND) << "lent out of the menu bar while it shows";
            EXPECT_EQ(menuBar.FindMenu(row.what), menuIndex);
            EXPECT_EQ(before, after);
            break;
        }
    }

private:
    struct State
    {
        std::size_t pages, dialogs, programs, orderDialogs;
        int period, barType, screen;
        bool grid;
        bool operator==(const State& o) const
        {
            return pages == o.pages && dialogs == o.dialogs && programs == o.programs &&
                   orderDialogs == o.orderDialogs && period == o.period && barType == o.barType &&
                   screen == o.screen && grid == o.grid;
        }
    };
    friend std::ostream& operator<<(std::ostream& out, const State& s)
    {
        return out << "pages " << s.pages << ", dialogs " << s.dialogs << ", programs " << s.programs
                   << ", order dialogs " << s.orderDialogs << ", period " << s.period << ", bar type "
                   << s.barType << ", points " << s.screen << ", grid " << s.grid;
    }

    State Take() const
    {
        return {m_bed.Host().Frame().GetCentreBook()->GetPageCount(),
                m_bed.Dialogs().Seen().size(),
                m_launcher.calls.size(),
                OrderDialogs().size(),
                m_chart.GetPeriod(),
                m_chart.GetBarType(),
                m_chart.GetData().GetScreenCount(),
                m_chart.GetStyle().showGrid};
    }
    void Send(const AuditRow& row, int id)
    {
        switch(row.source) {
        case Source::eMenu:
            EXPECT_TRUE(m_bed.Host().SendMenuCommand(id));
            break;
        case Source::eTool:
            EXPECT_TRUE(m_bed.Host().ClickTool(row.command));
            break;
        case Source::eDropDown: {
            wxAuiToolBar* toolBar = m_bed.Plugin().GetToolBar();
            wxAuiToolBarEvent dropDown(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, toolBar->GetId());
            dropDown.SetToolId(id);
            dropDown.SetEventObject(toolBar);
            toolBar->ProcessWindowEvent(dropDown);
            break;
        }
        case Source::ePopup: {
            // As GTK shows the popup (its items' states asked for first) and
            // sends the chosen item to the window it popped up on.
            m_chart.GetPopupMenu()->UpdateUI(&m_chart);
            wxMenuItem* item = m_chart.GetPopupMenu()->FindItem(id);
            ASSERT_NE(item, nullptr);
            if(item->IsCheckable()) {
                item->Check(!item->IsChecked());
            }
            wxCommandEvent event(wxEVT_MENU, id);
            event.SetInt(item->IsCheckable() ? item->IsChecked() : -1);
            event.SetEventObject(m_chart.GetPopupMenu());
            m_chart.ProcessWindowEvent(event);
            break;
        }
        }
    }
    bool Toggled(const char* tool) const
    {
        return m_bed.Plugin().GetToolBar()->GetToolToggled(wxXmlResource::GetXRCID(tool));
    }
    static std::vector<wxDialog*> OrderDialogs()
    {
        std::vector<wxDialog*> found;
        for(wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<wxDialog*>(window);
            if(dialog && !dialog->IsBeingDeleted() && DialogScript::ClassNameOf(*dialog) == "OrderDialog") {
                found.push_back(dialog);
            }
        }
        return found;
    }
    static void CloseOrderDialogs()
    {
        for(wxDialog* dialog : OrderDialogs()) {
            dialog->Destroy();
        }
        EXPECT_TRUE(PumpUntil([] { return OrderDialogs().empty(); }, 5s));
    }

    TestBed& m_bed;
    ChartViewerPanel& m_chart;
    FakeProcessLauncher& m_launcher;
};

} // namespace

TEST(MenuCommandsFlow, CalculatorStartsTheFirstFoundAndSettingsReachThePlugin)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());

    // The calculator: the first name of the search list found on the path
    // wins, whatever folder holds it; none found starts nothing.
    ScratchFolder tools("tessrin-tools");
    WriteProgram(tools.Path() + "/xcalc");
    WriteProgram(tools.Path() + "/kcalc");
    auto owned = std::make_unique<FakeProcessLauncher>();
    FakeProcessLauncher& launcher = *owned;
    launcher.searchPath = tools.Path() + "/missing:" + tools.Path();
    bed.Plugin().SetProcessLauncher(std::move(owned));
    ASSERT_TRUE(bed.Host().SendMenuCommand("calculator"));
    ASSERT_EQ(1u, launcher.calls.size());
    EXPECT_EQ("open", launcher.calls[0].verb);
    EXPECT_EQ(tools.Path() + "/kcalc", launcher.calls[0].program);
    EXPECT_TRUE(launcher.calls[0].arguments.empty());
    // None found, or one that does not start: the trader is told.
    launcher.searchPath = tools.Path() + "/missing";
    const std::size_t boxes = bed.Dialogs().Seen().size();
    bed.Host().SendMenuCommand("calculator");
    EXPECT_EQ(1u, launcher.calls.size());
    ASSERT_EQ(bed.Dialogs().Seen().size(), boxes + 1);
    EXPECT_EQ(bed.Dialogs().Seen().back().message, "No calculator could be started.");
    launcher.searchPath = tools.Path();
    launcher.startResult = ShellResult::kFileNotFound;
    bed.Host().SendMenuCommand("calculator");
    EXPECT_EQ(2u, launcher.calls.size());
    ASSERT_EQ(bed.Dialogs().Seen().size(), boxes + 2);
    EXPECT_EQ(bed.Dialogs().Seen().back().message, "No calculator could be started.");

    // The settings command opens the dialog, without parent; OK with a lock
    // time of one minute stores 60 seconds.
    bool parentless = false;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            auto& settings = static_cast<SystemSetting&>(dialog);
            parentless = settings.GetParent() == nullptr;
            settings.InitDialog();
            wxPGProperty* lock = settings.GetPgMgr()->GetProperty("lock screen interval(minute)");
            if(lock) {
                lock->SetValue(1L);
            }
            Click(settings.GetButtonOk());
            return wxID_OK;
        },
        [](wxDialog& dialog) { return IsDialog(dialog, "SystemSetting"); });
    ASSERT_TRUE(bed.Host().SendMenuCommand("systemSetting"));
    EXPECT_EQ(1u, bed.Dialogs().CountSeen("SystemSetting"));
    EXPECT_TRUE(parentless);
    long stored = -1;
    EXPECT_TRUE(bed.Settings().GetLongValue("LockScreenInterval", stored));
    EXPECT_EQ(60, stored);

    // The plug-in reads the new time: 61 idle seconds bring the lock screen.
    wxDateTime now = wxDateTime::Now();
    bed.Plugin().SetIdleClock([&now] { return now; });
    // The idle time counts from the user's last click.
    Notebook* centre = bed.Host().Frame().GetCentreBook();
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetEventObject(centre);
    centre->ProcessWindowEvent(click);
    bed.Dialogs().AnswerWith(wxID_CANCEL, [](wxDialog& dialog) { return IsDialog(dialog, "LockScreen"); });
    auto idle = [] {
        wxIdleEvent event;
        event.SetEventObject(wxTheApp);
        wxTheApp->ProcessEvent(event);
    };
    idle();
    PumpFor(100ms);
    EXPECT_EQ(0u, bed.Dialogs().CountSeen("LockScreen"));
    now += wxTimeSpan::Seconds(61);
    idle();
    EXPECT_TRUE(PumpUntil([&] { return bed.Dialogs().CountSeen("LockScreen") == 1; }, 5s));

    // The audit: every plug-in command of the host's menus and every tool of
    // the plug-in's tool bar, sent as the host sends it, first with a chart
    // page in front, then with a sales report page in front.
    ASSERT_TRUE(PumpUntil([&] { return bed.Plugin().GetChartInFront() != nullptr; }, 15s));
    ChartViewerPanel* chart = bed.Plugin().GetChartInFront();
    ASSERT_TRUE(PumpUntil([&] { return chart->GetData().GetValidCount() > 0; }, 15s));
    launcher.searchPath = tools.Path();
    const std::vector<AuditRow> rows = AuditRows();
    // Nothing is left out: every command of the table and every tool has a row.
    for(const auto& command : Commands::Table()) {
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                                [&](const AuditRow& row) { return wxString(row.command) == command.name; }))
            << command.name << " has no audit row";
    }
    EXPECT_EQ(21u, Commands::Table().size());
    for(const ToolEntry& tool : ToolBarTools()) {
        const bool audited = !tool.name || std::any_of(rows.begin(), rows.end(), [&](const AuditRow& row) {
            return row.source == (tool.dropDown ? Source::eDropDown : Source::eTool) &&
                   wxString(row.command) == tool.name;
        });
        EXPECT_TRUE(audited) << tool.name << " has no audit row";
    }

    CommandAudit audit(bed, *chart, launcher);
    for(bool chartInFront : {true, false}) {
        if(!chartInFront) {
            ASSERT_TRUE(bed.Host().SendMenuCommand("Sales_report"));
            ASSERT_EQ(nullptr, bed.Plugin().GetChartInFront());
        }
        for(const AuditRow& row : rows) {
            SCOPED_TRACE(std::string(row.command) + (row.source == Source::eTool ? " tool" : " menu item") +
                         (chartInFront ? ", chart in front" : ", report in front"));
            audit.Check(row, chartInFront);
        }
    }

    // Unloaded, no command of the table reaches a handler.
    bed.Unload();
    for(const AuditRow& row : rows) {
        wxCommandEvent command(wxEVT_MENU, wxXmlResource::GetXRCID(row.command));
        EXPECT_FALSE(wxTheApp->ProcessEvent(command)) << row.command << " still reaches a handler";
    }
}
