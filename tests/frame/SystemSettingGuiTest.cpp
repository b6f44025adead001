#include "EventPump.h"
#include "ScreenshotSaver.h"
#include "charts/SettingsPreview.h"
#include "charts/SystemSetting.h"
#include "charts/SystemSettingValues.h"
#include "common/ChartViewPanelGlobalConfig.h"
#include "common/SettingsAccessors.h"
#include "db/RecordStore.h"

#include <chartlib/RecordingCanvas.h>
#include <chartlib/WxChartRenderer.h>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/EventNotifier.h>
#include <vector>
#include <wx/app.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/xrc/xmlres.h>

namespace {

// Opens the protected controls of the layout to the tests.
class TestedSystemSetting : public SystemSetting
{
public:
    using SystemSetting::SystemSetting;
    wxPGProperty* Lock() { return m_pgPropLockScreenInterval; }
    wxPGProperty* QuickOrder() { return m_pgPropShowQuickOrder; }
    wxPGProperty* HoldDetail() { return m_pgPropHoldDetailClose; }
    wxPGProperty* MinOrderTrade() { return m_pgPropNotifyMinOrderTrade; }
    wxCheckBox* BullSolid() { return m_checkBoxBullSolid; }
    void PickBackground(const wxColour& colour)
    {
        m_pickerBackground->SetColour(colour);
        wxColourPickerEvent event(m_pickerBackground, m_pickerBackground->GetId(), colour);
        m_pickerBackground->ProcessWindowEvent(event);
    }
    void Click(wxButton* button)
    {
        wxCommandEvent event(wxEVT_BUTTON, button->GetId());
        event.SetEventObject(button);
        button->ProcessWindowEvent(event);
    }
};

// An empty settings store of its own, and every settings broadcast recorded.
class SystemSettingTest : public ::testing::Test
{
protected:
    SystemSettingTest()
    {
        m_folder = wxFileName::CreateTempFileName("tessrin-system-setting");
        wxRemoveFile(m_folder);
        wxFileName::Mkdir(m_folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        setenv("PELMORA_USER_DATA_DIR", m_folder.utf8_str(), 1);
        EditorConfigST::Free();
        m_type = wxXmlResource::GetXRCID("systemSettingChanged");
        EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(m_type), &SystemSettingTest::OnChanged,
                                   this);
    }
    ~SystemSettingTest() override
    {
        Broadcasts();
        EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(m_type), &SystemSettingTest::OnChanged,
                                     this);
        EditorConfigST::Free();
        wxFileName::Rmdir(m_folder, wxPATH_RMDIR_RECURSIVE);
    }

    std::vector<int> Broadcasts()
    {
        for(int pass = 0; pass < 100 && wxTheApp->HasPendingEvents(); ++pass) {
            wxTheApp->ProcessPendingEvents();
        }
        std::vector<int> ids;
        ids.swap(m_ids);
        return ids;
    }
    // Every file of the store folder with its bytes.
    std::vector<std::pair<wxString, wxString>> StoredFiles() const
    {
        wxArrayString names;
        wxDir::GetAllFiles(m_folder, &names);
        names.Sort();
        std::vector<std::pair<wxString, wxString>> files;
        for(const wxString& name : names) {
            wxFFile file(name, "rb");
            wxString bytes;
            file.ReadAll(&bytes, wxConvISO8859_1);
            files.emplace_back(name, bytes);
        }
        return files;
    }
    static int Id(const char* key) { return wxXmlResource::GetXRCID(key); }
    static EditorConfig& Store() { return *EditorConfigST::Get(); }

    // Runs `act` inside the dialog's modal loop; a guard ends a loop that
    // the act leaves open.
    static int RunModal(SystemSetting& dialog, std::function<void()> act)
    {
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
            ADD_FAILURE() << "the settings dialog did not end";
            dialog.EndModal(-1);
        });
        guard.StartOnce(10000);
        wxTheApp->CallAfter(std::move(act));
        return dialog.ShowModal();
    }

private:
    void OnChanged(wxCommandEvent& event) { m_ids.push_back(event.GetId()); }

    wxString m_folder;
    int m_type = 0;
    std::vector<int> m_ids;
};

} // namespace

TEST_F(SystemSettingTest, LockMinutesShowWholeMinutesStoreWhatIsShownAndRefuseOutOfRange)
{
    struct Row
    {
        long stored;
        long shown;
        long storedByOk;
    };
    for(const Row& row : {Row{90, 1, 60}, Row{0, 0, 0}, Row{600, 10, 600}}) {
        Store().SaveLongValue("LockScreenInterval", row.stored);
        TestedSystemSetting dialog(nullptr);
        dialog.InitDialog();
        EXPECT_EQ(row.shown, dialog.Lock()->GetValue().GetLong()) << row.stored;
        dialog.Click(dialog.GetButtonOk());
        long seconds = -1;
        EXPECT_TRUE(Store().GetLongValue("LockScreenInterval", seconds));
        EXPECT_EQ(row.storedByOk, seconds) << row.stored;
    }

    TestedSystemSetting dialog(nullptr);
    dialog.InitDialog();
    for(long minutes : {-5L, 40000000L, 35791395L}) {
        wxVariant value(minutes);
        wxPGValidationInfo info;
        EXPECT_FALSE(dialog.Lock()->ValidateValue(value, info)) << minutes;
    }
    for(long minutes : {0L, 1L, 35791394L}) {
        wxVariant value(minutes);
        wxPGValidationInfo info;
        EXPECT_TRUE(dialog.Lock()->ValidateValue(value, info)) << minutes;
    }
    // Even past the grid, a value out of range is never stored.
    Store().SaveLongValue("LockScreenInterval", 120);
    SystemSettingValues values = SystemSettingValues::Load();
    values.lockMinutes = -5;
    values.Store();
    long seconds = 0;
    EXPECT_TRUE(Store().GetLongValue("LockScreenInterval", seconds));
    EXPECT_EQ(120, seconds);
}

TEST_F(SystemSettingTest, OkBroadcastsEverySettingInOrderAndAChangedQuickOrderRightAfterPreConfirm)
{
    const std::vector<int> unchanged = {Id("LockScreenInterval"),      Id("orderPreConfirmChk"),
                                        Id("NoticeStartShow"),         Id("CharViewPanelMgr"),
                                        Id("showSoldBodyCandleStick"), Id("ShowNotifyClosedOrder"),
                                        Id("ShowNotifyInOutMoney"),    Id("ShowNotifyLimitOrder"),
                                        Id("ShowNotifyMarketOpen"),    Id("ShowNotifyMinTrader")};
    {
        TestedSystemSetting dialog(nullptr);
        dialog.InitDialog();
        Broadcasts();
        dialog.Click(dialog.GetButtonOk());
        EXPECT_EQ(unchanged, Broadcasts());
    }
    {
        Store().SaveStringValue("DblClickHoldDetailClose", "open");
        TestedSystemSetting dialog(nullptr);
        dialog.InitDialog();
        EXPECT_EQ(0, dialog.HoldDetail()->GetChoiceSelection());
        dialog.QuickOrder()->SetChoiceSelection(1);
        dialog.HoldDetail()->SetChoiceSelection(1);
        Broadcasts();
        dialog.Click(dialog.GetButtonOk());
        std::vector<int> expected = unchanged;
        expected.insert(expected.begin() + 2, Id("m_bShowTranscationPanel"));
        // The hold-detail choice changed too: its key follows the candles.
        expected.insert(expected.begin() + 6, Id("DblClickHoldDetailClose"));
        EXPECT_EQ(expected, Broadcasts());
        EXPECT_TRUE(IsShowTranscationPanel());
        EXPECT_EQ("close", Store().GetStringValue("DblClickHoldDetailClose"));
        EXPECT_EQ(2, GetDblClickHoldDetailClose());
    }
}

TEST_F(SystemSettingTest, CancelAndTheCloseBoxStoreNothingAfterChanges)
{
    Store().SaveLongValue("LockScreenInterval", 300);
    SetShowSoldBodyCandleStick({true, false});
    Broadcasts();
    const auto before = StoredFiles();
    ASSERT_FALSE(before.empty());
    for(bool closeBox : {false, true}) {
        TestedSystemSetting dialog(nullptr);
        const int result = RunModal(dialog, [&] {
            dialog.Lock()->SetValue(7L);
            dialog.QuickOrder()->SetChoiceSelection(1);
            dialog.PickBackground(*wxBLACK);
            if(closeBox) {
                dialog.Close();
            } else {
                dialog.Click(dialog.GetButtonCancel());
            }
        });
        EXPECT_EQ(wxID_CANCEL, result);
    }
    EXPECT_TRUE(Broadcasts().empty());
    EXPECT_EQ(before, StoredFiles());
}

TEST_F(SystemSettingTest, BothPagesLayOutAndAColourChangeRedrawsWithoutStoring)
{
    RecordStore plain;
    plain.CreateTables();
    RecordStore binary;
    binary.CreateTables();
    symbol_Info option;
    option.symbolId = 7;
    option.marketType = '4';
    ASSERT_TRUE(binary.m_symbol_Info_table->Insert(option).second);

    {
        TestedSystemSetting dialog(nullptr, &plain);
        bool shots = false;
        int drawnBefore = 0;
        int drawnAfter = 0;
        bool hidden = false;
        bool chartShown = false;
        const int result = RunModal(dialog, [&] {
            hidden = dialog.MinOrderTrade()->HasFlag(wxPG_PROP_HIDDEN);
            shots = SaveWindowScreenshot(&dialog, "system_setting_base.png");
            dialog.GetBook()->SetSelection(SystemSetting::kPageChart);
            dialog.DrawPreview();
            chartShown = dialog.GetBook()->GetSelection() == SystemSetting::kPageChart &&
                         dialog.GetChartViewer()->IsShownOnScreen() && dialog.GetChartViewer()->getChart();
            drawnBefore = dialog.GetPreviewCount();
            dialog.PickBackground(wxColour(0x10, 0x10, 0x10));
            drawnAfter = dialog.GetPreviewCount();
            dialog.Click(dialog.GetButtonCancel());
        });
        EXPECT_EQ(wxID_CANCEL, result);
        EXPECT_TRUE(hidden);
        EXPECT_TRUE(shots);
        EXPECT_TRUE(chartShown);
        EXPECT_EQ(drawnBefore + 1, drawnAfter);
        EXPECT_EQ("systemSetting", dialog.GetTitle());
        EXPECT_EQ(wxSize(600, 500), dialog.GetMinSize());
        EXPECT_EQ(nullptr, dialog.GetParent());
        EXPECT_EQ(2u, dialog.GetBook()->GetPageCount());
        EXPECT_EQ(wxColour(0xFF, 0xFF, 0xFF), ChartViewPanelGlobalConfig().GetBackgroundColour());
    }
    // As the chart window opens it: on the "Chart" page, over a parent.
    wxFrame parent(nullptr, wxID_ANY, "chart window");
    TestedSystemSetting dialog(&parent, &binary);
    dialog.GetBook()->SetSelection(SystemSetting::kPageChart);
    bool shot = false;
    // Shot from the dialog's own loop once the display has drawn it; nothing
    // is asserted on the wait.
    wxTimer drawn;
    drawn.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        // The preview as the viewer draws it: Xvfb may still show older
        // pixels where the page is.
        chartlib::BaseChart* preview = dialog.GetChartViewer()->getChart();
        shot = preview && chartlib::WxChartRenderer::render(*preview).SaveFile(
                              TestOutputPath("system_setting_chart.png"), wxBITMAP_TYPE_PNG);
        dialog.Click(dialog.GetButtonCancel());
    });
    const int result = RunModal(dialog, [&] {
        dialog.DrawPreview();
        drawn.StartOnce(500);
    });
    EXPECT_EQ(wxID_CANCEL, result);
    EXPECT_TRUE(shot);
    EXPECT_EQ(&parent, dialog.GetParent());
    EXPECT_FALSE(dialog.MinOrderTrade()->HasFlag(wxPG_PROP_HIDDEN));
}

namespace {
// Rising candles of the preview as drawn: the rects whose edge is the bull
// colour.
std::vector<chartlib::RecordingCanvas::Op> RectsEdged(const chartlib::RecordingCanvas& canvas, int colour)
{
    std::vector<chartlib::RecordingCanvas::Op> found;
    for(const auto& op : canvas.ops(chartlib::RecordingCanvas::Kind::Rect)) {
        if(static_cast<int>(op.colour & 0xFFFFFF) == colour) {
            found.push_back(op);
        }
    }
    return found;
}
} // namespace

TEST_F(SystemSettingTest, PreviewDrawsThirtyCandlesInTheEditedColoursAndGrid)
{
    SettingsPreview preview;
    ChartViewPanelGlobalConfig colours;
    const int bull = 0xCC0000;
    struct Row
    {
        int background;
        bool bullSolid;
        int grid;
    };
    for(const Row& row : {Row{0x101010, false, SettingsPreview::GridColour(0x101010)},
                          Row{0xFFFFFF, true, SettingsPreview::GridColour(0xFFFFFF)}}) {
        colours.SetBackgroundColour(
            wxColour((row.background >> 16) & 0xFF, (row.background >> 8) & 0xFF, row.background & 0xFF));
        colours.SetForegroundColour(wxColour(0x12, 0x34, 0x56));
        std::unique_ptr<FinanceChart> chart = preview.Build(colours, row.bullSolid, true, 600, 400);
        ASSERT_NE(nullptr, chart->mainPane());
        EXPECT_EQ(SettingsPreview::kExtraPoints, chart->extraPoints());
        chartlib::XYChart* main = chart->mainPane();
        EXPECT_EQ(row.grid, main->getPlotArea()->hGridColor());
        EXPECT_EQ(row.grid, main->getPlotArea()->vGridColor());
        EXPECT_EQ(row.background, main->getPlotArea()->backgroundColor());
        ASSERT_EQ(1, main->getLayerCount());
        EXPECT_EQ(2, main->getLayer(0)->getLineWidth());
        EXPECT_TRUE(chart->getHTMLImageMap("clickable").empty());

        chartlib::RecordingCanvas canvas;
        chart->render(canvas);
        const auto rising = RectsEdged(canvas, bull);
        ASSERT_FALSE(rising.empty());
        for(const auto& op : rising) {
            EXPECT_EQ(row.bullSolid ? bull : row.background, static_cast<int>(op.fill & 0xFFFFFF));
        }
        bool axisText = false;
        for(const auto& op : canvas.ops(chartlib::RecordingCanvas::Kind::Text)) {
            axisText = axisText || static_cast<int>(op.colour & 0xFFFFFF) == 0x123456;
        }
        EXPECT_TRUE(axisText);
    }
    // Lightened on a dark background, darkened on a light one.
    EXPECT_GT(SettingsPreview::GridColour(0x101010) & 0xFF, 0x10);
    EXPECT_LT(SettingsPreview::GridColour(0xFFFFFF) & 0xFF, 0xFF);
}
