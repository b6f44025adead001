#ifndef PELMORA_OUTPUTWINDOW_H
#define PELMORA_OUTPUTWINDOW_H

#include <functional>
#include <vector>
#include <wx/panel.h>

class wxListCtrl;
class wxListEvent;
class wxMouseEvent;
class wxTextCtrl;
class wxSizeEvent;
class wxToolBar;

// The host's output window: a log of texts appended by the host and by
// plug-ins. An entry appended with FLAG_NOTICE is a notice whose first line is
// its title; clicking it sends the bus event 11113 (wxEVT_CMD_NOTICE_CLICKED)
// with a wxString* holding the title line as client data and, as event id,
// ContentHash() of the text after the title line. Below the list the chosen
// entry (the newest while none is chosen) is shown whole, its lines wrapped:
// a row shows only what its columns hold.
class OutputWindow : public wxPanel
{
public:
    static constexpr int FLAG_NOTICE = 0x800;
    // Oldest entries are dropped beyond this many, so a long session does not
    // grow without bound.
    static constexpr size_t MAX_ENTRIES = 5000;

    struct Entry
    {
        wxString title; // first line of the text
        wxString body;  // the text after the first line feed
        int flags = 0;
        wxString owner; // who may take the entry back (RemoveEntriesOf); empty: nobody
        bool IsNotice() const { return (flags & FLAG_NOTICE) != 0; }
    };
    using AppendObserver = std::function<void(const Entry& entry)>;

    explicit OutputWindow(wxWindow* parent, wxWindowID id = wxID_ANY);

    void AppendText(const wxString& text, int flags = 0, const wxString& owner = wxString());
    // Takes back every entry appended with that (non-empty) owner, as a
    // plug-in does with a login's notices at its logout; returns how many.
    size_t RemoveEntriesOf(const wxString& owner);
    // A button that sends a menu command with the id to the application.
    // Two are the window's own as well: "readnotifybtn" opens the chosen
    // notice (else the newest) as a click does and shows it whole below the
    // list, "closenotifybtn" hides that text.
    void AddCommand(int id, const wxString& label);
    void Clear();

    size_t GetEntryCount() const { return m_entries.size(); }
    const Entry& GetEntry(size_t index) const { return m_entries.at(index); }
    // What a click on the entry does: a notice goes to the bus, other entries
    // do nothing. Returns whether an event was sent.
    bool ClickEntry(size_t index);

    // 32-bit FNV-1a over the text in the current locale's narrow encoding.
    static wxUint32 ContentHash(const wxString& text);
    static Entry ParseEntry(const wxString& text, int flags);

    void SetAppendObserver(AppendObserver observer);

    // The whole entry shown below the list.
    wxTextCtrl* GetDetail() const { return m_detail; }
    wxListCtrl* GetList() const { return m_list; }

private:
    void OnListClick(wxMouseEvent& event);
    // The columns share the list's width.
    void OnListSize(wxSizeEvent& event);
    void OnCommand(wxCommandEvent& event);
    void OnSelectionChanged(wxListEvent& event);
    // The selected entry, else the newest, in the detail text.
    void ShowDetail();
    void ReadNotice();
    void ShowDetailText(bool show);

    wxToolBar* m_toolBar;
    wxListCtrl* m_list;
    wxTextCtrl* m_detail;
    std::vector<Entry> m_entries;
    AppendObserver m_observer;
};

#endif // PELMORA_OUTPUTWINDOW_H
