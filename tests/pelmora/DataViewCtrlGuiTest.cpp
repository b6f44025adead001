// The host's data-view control with its renderers, menus and column layout,
// on the display.
#include "EventPump.h"
#include "pelmora/Archive.h"
#include "pelmora/pmDataViewCtrl.h"
#include "pelmora/pmDataViewCtrlConfig.h"
#include "pelmora/pmDataViewHyperlinkRenderer.h"
#include "pelmora/pmDataViewTextRenderer.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

// Closes a popup menu from inside its own open event.
extern "C" {
typedef struct _GtkMenu GtkMenu;
void gtk_menu_popdown(GtkMenu* menu);
}

namespace {
enum Column { eNumber, eCode, eLinks, eAmount, eAccount, eIconText, eWhen, eColumnCount };

struct Row
{
    wxString code;
    wxArrayString links;
    double amount;
};

// Rows of every value type the panes hand their cells; it remembers which
// cells the control asked for.
class TypesModel : public wxDataViewVirtualListModel
{
public:
    explicit TypesModel(std::vector<Row> rows)
        : wxDataViewVirtualListModel(static_cast<unsigned int>(rows.size())), m_rows(std::move(rows))
    {}

    unsigned int GetColumnCount() const override { return eColumnCount; }
    wxString GetColumnType(unsigned int) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override
    {
        asked.insert({row, column});
        const Row& r = m_rows[row];
        switch(column) {
        case eNumber:
            value = static_cast<long>(row) + 1;
            break;
        case eCode:
            value = r.code;
            break;
        case eLinks:
            value = r.links;
            break;
        case eAmount:
            value = r.amount;
            break;
        case eAccount:
            value = static_cast<void*>(const_cast<Row*>(&r));
            break;
        case eIconText:
            value = r.code;
            break;
        case eWhen:
            value = wxDateTime(1, wxDateTime::Jan, 2026, 9, 30);
            break;
        }
    }
    bool SetValueByRow(const wxVariant&, unsigned int, unsigned int) override { return true; }
    void SetCode(unsigned int row, const wxString& code)
    {
        m_rows[row].code = code;
        RowChanged(row);
    }

    mutable std::set<std::pair<unsigned int, unsigned int>> asked;

private:
    std::vector<Row> m_rows;
};

// A subclass of the text renderer that reads the record reference, as the
// hold-detail summary rows do.
class CodeOfRowRenderer : public pmDataViewTextRenderer
{
public:
    bool SetValue(const wxVariant& value) override
    {
        pmDataViewTextRenderer::SetValue(value);
        const Row* row = value.IsNull() ? nullptr : static_cast<const Row*>(value.GetVoidPtr());
        m_code = row ? row->code : wxString();
        return true;
    }
    bool Render(wxRect cell, wxDC* dc, int state) override
    {
        ++renders;
        RenderBackground(dc, cell);
        RenderText(m_code, 0, cell, dc, state);
        return true;
    }
    wxSize GetSize() const override { return GetTextExtent(m_code + " "); }

    static int renders;

private:
    wxString m_code;
};
int CodeOfRowRenderer::renders = 0;

// Counts the control's wrong-type diagnostics.
class WrongTypeLog : public wxLog
{
public:
    int wrongTypes = 0;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override
    {
        if(msg.Contains("Wrong type")) {
            ++wrongTypes;
        }
    }
};

// Moves the pointer and waits until the display has it there.
bool MoveMouseTo(wxUIActionSimulator& sim, const wxPoint& screen)
{
    sim.MouseMove(screen);
    return PumpUntil([&] { return wxGetMousePosition() == screen; });
}

wxArrayString Texts(std::initializer_list<const char*> texts)
{
    wxArrayString array;
    for(const char* text : texts) {
        array.Add(text);
    }
    return array;
}

class DataViewCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "data view", wxPoint(0, 0), wxSize(900, 400));
        m_panel = new wxPanel(m_frame);
        m_ctrl = new pmDataViewCtrl(m_panel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxDV_MULTIPLE | wxDV_ROW_LINES);
        m_model = new TypesModel({{"H0001", Texts({"Apply Goods", "Cancel Goods"}), 4520.5},
                                  {"H0002", Texts({"Close-", "Modify"}), -3},
                                  {"H0003", Texts({"Apply Goods", "Cancel Goods"}), 0}});
        m_ctrl->AssociateModel(m_model);
        m_model->DecRef(); // the control holds the only reference
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_ctrl, 1, wxEXPAND);
        m_panel->SetSizer(sizer);
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    void AppendEveryKindOfColumn()
    {
        m_ctrl->AppendTextColumn("", eNumber, wxDATAVIEW_CELL_INERT, 40, wxALIGN_CENTER_HORIZONTAL);
        m_ctrl->AppendTextColumn("Code", eCode, wxDATAVIEW_CELL_INERT, 80);
        m_links = new pmDataViewHyperlinkRenderer(wxDATAVIEW_CELL_INERT, wxDVR_DEFAULT_ALIGNMENT);
        m_ctrl->AppendColumn(new wxDataViewColumn("Links", m_links, eLinks, 220, wxALIGN_LEFT));
        m_links->SetFlags(pmDataViewHyperlinkRenderer::kUnderline);
        m_links->HookMouseEvent();
        m_ctrl->AppendTextColumn("Amount", eAmount, wxDATAVIEW_CELL_INERT, wxCOL_WIDTH_AUTOSIZE,
                                 wxALIGN_RIGHT);
        m_ctrl->AppendColumn(new wxDataViewColumn("Account", new CodeOfRowRenderer, eAccount, 80));
        m_ctrl->AppendIconTextColumn("Symbol", eIconText, wxDATAVIEW_CELL_INERT, 80);
        m_ctrl->AppendColumn(new wxDataViewColumn("When", new pmDataViewTextRenderer, eWhen, 140));
        m_panel->Layout();
    }

    // Waits until the control has asked for every cell and laid out the last
    // row's links.
    bool PaintAll()
    {
        m_ctrl->Refresh();
        return PumpUntil([&] {
            wxDataViewColumn* links = m_ctrl->GetColumnByModelColumn(eLinks);
            return m_model->asked.size() == 3u * eColumnCount &&
                   (!links || m_ctrl->GetItemRect(m_model->GetItem(2), links).width > 0);
        });
    }

    wxFrame* m_frame = nullptr;
    wxPanel* m_panel = nullptr;
    pmDataViewCtrl* m_ctrl = nullptr;
    TypesModel* m_model = nullptr;
    pmDataViewHyperlinkRenderer* m_links = nullptr;
};

// While it lives, the control's popup menus are recorded and closed at once.
class MenuWatcher
{
public:
    using Action = std::function<void(wxMenu& menu)>;

    MenuWatcher(wxWindow* window, Action action = Action()) : m_window(window), m_action(std::move(action))
    {
        m_window->Bind(wxEVT_MENU_OPEN, &MenuWatcher::OnOpen, this);
    }
    ~MenuWatcher() { m_window->Unbind(wxEVT_MENU_OPEN, &MenuWatcher::OnOpen, this); }

    int opened = 0;

private:
    void OnOpen(wxMenuEvent& event)
    {
        wxMenu* menu = event.GetMenu();
        if(!menu) {
            return;
        }
        ++opened;
        if(m_action) {
            m_action(*menu);
        }
        gtk_menu_popdown(reinterpret_cast<GtkMenu*>(menu->m_menu));
    }

    wxWindow* m_window;
    Action m_action;
};
} // namespace

TEST_F(DataViewCtrlTest, EveryValueTypeThePanesHandOverIsDrawnWithoutAWrongTypeDiagnostic)
{
    auto* log = new WrongTypeLog;
    wxLog* previous = wxLog::SetActiveTarget(log);
    const wxLogLevel level = wxLog::GetLogLevel();
    wxLog::SetLogLevel(wxLOG_Max);
    CodeOfRowRenderer::renders = 0;
    AppendEveryKindOfColumn();
    const bool painted = PaintAll();
    wxLog::SetLogLevel(level);
    wxLog::SetActiveTarget(previous);
    EXPECT_TRUE(painted);
    EXPECT_EQ(log->wrongTypes, 0);
    EXPECT_GT(CodeOfRowRenderer::renders, 0);
    delete log;

    EXPECT_EQ(pmDataViewTextRenderer::ValueText(wxVariant(4520.5)), "4520.50");
    EXPECT_EQ(pmDataViewTextRenderer::ValueText(wxVariant(7L)), "7");
    EXPECT_EQ(pmDataViewTextRenderer::ValueText(wxVariant(Texts({"a", "b"}))), "a b");
    EXPECT_EQ(pmDataViewTextRenderer::ValueText(wxVariant()), "");
    EXPECT_FALSE(pmDataViewTextRenderer::IsTextType("wxBitmapBundle"));
}

TEST_F(DataViewCtrlTest, AClickOnALinkSendsItsItemModelColumnAndLinkIndexToTheParents)
{
    AppendEveryKindOfColumn();
    ASSERT_TRUE(PaintAll());
    std::vector<wxDataViewEvent> clicks;
    m_panel->Bind(wxEVT_DATAVIEW_LINK_CLICKED, [&](wxDataViewEvent& event) { clicks.push_back(event); });

    wxUIActionSimulator sim;
    auto clickText = [&](unsigned int row, size_t text) {
        const wxDataViewItem item = m_model->GetItem(row);
        const wxRect cell = m_ctrl->GetItemRect(item, m_ctrl->GetColumnByModelColumn(eLinks));
        wxVariant value;
        m_model->GetValueByRow(value, row, eLinks);
        const std::vector<wxRect> texts = m_links->LayoutTexts(value, cell);
        const wxPoint at(texts.at(text).x + texts[text].width / 2, cell.y + cell.height / 2);
        ASSERT_TRUE(MoveMouseTo(sim, m_ctrl->ClientToScreen(at)));
        sim.MouseClick();
    };

    clickText(0, 1);
    ASSERT_TRUE(PumpUntil([&] { return clicks.size() == 1; }));
    EXPECT_EQ(clicks[0].GetItem(), m_model->GetItem(0));
    EXPECT_EQ(clicks[0].GetColumn(), eLinks);
    EXPECT_EQ(clicks[0].GetInt(), 1);
    EXPECT_EQ(clicks[0].GetEventType(), 17783);

    clickText(2, 0);
    ASSERT_TRUE(PumpUntil([&] { return clicks.size() == 2; }));
    EXPECT_EQ(clicks[1].GetItem(), m_model->GetItem(2));
    EXPECT_EQ(clicks[1].GetInt(), 0);

    // "Close-" is no link; the click selects the row and sends nothing.
    clickText(1, 0);
    EXPECT_TRUE(PumpUntil([&] { return m_ctrl->IsSelected(m_model->GetItem(1)); }));
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(DataViewCtrlTest, TheLinkHitTestFollowsTheDrawnTexts)
{
    AppendEveryKindOfColumn();
    const wxVariant links(Texts({"Apply Goods", "Cancel Goods"}));
    const std::vector<wxRect> rects = m_links->LayoutTexts(links, wxRect(0, 0, 300, 20));
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(m_links->LinkAt(links, rects[0].x + 1), 0);
    EXPECT_EQ(m_links->LinkAt(links, rects[1].GetRight()), 1);
    EXPECT_EQ(m_links->LinkAt(links, rects[0].GetRight() + 2), -1); // the gap
    EXPECT_EQ(m_links->LinkAt(links, rects[1].GetRight() + 5), -1);
    EXPECT_EQ(m_links->LinkAt(wxVariant("4520.50"), 2), -1); // a plain text is no link
    EXPECT_EQ(m_links->LinkAt(wxVariant(Texts({"0.00-"})), 2), -1);
}

TEST_F(DataViewCtrlTest, APopupHookAnsweringTrueShowsNoMenuAndMenuCommandsReachTheParents)
{
    AppendEveryKindOfColumn();
    auto* menu = new wxMenu;
    menu->Append(wxID_HIGHEST + 500, "New Order");
    m_ctrl->InitMenu(menu);
    int commands = 0;
    m_panel->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++commands; }, wxID_HIGHEST + 500);
    bool noMenu = true;
    int hooked = 0;
    wxDataViewItem hookedItem;
    m_ctrl->HookPopupMenu([&](wxDataViewEvent& event) {
        ++hooked;
        hookedItem = event.GetItem();
        return noMenu;
    });
    MenuWatcher watcher(m_ctrl, [](wxMenu& shown) { shown.SendEvent(wxID_HIGHEST + 500); });

    wxDataViewEvent rightClick(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, m_ctrl, m_model->GetItem(1));
    m_ctrl->ProcessWindowEvent(rightClick);
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(hookedItem, m_model->GetItem(1));
    EXPECT_EQ(watcher.opened, 0);
    EXPECT_EQ(commands, 0);

    noMenu = false;
    m_ctrl->ProcessWindowEvent(rightClick);
    EXPECT_EQ(hooked, 2);
    EXPECT_EQ(watcher.opened, 1);
    EXPECT_EQ(commands, 1);

    // A menu without entries is not shown at all.
    m_ctrl->InitMenu(new wxMenu);
    m_ctrl->ProcessWindowEvent(rightClick);
    EXPECT_EQ(watcher.opened, 1);
}

TEST_F(DataViewCtrlTest, TheHeaderMenuShowsAndHidesOptionalColumnsAndTheLayoutFollows)
{
    AppendEveryKindOfColumn();
    pmDataViewCtrlConfig config(m_ctrl);
    config.AddDynColumn("m_bShowAmount", eAmount, true);
    config.AddDynColumn("m_bShowWhen", eWhen, false);
    m_ctrl->SetConfig(&config);
    EXPECT_EQ(m_ctrl->GetConfig(), &config);
    EXPECT_TRUE(m_ctrl->GetColumnByModelColumn(eWhen)->IsHidden());
    EXPECT_FALSE(m_ctrl->GetColumnByModelColumn(eAmount)->IsHidden());

    std::vector<std::pair<wxString, bool>> offered;
    MenuWatcher watcher(m_ctrl, [&](wxMenu& menu) {
        for(wxMenuItem* item : menu.GetMenuItems()) {
            offered.emplace_back(item->GetItemLabelText(), item->IsChecked());
        }
        // The user unticks "Amount".
        wxMenuItem* amount = menu.FindItemByPosition(0);
        wxCommandEvent untick(wxEVT_MENU, amount->GetId());
        untick.SetInt(0);
        menu.ProcessEvent(untick);
    });
    wxDataViewEvent headerClick(wxEVT_DATAVIEW_COLUMN_HEADER_RIGHT_CLICK, m_ctrl,
                                m_ctrl->GetColumnByModelColumn(eCode));
    m_ctrl->ProcessWindowEvent(headerClick);
    ASSERT_EQ(watcher.opened, 1);
    const std::vector<std::pair<wxString, bool>> expected = {{"Amount", true}, {"When", false}};
    EXPECT_EQ(offered, expected);
    EXPECT_TRUE(m_ctrl->GetColumnByModelColumn(eAmount)->IsHidden());
    EXPECT_FALSE(config.FindDynColumn(eAmount)->shown);

    EXPECT_TRUE(m_ctrl->ShowDynColumn("m_bShowWhen", true));
    EXPECT_FALSE(m_ctrl->GetColumnByModelColumn(eWhen)->IsHidden());
    EXPECT_FALSE(m_ctrl->ShowDynColumn("m_bNoSuchColumn", true));
    m_ctrl->SetConfig(nullptr);
}

TEST_F(DataViewCtrlTest, WidthsTheProgramGaveWidenToTitlesAndLaterValuesAUsersWidthStays)
{
    const wxString title = "The code of the bill, in full";
    m_ctrl->AppendTextColumn(title, eCode, wxDATAVIEW_CELL_INERT, 30);
    m_ctrl->AppendTextColumn("Amount", eAmount, wxDATAVIEW_CELL_INERT, 20, wxALIGN_RIGHT);
    m_panel->Layout();
    wxDataViewColumn* code = m_ctrl->GetColumnByModelColumn(eCode);
    wxDataViewColumn* amount = m_ctrl->GetColumnByModelColumn(eAmount);
    EXPECT_TRUE(PumpUntil([&] { return code->GetWidth() > m_ctrl->GetTextExtent(title).x; }));
    EXPECT_EQ(m_ctrl->GetLayout()[0].width, 30); // a layout keeps the width it was added with

    const wxString longer(L'W', 40);
    m_model->SetCode(1, longer);
    EXPECT_TRUE(PumpUntil([&] { return code->GetWidth() > m_ctrl->GetTextExtent(longer).x; }));

    amount->SetWidth(21); // as the user's drag does
    m_model->SetCode(0, longer + longer);
    PumpFor(std::chrono::milliseconds(1500));
    EXPECT_EQ(m_ctrl->GetLayout()[1].width, 21);
}

TEST_F(DataViewCtrlTest, AStoredLayoutAppliesAtOnceAndTheUsersChangesAreTakenBack)
{
    AppendEveryKindOfColumn();
    // Read before the control has it, as the quote board does.
    auto config = std::make_unique<pmDataViewCtrlConfig>();
    config->SetColumns({{eLinks, 150, 0, true},
                        {eNumber, 60, 1, true},
                        {eCode, 90, 2, true},
                        {eAmount, -2, 3, true},
                        {99, 70, 4, true}});
    m_ctrl->SetConfig(config.get());
    const std::vector<int> order = {eLinks, eNumber, eCode, eAmount, eAccount, eIconText, eWhen};
    for(unsigned int pos = 0; pos < order.size(); ++pos) {
        EXPECT_EQ(static_cast<int>(m_ctrl->GetColumn(pos)->GetModelColumn()), order[pos]) << pos;
    }
    ASSERT_TRUE(PaintAll());
    EXPECT_TRUE(PumpUntil([&] { return m_ctrl->GetColumnByModelColumn(eNumber)->GetWidth() == 60; }));

    // The user drags the right edge of the row-number column (the second
    // now) 30 pixels to the right, in the header above the first row.
    const wxDataViewColumn* number = m_ctrl->GetColumnByModelColumn(eNumber);
    const int right = m_ctrl->GetColumnByModelColumn(eLinks)->GetWidth() + number->GetWidth() - 1;
    const int headerMiddle = m_ctrl->GetItemRect(m_model->GetItem(0), m_ctrl->GetColumn(0)).y / 2;
    const wxPoint edge = m_ctrl->ClientToScreen(wxPoint(right, headerMiddle));
    wxUIActionSimulator sim;
    ASSERT_TRUE(MoveMouseTo(sim, edge));
    sim.MouseDown();
    ASSERT_TRUE(MoveMouseTo(sim, edge + wxPoint(15, 0)));
    ASSERT_TRUE(MoveMouseTo(sim, edge + wxPoint(30, 0)));
    const bool resized = PumpUntil([&] { return number->GetWidth() >= 80; });
    sim.MouseUp();
    ASSERT_TRUE(resized);

    Archive arch;
    config->Serialize(arch);
    const std::vector<pmDataViewCtrlConfig::Column> stored = config->GetColumns();
    ASSERT_EQ(stored.size(), 7u);
    EXPECT_EQ(stored[1].modelColumn, eNumber);
    EXPECT_GE(stored[1].width, 80);
    EXPECT_EQ(stored[3].width, -2); // still sizing itself
    EXPECT_EQ(stored[3].modelColumn, eAmount);

    // The layout object goes first: the control keeps no pointer to it.
    config.reset();
    EXPECT_EQ(m_ctrl->GetConfig(), nullptr);

    // The control goes first: the object keeps the last layout.
    pmDataViewCtrlConfig later(m_ctrl);
    m_ctrl->SetConfig(&later);
    m_ctrl->GetColumnByModelColumn(eCode)->SetWidth(133);
    m_ctrl->Destroy();
    m_ctrl = nullptr;
    EXPECT_EQ(later.GetCtrl(), nullptr);
    ASSERT_EQ(later.GetColumns().size(), 7u);
    EXPECT_EQ(later.GetColumns()[2].width, 133);
}
