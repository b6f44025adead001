// The windows a trader opens at the host's default size (1280x800), on the
// logged-in test bed: every text fits its control and every control lies
// inside its window. The money and account dialogs, the pay-port and risk
// rule dialogs are opened from the host's menus as a click would open them.
#include "DrawnContrast.h"
#include "ScreenshotSaver.h"
#include "TestBed.h"
#include "charts/CharViewPanelMgr.h"
#include "charts/ChartViewerPanel.h"
#include "charts/SystemSetting.h"
#include "common/Colours.h"
#include "common/ToolBarTools.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "funds/ChangeMainAcc.h"
#include "funds/ModifyPasswordDlg.h"
#include "funds/MoneyDialog.h"
#include "funds/PayPortRegistDlg.h"
#include "funds/SetSuretyMoney.h"
#include "funds/TransferAcc.h"
#include "history/HistoryOrderPane.h"
#include "history/HistoryPane.h"
#include "history/QueryConditionPanel.h"
#include "history/SalesReportPanel.h"
#include "orders/BinaryOpQuickOrderConfirm.h"
#include "panes/SymbolModel.h"
#include "panes/SymbolPane.h"
#include "panes/TranscationPanel.h"
#include "risk/RiskParamsCustomDlg.h"

#include <algorithm>
#include <chartlib/BaseChart.h>
#include <functional>
#include <gtest/gtest.h>
#include <pelmora/ColoursAndFontsManager.h>
#include <pelmora/DrawingUtils.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmChartViewer.h>
#include <pelmora/pmDataViewCtrl.h>
#include <pelmora/pmStatusBar.h>
#include <vector>
#include <wx/anybutton.h>
#include <wx/aui/auibar.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

// The toolkit's own measure of a column header; its development headers are
// not part of the platform.
extern "C" {
typedef struct _GtkTreeViewColumn GtkTreeViewColumn;
typedef struct _GtkWidget GtkWidget;
GtkWidget* gtk_tree_view_column_get_button(GtkTreeViewColumn* column);
void gtk_widget_get_preferred_width(GtkWidget* widget, int* minimum, int* natural);
}

namespace {

using namespace std::chrono_literals;

// A cell's text inside its padding and the column separator.
constexpr int kCellPadding = 8;
constexpr unsigned int kFirstRows = 10;

wxString Text(const wxRect& rect)
{
    return wxString::Format("(%d,%d %dx%d)", rect.x, rect.y, rect.width, rect.height);
}

wxString Name(wxWindow& control)
{
    return wxString(control.GetClassInfo()->GetClassName()) + " \"" + control.GetLabel() + "\"";
}

bool ShowsText(wxWindow& control)
{
    return dynamic_cast<wxStaticText*>(&control) || dynamic_cast<wxAnyButton*>(&control) ||
           dynamic_cast<wxChoice*>(&control) || dynamic_cast<wxCheckBox*>(&control);
}

// One line for each control outside `window`'s client area, each two
// controls of one parent that overlap and each text (a field's hint too)
// that needs more than its control has. Controls are not entered; panels are.
std::vector<wxString> FitFaults(wxWindow& window)
{
    std::vector<wxString> faults;
    const wxRect inside(wxPoint(0, 0), window.GetClientSize());
    std::function<void(wxWindow&)> visit = [&](wxWindow& parent) {
        std::vector<std::pair<wxWindow*, wxRect>> siblings;
        for(wxWindow* child : parent.GetChildren()) {
            if(!child->IsShown() || child->IsTopLevel()) {
                continue;
            }
            const wxRect rect(window.ScreenToClient(child->GetScreenPosition()), child->GetSize());
            if(!inside.Contains(rect)) {
                faults.push_back(Name(*child) + " at " + Text(rect) + " outside " + Text(inside));
            }
            for(const auto& [sibling, placed] : siblings) {
                if(placed.Intersects(rect)) {
                    faults.push_back(Name(*child) + " at " + Text(rect) + " overlaps " + Name(*sibling) +
                                     " at " + Text(placed));
                }
            }
            siblings.emplace_back(child, rect);
            if(ShowsText(*child)) {
                // The toolkit's wish now, leaving the size the window laid
                // out with for the window to measure again itself.
                const wxSize laidOut = child->GetBestSize();
                child->InvalidateBestSize();
                const wxSize best = child->GetBestSize();
                child->CacheBestSize(laidOut);
                if(best.x > rect.width || best.y > rect.height) {
                    faults.push_back(Name(*child) + wxString::Format(" wants %dx%d, has ", best.x, best.y) +
                                     Text(rect));
                }
            }
            if(auto* field = dynamic_cast<wxTextCtrl*>(child); field && !field->GetHint().empty()) {
                const int wanted = field->GetSizeFromTextSize(field->GetTextExtent(field->GetHint()).x).x;
                if(wanted > rect.width) {
                    faults.push_back(
                        Name(*child) +
                        wxString::Format(" hint \"%s\" wants %d, has ", field->GetHint(), wanted) +
                        Text(rect));
                }
            }
            if(!dynamic_cast<wxControl*>(child)) {
                visit(*child);
            }
        }
    };
    visit(window);
    return faults;
}

int TitleWidth(const wxDataViewColumn& column)
{
    int minimum = 0;
    int natural = 0;
    gtk_widget_get_preferred_width(
        gtk_tree_view_column_get_button(reinterpret_cast<GtkTreeViewColumn*>(column.GetGtkHandle())),
        &minimum, &natural);
    return natural;
}

// One line for each title and each text of the first rows that its column
// cuts, in the lists shown on `window`. Drawn cells (links, the hold-detail
// bands) are not texts.
wxArrayString CutCells(wxWindow& window)
{
    wxArrayString cuts;
    std::function<void(wxWindow&)> visit = [&](wxWindow& parent) {
        for(wxWindow* child : parent.GetChildren()) {
            auto* list = dynamic_cast<pmDataViewCtrl*>(child);
            if(!child->IsShownOnScreen() || !list) {
                visit(*child);
                continue;
            }
            auto* rows = dynamic_cast<wxDataViewListModel*>(list->GetModel());
            const unsigned int count = rows ? std::min(rows->GetCount(), kFirstRows) : 0;
            for(unsigned int position = 0; position < list->GetColumnCount(); ++position) {
                const wxDataViewColumn& column = *list->GetColumn(position);
                const int width = column.GetWidth();
                if(!column.IsHidden() && TitleWidth(column) > width) {
                    cuts.Add(wxString::Format("title \"%s\" wants %d, has %d", column.GetTitle(),
                                              TitleWidth(column), width));
                }
                for(unsigned int row = 0; row < count && !column.IsHidden(); ++row) {
                    wxVariant value;
                    rows->GetValueByRow(value, row, column.GetModelColumn());
                    wxDataViewItemAttr attr;
                    rows->GetAttrByRow(row, column.GetModelColumn(), attr);
                    wxFont font = list->GetFont();
                    font.SetWeight(attr.GetBold() ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
                    const wxString text = value.GetType() == "string" ? value.GetString() : wxString();
                    int wanted = 0;
                    list->GetTextExtent(text, &wanted, nullptr, nullptr, nullptr, &font);
                    if(!text.empty() && wanted + kCellPadding > width) {
                        cuts.Add(wxString::Format("\"%s\" of row %u under \"%s\" wants %d, has %d", text, row,
                                                  column.GetTitle(), wanted + kCellPadding, width));
                    }
                }
            }
        }
    };
    visit(window);
    return cuts;
}

::testing::AssertionResult Fits(wxWindow& window, const wxString& picture)
{
    // Judged once it has settled: a busy display lays a window out late.
    std::vector<wxString> faults;
    const auto settled = [&] {
        wxTheApp->ProcessIdle();
        faults = FitFaults(window);
        return faults.empty();
    };
    if(PumpUntil(settled, std::chrono::seconds(10))) {
        return ::testing::AssertionSuccess();
    }
    if(auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(&window))) {
        SaveWindowScreenshot(top, picture);
    }
    auto result = ::testing::AssertionFailure();
    for(const wxString& fault : faults) {
        result << "\n  " << fault;
    }
    return result << "\n  (picture: " << picture << ")";
}

template <class Dialog> Dialog* ModalOf()
{
    for(wxWindow* window : wxTopLevelWindows) {
        if(auto* dialog = dynamic_cast<Dialog*>(window); dialog && dialog->IsModal()) {
            return dialog;
        }
    }
    return nullptr;
}

// Sends the command as a click on the host's menu does and runs `look` in
// the modal loop of the dialog of the class it opens, then ends the loop.
// False when no such dialog opened.
template <class Dialog> bool LookAtModal(TestBed& bed, const char* command, std::function<void(Dialog&)> look)
{
    bool seen = false;
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        ADD_FAILURE() << "the dialog did not end";
        if(Dialog* dialog = ModalOf<Dialog>()) {
            dialog->EndModal(wxID_ABORT);
        }
    });
    guard.StartOnce(60000);
    wxTheApp->CallAfter([&] {
        Dialog* dialog = ModalOf<Dialog>();
        if(!dialog) {
            return;
        }
        seen = true;
        look(*dialog);
        dialog->EndModal(wxID_CANCEL);
    });
    bed.Host().SendMenuCommand(command);
    // Without a dialog the look runs here, while what it refers to lives.
    wxTheApp->ProcessPendingEvents();
    return seen;
}

void Click(wxWindow& control)
{
    wxCommandEvent event(wxEVT_BUTTON, control.GetId());
    event.SetEventObject(&control);
    control.ProcessWindowEvent(event);
}

// What an idle moment does to the windows (layouts that follow their texts).
void Settle()
{
    PumpEvents();
    wxTheApp->ProcessIdle();
}

// Buttons, check boxes and labels that are empty or start in lower case:
// a key shown as it stands.
std::vector<wxString> UnreadLabels(wxWindow& parent)
{
    std::vector<wxString> found;
    for(wxWindow* child : parent.GetChildren()) {
        const wxString label = child->GetLabel();
        if(ShowsText(*child) && !dynamic_cast<wxChoice*>(child) && (label.empty() || wxIslower(label[0]))) {
            found.push_back(Name(*child));
        }
        if(!dynamic_cast<wxControl*>(child)) {
            const std::vector<wxString> inner = UnreadLabels(*child);
            found.insert(found.end(), inner.begin(), inner.end());
        }
    }
    return found;
}

// In English, as the trader reads it: the compiled catalogue is loaded.
class WindowsFit : public ::testing::Test
{
protected:
    static TestBed::Options English()
    {
        TestBed::Options options;
        options.catalogue = true;
        return options;
    }
    void SetUp() override { ASSERT_TRUE(bed.Start()); }

    TestBed bed{English()};
};

TEST_F(WindowsFit, MoneyAccountPayPortAndRiskRuleDialogsShowTheirTextsWhole)
{
    ASSERT_EQ(bed.Host().Frame().GetSize(), wxSize(1280, 800));

    for(const char* command : {"in_money", "out_money"}) {
        EXPECT_TRUE(LookAtModal<MoneyDialog>(bed, command, [&](MoneyDialog& dialog) {
            EXPECT_TRUE(
                PumpUntil([&] { return dialog.GetTextCtrlBank()->GetValue() != "************"; }, 10s));
            Settle();
            EXPECT_TRUE(Fits(dialog, wxString(command) + ".png"));
        })) << command;
    }
    EXPECT_TRUE(LookAtModal<TransferAcc>(bed, "transfer_Acc", [&](TransferAcc& dialog) {
        EXPECT_FALSE(dialog.GetStaticTextSourceLine()->GetLabel().empty());
        Settle();
        EXPECT_TRUE(Fits(dialog, "transfer_Acc.png"));
    }));
    EXPECT_TRUE(LookAtModal<SetSuretyMoney>(bed, "setsurety_Money", [&](SetSuretyMoney& dialog) {
        EXPECT_FALSE(dialog.GetStaticTextSuretyLine()->GetLabel().empty());
        Settle();
        EXPECT_TRUE(Fits(dialog, "setsurety_Money.png"));
    }));
    EXPECT_TRUE(LookAtModal<ChangeMainAcc>(bed, "change_MainAcc", [&](ChangeMainAcc& dialog) {
        Settle();
        EXPECT_TRUE(Fits(dialog, "change_MainAcc.png"));
    }));
    // The password dialog's own refusal on its line, whole.
    EXPECT_TRUE(LookAtModal<ModifyPasswordDlg>(bed, "modify_password", [&](ModifyPasswordDlg& dialog) {
        Settle();
        EXPECT_TRUE(Fits(dialog, "modify_password.png"));
        dialog.GetTextCtrlOldPassword()->ChangeValue("123456");
        dialog.GetTextCtrlNewPassword()->ChangeValue("12");
        Click(*dialog.GetButtonOk());
        wxTextCtrl* line = dialog.GetTextCtrlMessage();
        ASSERT_FALSE(line->GetValue().empty());
        Settle();
        EXPECT_GE(line->GetSize().x, line->GetSizeFromTextSize(line->GetTextExtent(line->GetValue()).x).x)
            << line->GetValue();
        EXPECT_TRUE(Fits(dialog, "modify_password_message.png"));
    }));
    // Choices filled by the server's answers.
    EXPECT_TRUE(LookAtModal<PayPortRegistDlg>(bed, "payport_regist", [&](PayPortRegistDlg& dialog) {
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetComboBoxBank()->GetCount() > 0; }, 10s));
        // The demo user is registered: the button turns to the longer label
        // when the answer of the user's pay ports comes.
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetButtonOk()->GetLabel() == "Unregister"; }, 10s));
        EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8("Unregister Pay Port: 演示用户"));
        Settle();
        EXPECT_TRUE(Fits(dialog, "payport_regist.png"));
    }));
    EXPECT_TRUE(LookAtModal<RiskParamsCustomDlg>(bed, "riskCustom", [&](RiskParamsCustomDlg& dialog) {
        Settle();
        EXPECT_TRUE(Fits(dialog, "riskCustom.png"));
        // The two alarm means apart; a margin rule shows no symbol or condition.
        EXPECT_GE(dialog.GetCheckBoxWindow()->GetPosition().x -
                      dialog.GetCheckBoxSound()->GetRect().GetRight(),
                  20);
        dialog.GetComboBoxRiskType()->SetSelection(2);
        wxCommandEvent chosen(wxEVT_COMBOBOX, dialog.GetComboBoxRiskType()->GetId());
        dialog.GetComboBoxRiskType()->ProcessWindowEvent(chosen);
        Settle();
        EXPECT_FALSE(dialog.GetStaticTextRiskItem()->IsShown() ||
                     dialog.GetComboBoxRiskCondition()->IsShown());
        EXPECT_TRUE(Fits(dialog, "riskCustom_margin.png"));
    }));
    // The binary quick order's confirmation, whose captions change when it shows.
    const auto& symbols = bed.Store().m_symbol_Info_table->GetIndexByPrimary();
    const auto binary = std::find_if(symbols.begin(), symbols.end(),
                                     [](const symbol_Info& symbol) { return symbol.marketType == '4'; });
    ASSERT_NE(binary, symbols.end());
    BinaryOpQuickOrderConfirm confirm(&bed.Store(), binary->symbolId, _("Order Confirm"));
    confirm.SetTexts("Euro", "1.08358", "95.00", _("Buy"), "5.00", true);
    wxTheApp->CallAfter([&] {
        Settle();
        EXPECT_TRUE(Fits(confirm, "binary_confirm.png"));
        confirm.EndModal(wxID_CANCEL);
    });
    confirm.ShowModal();
}

TEST(WindowsInEnglish, AFailedLoginSaysWhyAndTheSettingsNameEveryControl)
{
    TestBed::Options options;
    options.catalogue = true;
    TestBed bed(options);
    bed.SetConfigValue("showErrMsgBox", true);
    ASSERT_TRUE(bed.Load());
    bed.SendLogin("demo", "wrong");
    const auto& seen = bed.Dialogs().Seen();
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty() && seen.back().title == "Login Failed"; }, 30s));
    EXPECT_EQ(seen.back().message, "Wrong user name or password");

    ASSERT_TRUE(bed.Login());
    // Both pages, the chart page's colour rows included.
    EXPECT_TRUE(LookAtModal<SystemSetting>(bed, "systemSetting", [&](SystemSetting& dialog) {
        Settle();
        EXPECT_EQ(UnreadLabels(dialog), std::vector<wxString>());
        SaveWindowScreenshot(&dialog, "settings_english.png");
    }));
}

TEST_F(WindowsFit, StatusFieldsAsWideAsTheirTextsAndEveryToolInsideTheFrame)
{
    MainFrame& frame = bed.Host().Frame();
    ASSERT_EQ(frame.GetSize(), wxSize(1280, 800));
    pmStatusBar& status = *frame.GetHostStatusBar();
    // Account, trading day, server and the server's clock; the rotating
    // account line between them takes the rest.
    const int fields[] = {1, 3, 4, 6};
    ASSERT_TRUE(PumpUntil([&] {
        return std::none_of(std::begin(fields), std::end(fields),
                            [&](int field) { return status.GetStatusText(field).empty(); });
    }));
    Settle();
    for(int field : fields) {
        wxWindow& label = *status.GetItem(static_cast<size_t>(field))->window;
        label.InvalidateBestSize();
        wxRect rect;
        ASSERT_TRUE(status.GetFieldRect(field, rect));
        EXPECT_TRUE(rect.Contains(label.GetRect()) && label.GetSize().x >= label.GetBestSize().x &&
                    label.GetSize().y >= label.GetBestSize().y)
            << status.GetStatusText(field) << " at " << Text(label.GetRect()) << " in " << Text(rect);
    }
    EXPECT_TRUE(wxRect(wxPoint(0, 0), status.GetClientSize()).Contains(status.GetItem(6)->window->GetRect()));
    // The rotating account line whole, on a second line where it must be.
    ASSERT_TRUE(PumpUntil([&] { return !status.GetStatusText(2).empty(); }));
    auto& line = dynamic_cast<wxStaticText&>(*status.GetItem(2)->window);
    int lineHeight = 0;
    for(const wxString& part : wxSplit(line.GetLabel(), '\n', '\0')) {
        const wxSize extent = line.GetTextExtent(part);
        EXPECT_LE(extent.x, line.GetSize().x) << part;
        lineHeight = extent.y;
    }
    wxString joined = line.GetLabel();
    joined.Replace("\n", " ");
    EXPECT_EQ(joined, status.GetStatusText(2));
    EXPECT_GE(line.GetSize().y, lineHeight * static_cast<int>(wxSplit(line.GetLabel(), '\n', '\0').size()));
    // Both connection icons, each 16 pixels and 5 apart, inside the field.
    auto& icons = dynamic_cast<wxStaticBitmap&>(*status.GetItem(5)->window);
    EXPECT_GE(icons.GetBitmap().GetWidth(), 2 + 16 + 5 + 16);
    EXPECT_LE(icons.GetBitmap().GetWidth(), icons.GetSize().x);

    wxAuiToolBar* bar = bed.Plugin().GetToolBar();
    ASSERT_NE(bar, nullptr);
    const wxRect inside(wxPoint(0, 0), frame.GetClientSize());
    ASSERT_GT(bar->GetToolCount(), 0u);
    for(size_t i = 0; i < bar->GetToolCount(); ++i) {
        const wxAuiToolBarItem* tool = bar->FindToolByIndex(static_cast<int>(i));
        if(tool->GetKind() == wxITEM_SEPARATOR) {
            continue;
        }
        wxRect rect = bar->GetToolRect(tool->GetId());
        rect.SetPosition(frame.ScreenToClient(bar->ClientToScreen(rect.GetPosition())));
        EXPECT_TRUE(bar->GetToolFitsByIndex(static_cast<int>(i)) && inside.Contains(rect))
            << tool->GetLabel() << " at " << Text(rect) << " in " << Text(inside);
    }

    // The chart tools and the board's row marks are drawn pictures, each of
    // a shape of its own (its alpha), not the loader's coloured squares.
    std::vector<wxString> names{"common/16/up", "common/16/down", "common/16/circle_dark"};
    for(const ToolEntry& tool : ToolBarTools()) {
        if(tool.bitmap) {
            names.push_back(tool.bitmap);
        }
    }
    std::vector<wxImage> shapes;
    for(const wxString& name : names) {
        const wxString file = bed.BinDir() + "/images/" + name + ".png";
        ASSERT_TRUE(wxFileExists(file)) << file;
        shapes.emplace_back(file, wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(shapes.back().HasAlpha()) << name;
        for(size_t other = 0; other + 1 < shapes.size(); ++other) {
            const wxImage& a = shapes.back();
            const wxImage& b = shapes[other];
            EXPECT_FALSE(a.GetSize() == b.GetSize() &&
                         std::equal(a.GetAlpha(), a.GetAlpha() + a.GetWidth() * a.GetHeight(), b.GetAlpha()))
                << name << " has the shape of " << names[other];
        }
    }

    // A narrower frame: the bar keeps inside it, the last tools are reached
    // through the overflow button.
    frame.SetSize(wxSize(900, 800));
    bed.Host().Manager().GetAuiManager()->Update();
    Settle();
    EXPECT_LE(bar->GetSize().x, frame.GetClientSize().x);
    EXPECT_TRUE(bar->GetOverflowVisible());
    EXPECT_FALSE(bar->GetToolFitsByIndex(static_cast<int>(bar->GetToolCount()) - 1));
}

TEST_F(WindowsFit, EveryPaneShowsItsColumnTitlesAndFirstRowsWhole)
{
    MainFrame& frame = bed.Host().Frame();
    ASSERT_EQ(frame.GetSize(), wxSize(1280, 800));
    for(Notebook* book : {frame.GetOutputBook(), frame.GetWorkspaceBook()}) {
        for(size_t page = 0; page < book->GetPageCount(); ++page) {
            book->SetSelection(page);
            wxWindow& pane = *book->GetPage(page);
            // Columns widen after the rows arrive and the toolkit has laid them out.
            PumpUntil([&] { return CutCells(pane).empty(); });
            const wxArrayString cuts = CutCells(pane);
            EXPECT_TRUE(cuts.empty()) << book->GetPageText(page) << ":\n  " << wxJoin(cuts, '\n');
            // Column titles that read at 4.5:1, as the board's prices do; tool
            // bars whole and on the page, no tool past its edge.
            for(wxWindow* child : pane.GetChildren()) {
                if(auto* list = dynamic_cast<pmDataViewCtrl*>(child); list && list->IsShownOnScreen()) {
                    const wxRect titles(list->GetScreenPosition() + wxPoint(2, 2),
                                        wxSize(list->GetClientSize().x - 4, list->GetCharHeight()));
                    // Read once the page just selected has been drawn.
                    EXPECT_TRUE(PumpUntil([&] { return DrawnContrast(titles) >= 4.5; }))
                        << book->GetPageText(page) << ": " << DrawnContrast(titles);
                } else if(auto* tools = dynamic_cast<wxToolBar*>(child)) {
                    EXPECT_TRUE(wxRect(pane.GetClientSize()).Contains(tools->GetRect()) &&
                                tools->GetSize().x >= tools->GetBestSize().x)
                        << book->GetPageText(page) << ": a tool bar at " << Text(tools->GetRect());
                }
            }
        }
    }
    // The navigator's board shows its symbols' times whole.
    pmDataViewCtrl& board = *bed.Plugin().GetOtcSymbolPane()->GetList();
    int timeRight = 0;
    for(unsigned int i = 0; i < board.GetColumnCount() && timeRight >= 0; ++i) {
        const wxDataViewColumn& column = *board.GetColumn(i);
        timeRight += column.IsHidden() ? 0 : column.GetWidth();
        timeRight = column.GetModelColumn() == SymbolModel::eTime ? -timeRight : timeRight;
    }
    EXPECT_LE(-timeRight, board.GetClientSize().x);
    // The output window's three columns lie on its pane.
    wxListCtrl* notices = nullptr;
    for(wxWindow* child : bed.Host().Output().GetChildren()) {
        notices = notices ? notices : dynamic_cast<wxListCtrl*>(child);
    }
    ASSERT_NE(notices, nullptr);
    int right = 0;
    for(int column = 0; column < notices->GetColumnCount(); ++column) {
        EXPECT_GE(notices->GetColumnWidth(column), 40) << column;
        right += notices->GetColumnWidth(column);
    }
    EXPECT_LE(right, notices->GetSize().x);
}

TEST_F(WindowsFit, TheSalesReportBarKeepsEveryControlOnThePage)
{
    Notebook& centre = *bed.Host().Frame().GetCentreBook();
    ASSERT_TRUE(bed.Host().SendMenuCommand("Sales_report"));
    auto* page = dynamic_cast<SalesReportPanel*>(centre.GetCurrentPage());
    ASSERT_NE(page, nullptr);
    Settle();
    EXPECT_GT(page->GetMarketChoice()->GetCount(), 1u);
    EXPECT_LT(page->GetSize().x, 1280 - 250) << "a page beside the navigator";
    EXPECT_TRUE(Fits(*page, "sales_report.png"));
}

TEST_F(WindowsFit, TheQuickOrderPanelLeavesTheOutputPagesTheirRoom)
{
    wxAuiManager& aui = *bed.Host().Frame().GetAuiManager();
    TranscationPanel& panel = *bed.Plugin().GetTranscationPanel();
    Notebook& output = *bed.Host().Frame().GetOutputBook();
    // Hidden by the setting once the client's data has come.
    ASSERT_TRUE(PumpUntil([&] { return !aui.GetPane(&panel).IsShown(); }));
    Settle();
    const wxSize alone = output.GetSize();
    EXPECT_GE(alone.x, bed.Host().Frame().GetClientSize().x * 2 / 3) << "most of the bottom row";

    // The status bar's button shows the panel above the output, which keeps its size.
    Click(*bed.Host().Frame().GetHostStatusBar()->GetItem(0)->window);
    ASSERT_TRUE(PumpUntil([&] { return aui.GetPane(&panel).IsShown(); }));
    Settle();
    EXPECT_EQ(output.GetSize(), alone);
    EXPECT_TRUE(Fits(panel, "quick_order_panel.png"));
    MainFrame& frame = bed.Host().Frame();
    const wxRect inFrame(frame.ScreenToClient(panel.GetScreenPosition()), panel.GetSize());
    EXPECT_TRUE(wxRect(wxPoint(0, 0), frame.GetClientSize()).Contains(inFrame)) << Text(inFrame);
    const wxRect outputInFrame(frame.ScreenToClient(output.GetScreenPosition()), output.GetSize());
    EXPECT_FALSE(inFrame.Intersects(outputInFrame))
        << Text(inFrame) << " over the output at " << Text(outputInFrame);

    Click(*bed.Host().Frame().GetHostStatusBar()->GetItem(0)->window);
    ASSERT_TRUE(PumpUntil([&] { return !aui.GetPane(&panel).IsShown(); }));
    Settle();
    EXPECT_EQ(output.GetSize(), alone);
}

TEST_F(WindowsFit, HistoryPagesShowTenRows)
{
    Notebook& output = *bed.Host().Frame().GetOutputBook();
    HistoryPane& pane = *bed.Plugin().GetHistoryPane();
    output.SetSelection(static_cast<size_t>(output.GetPageIndex(&pane)));
    auto* closed = dynamic_cast<HistoryOrderPane*>(pane.GetNotebook()->GetPage(0));
    ASSERT_NE(closed, nullptr);
    pane.GetNotebook()->SetSelection(0);
    closed->GetConditionPanel()->GetStartDate()->SetValue(wxDateTime::Today() - wxDateSpan::Days(30));
    Click(*closed->GetConditionPanel()->GetQueryButton());
    ASSERT_TRUE(
        PumpUntil([&] { return !closed->IsQueryRunning() && closed->GetModel()->GetCount() > 0; }, 15s));
    Settle();
    // The first row lies below the header; every page is laid out alike.
    const wxRect first = closed->GetList()->GetItemRect(closed->GetModel()->GetItem(0));
    ASSERT_GT(first.height, 0);
    for(size_t i = 0; i < pane.GetNotebook()->GetPageCount(); ++i) {
        wxWindow* page = pane.GetNotebook()->GetPage(i);
        pmDataViewCtrl* list = nullptr;
        for(wxWindow* child : page->GetChildren()) {
            list = list ? list : dynamic_cast<pmDataViewCtrl*>(child);
        }
        ASSERT_NE(list, nullptr) << pane.GetNotebook()->GetPageText(i);
        EXPECT_TRUE(Fits(*page, "history_page.png")) << pane.GetNotebook()->GetPageText(i);
        EXPECT_GE((list->GetClientSize().y - first.y) / first.height, 10)
            << pane.GetNotebook()->GetPageText(i) << ": " << list->GetClientSize().y << " px";
    }
}

TEST_F(WindowsFit, DarkColoursMenuChartAndBoardFollowOneSetting)
{
    MainFrame& frame = bed.Host().Frame();
    CharViewPanelMgr& charts = *bed.Plugin().GetChartViewMgr();
    ASSERT_TRUE(PumpUntil([&] { return charts.FindPanel("AG") != nullptr; }, 10s));
    ChartViewerPanel& chart = *charts.FindPanel("AG");
    SymbolPane& board = *bed.Plugin().GetOtcSymbolPane();
    SymbolModel& model = *board.GetModel();
    // Flashes stay while the clock stands.
    const wxDateTime now = wxDateTime::Now();
    model.SetClock([now] { return now; });
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=5111"), 200);
    ASSERT_TRUE(PumpUntil([&] { return model.GetHighlightCount() > 0; }, 10s));

    auto follows = [&](bool dark) -> ::testing::AssertionResult {
        if(ColoursAndFontsManager::Get().IsDark() != dark ||
           frame.GetMenuBar()->IsChecked(XRCID("darkColours")) != dark) {
            return ::testing::AssertionFailure() << "the theme or the menu's check";
        }
        const wxColour background =
            ChartStyle::ToColour(static_cast<int>(chart.GetChartView()->getChart()->getBackgroundColor()));
        const wxColour legend = ChartStyle::ToColour(chart.GetStyle().foregroundColour);
        if(DrawingUtils::IsDark(background) != dark || DrawingUtils::IsDark(legend) == dark) {
            return ::testing::AssertionFailure() << "the chart: background " << background.GetAsString()
                                                 << ", legend and axes " << legend.GetAsString();
        }
        const wxColour list = board.GetList()->GetBackgroundColour();
        if(DrawingUtils::IsDark(list) != dark) {
            return ::testing::AssertionFailure() << "the board " << list.GetAsString();
        }
        for(unsigned int row = 0; row < model.GetCount(); ++row) {
            wxDataViewItemAttr attr;
            model.GetAttrByRow(row, SymbolModel::eBid, attr);
            const wxColour flash = Colours::HighlightedSymbolBackground(dark);
            if(attr.HasBackgroundColour() && attr.GetBackgroundColour() != flash) {
                return ::testing::AssertionFailure()
                       << "the flash of row " << row << " " << attr.GetBackgroundColour().GetAsString();
            }
        }
        return ::testing::AssertionSuccess();
    };
    EXPECT_TRUE(follows(true)) << "at start";
    ASSERT_TRUE(bed.Host().SendMenuCommand("darkColours"));
    EXPECT_TRUE(follows(false)) << "light";
    ASSERT_TRUE(bed.Host().SendMenuCommand("darkColours"));
    EXPECT_TRUE(follows(true)) << "dark again";
}

} // namespace
