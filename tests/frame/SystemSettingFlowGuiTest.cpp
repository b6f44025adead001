#include "TestBed.h"
#include "charts/ChartViewerPanel.h"
#include "frame/SettingsAccessors.h"
#include "frame/SystemSetting.h"
#include "frame/TessrinPlugin.h"

#include <chrono>
#include <memory>
#include <pelmora/EditorConfig.h>
#include <pelmora/Notebook.h>
#include <platform/FakeProcessLauncher.h>
#include <sys/stat.h>
#include <wx/app.h>
#include <wx/aui/framemanager.h>
#include <wx/datetime.h>
#include <wx/ffile.h>

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
    launcher.searchPath = tools.Path() + "/missing";
    bed.Host().SendMenuCommand("calculator");
    EXPECT_EQ(1u, launcher.calls.size());

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

    // Every command of the table, sent as the host sends it with a chart page
    // in front, has its visible effect.
    ASSERT_TRUE(PumpUntil([&] { return bed.Plugin().GetChartInFront() != nullptr; }, 15s));
    ChartViewerPanel* chart = bed.Plugin().GetChartInFront();
    wxAuiManager& aui = *bed.Host().Frame().GetAuiManager();
    launcher.searchPath = tools.Path();
    for(const auto& row : TessrinPlugin::CommandTable()) {
        const wxString name = row.name;
        const int id = wxXmlResource::GetXRCID(row.name);
        SCOPED_TRACE(name.ToStdString());
        if(name == "show_symbolPane" || name == "show_outPane") {
            const char* pane = name == "show_symbolPane" ? "Navigator" : "Output";
            aui.GetPane(pane).Hide();
            aui.Update();
            ASSERT_TRUE(bed.Host().SendMenuCommand(id));
            EXPECT_TRUE(aui.GetPane(pane).IsShown());
        } else if(name == "lockScreen" || name == "systemSetting") {
            const char* dialog = name == "lockScreen" ? "LockScreen" : "SystemSetting";
            const std::size_t before = bed.Dialogs().CountSeen(dialog);
            bed.Dialogs().AnswerWith(wxID_CANCEL,
                                     [dialog](wxDialog& shown) { return IsDialog(shown, dialog); });
            ASSERT_TRUE(bed.Host().SendMenuCommand(id));
            EXPECT_EQ(before + 1, bed.Dialogs().CountSeen(dialog));
        } else if(name == "calculator") {
            const std::size_t before = launcher.calls.size();
            ASSERT_TRUE(bed.Host().SendMenuCommand(id));
            EXPECT_EQ(before + 1, launcher.calls.size());
        } else if(name == "chart_holc" || name == "chart_candlestick" || name == "chart_timeShared") {
            ASSERT_TRUE(bed.Host().SendMenuCommand(id));
            EXPECT_EQ(name == "chart_holc" ? 0 : name == "chart_candlestick" ? 1 : 2, chart->GetBarType());
        } else if(name.StartsWith("chart_")) {
            ASSERT_TRUE(bed.Host().SendMenuCommand(id));
            EXPECT_EQ(bed.Plugin().PeriodFromToolId(id), chart->GetPeriod());
        } else if(name == "Sales_report") {
            // A new report page in front; the chart commands came before it.
            const size_t pages = centre->GetPageCount();
            ASSERT_TRUE(bed.Host().SendMenuCommand(id));
            EXPECT_EQ(pages + 1, centre->GetPageCount());
            EXPECT_EQ(nullptr, bed.Plugin().GetChartInFront());
        } else {
            ADD_FAILURE() << "a command without an audit entry";
        }
    }
    // The zoom pair joins the table with its own work.
    EXPECT_EQ(19u, TessrinPlugin::CommandTable().size());
}
