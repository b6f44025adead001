#include "pelmora/OutputWindow.h"

#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

namespace {
enum Column { COL_TIME, COL_TITLE, COL_TEXT };
// Around a column's text, and the least a column keeps.
constexpr int kColumnPadding = 16;
constexpr int kMinColumnWidth = 40;

wxString OneLine(const wxString& text)
{
    wxString line = text;
    line.Replace("\r", "");
    line.Replace("\n", "  ");
    return line;
}
} // namespace

OutputWindow::OutputWindow(wxWindow* parent, wxWindowID id) : wxPanel(parent, id)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_toolBar = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxTB_HORIZONTAL | wxTB_TEXT | wxTB_NOICONS | wxTB_FLAT);
    m_toolBar->Realize();
    m_toolBar->Hide(); // shown once a command is added
    m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_NONE);
    m_list->AppendColumn(_("Time"), wxLIST_FORMAT_LEFT, 80);
    m_list->AppendColumn(_("Title"), wxLIST_FORMAT_LEFT, 160);
    m_list->AppendColumn(_("Text"), wxLIST_FORMAT_LEFT, 600);
    m_list->Bind(wxEVT_SIZE, &OutputWindow::OnListSize, this);
    m_list->Bind(wxEVT_LIST_ITEM_SELECTED, &OutputWindow::OnSelectionChanged, this);
    m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, &OutputWindow::OnSelectionChanged, this);
    m_detail = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP | wxBORDER_NONE);
    sizer->Add(m_toolBar, 0, wxEXPAND);
    sizer->Add(m_list, 1, wxEXPAND);
    sizer->Add(new wxStaticLine(this), 0, wxEXPAND);
    sizer->Add(m_detail, 1, wxEXPAND | wxALL, 4);
    SetSizer(sizer);

    // The generic list control takes its mouse input on an inner window; a
    // click on an already selected notice must still count.
    m_list->GetMainWindowOfCompositeControl()->Bind(wxEVT_LEFT_UP, &OutputWindow::OnListClick, this);
    m_toolBar->Bind(wxEVT_TOOL, &OutputWindow::OnCommand, this);
}

OutputWindow::Entry OutputWindow::ParseEntry(const wxString& text, int flags)
{
    Entry entry;
    entry.flags = flags;
    const int lineFeed = text.Find('\n');
    if(lineFeed == wxNOT_FOUND) {
        entry.title = text;
    } else {
        entry.title = text.Left(static_cast<size_t>(lineFeed));
        entry.body = text.Mid(static_cast<size_t>(lineFeed) + 1);
    }
    if(entry.title.EndsWith("\r")) {
        entry.title.RemoveLast();
    }
    return entry;
}

void OutputWindow::AppendText(const wxString& text, int flags, const wxString& owner)
{
    Entry entry = ParseEntry(text, flags);
    entry.owner = owner;
    if(m_entries.size() >= MAX_ENTRIES) {
        m_entries.erase(m_entries.begin());
        m_list->DeleteItem(0);
    }
    const long row = m_list->InsertItem(m_list->GetItemCount(), wxDateTime::Now().FormatISOTime());
    if(entry.body.empty()) {
        // A one-line entry (a log line) is read in the wide column: the
        // title column would cut it.
        m_list->SetItem(row, COL_TEXT, OneLine(entry.title));
    } else {
        m_list->SetItem(row, COL_TITLE, OneLine(entry.title));
        m_list->SetItem(row, COL_TEXT, OneLine(entry.body));
    }
    if(entry.IsNotice()) {
        wxFont bold = m_list->GetFont();
        bold.SetWeight(wxFONTWEIGHT_BOLD);
        m_list->SetItemFont(row, bold);
    }
    m_list->EnsureVisible(row);
    m_entries.push_back(std::move(entry));
    ShowDetail();
    if(m_observer) {
        m_observer(m_entries.back());
    }
}

void OutputWindow::AddCommand(int id, const wxString& label)
{
    if(m_toolBar->FindById(id)) {
        return;
    }
    m_toolBar->AddTool(id, label, wxNullBitmap);
    m_toolBar->Realize();
    if(!m_toolBar->IsShown()) {
        m_toolBar->Show();
        Layout();
    }
}

size_t OutputWindow::RemoveEntriesOf(const wxString& owner)
{
    if(owner.empty()) {
        return 0;
    }
    size_t removed = 0;
    // From the end: the rows before an erased one keep their numbers.
    for(size_t i = m_entries.size(); i-- > 0;) {
        if(m_entries[i].owner == owner) {
            m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(i));
            m_list->DeleteItem(static_cast<long>(i));
            ++removed;
        }
    }
    if(removed > 0) {
        ShowDetail(); // it may have shown one of them
    }
    return removed;
}

void OutputWindow::Clear()
{
    m_entries.clear();
    m_list->DeleteAllItems();
    ShowDetail();
}

bool OutputWindow::ClickEntry(size_t index)
{
    if(index >= m_entries.size() || !m_entries[index].IsNotice()) {
        return false;
    }
    // Copies: a handler may append to this window while the event runs.
    wxString title = m_entries[index].title;
    const wxUint32 hash = ContentHash(m_entries[index].body);
    wxCommandEvent event(wxEVT_CMD_NOTICE_CLICKED, static_cast<int>(hash));
    event.SetClientData(&title);
    event.SetString(title);
    EventNotifier::Get()->ProcessEvent(event);
    return true;
}

wxUint32 OutputWindow::ContentHash(const wxString& text)
{
    wxCharBuffer narrow = text.mb_str(wxConvLibc);
    if(narrow.length() == 0 && !text.empty()) {
        // The locale cannot spell the text (Chinese under "C"): every such
        // text would hash alike and a click would open another bulletin.
        narrow = text.utf8_str();
    }
    wxUint32 hash = 0x811C9DC5u;
    for(size_t i = 0; i < narrow.length(); ++i) {
        hash ^= static_cast<unsigned char>(narrow.data()[i]);
        hash *= 16777619u;
    }
    return hash;
}

void OutputWindow::SetAppendObserver(AppendObserver observer)
{
    m_observer = std::move(observer);
}

void OutputWindow::OnListSize(wxSizeEvent& event)
{
    event.Skip();
    // The time as wide as a time, the title two fifths of the rest and the
    // text the remainder, room left for a scroll bar: all three on the pane
    // however narrow it is docked.
    const int time = m_list->GetTextExtent(wxDateTime::Now().FormatISOTime()).x + kColumnPadding;
    const int rest = std::max(0, m_list->GetSize().x - time - wxSystemSettings::GetMetric(wxSYS_VSCROLL_X));
    const int title = std::max(kMinColumnWidth, rest * 2 / 5);
    m_list->SetColumnWidth(COL_TIME, time);
    m_list->SetColumnWidth(COL_TITLE, title);
    m_list->SetColumnWidth(COL_TEXT, std::max(kMinColumnWidth, rest - title));
}

void OutputWindow::OnSelectionChanged(wxListEvent& event)
{
    event.Skip();
    ShowDetail();
}

void OutputWindow::ShowDetail()
{
    long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if(row < 0 || static_cast<size_t>(row) >= m_entries.size()) {
        row = static_cast<long>(m_entries.size()) - 1;
    }
    if(row < 0) {
        m_detail->Clear();
        return;
    }
    const Entry& entry = m_entries[static_cast<size_t>(row)];
    wxString text = m_list->GetItemText(row, COL_TIME) + "  " + entry.title;
    if(!entry.body.empty()) {
        text += "\n" + entry.body;
    }
    m_detail->ChangeValue(text);
    m_detail->ShowPosition(0);
}

void OutputWindow::ReadNotice()
{
    ShowDetailText(true);
    long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    for(long i = static_cast<long>(m_entries.size()); row < 0 && i-- > 0;) {
        row = m_entries[static_cast<size_t>(i)].IsNotice() ? i : -1;
    }
    if(row >= 0) {
        ClickEntry(static_cast<size_t>(row));
    }
}

void OutputWindow::ShowDetailText(bool show)
{
    if(m_detail->IsShown() != show) {
        m_detail->Show(show);
        Layout();
    }
}

void OutputWindow::OnListClick(wxMouseEvent& event)
{
    event.Skip();
    int hitFlags = 0;
    const long row = m_list->HitTest(event.GetPosition(), hitFlags);
    if(row != wxNOT_FOUND && (hitFlags & wxLIST_HITTEST_ONITEM)) {
        ClickEntry(static_cast<size_t>(row));
    }
}

void OutputWindow::OnCommand(wxCommandEvent& event)
{
    if(event.GetId() == wxXmlResource::GetXRCID("readnotifybtn")) {
        ReadNotice();
    } else if(event.GetId() == wxXmlResource::GetXRCID("closenotifybtn")) {
        ShowDetailText(false);
    }
    wxCommandEvent command(wxEVT_MENU, event.GetId());
    command.SetEventObject(this);
    if(wxTheApp) {
        wxTheApp->ProcessEvent(command);
    }
}
