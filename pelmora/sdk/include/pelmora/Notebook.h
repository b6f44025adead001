#ifndef PELMORA_NOTEBOOK_H
#define PELMORA_NOTEBOOK_H

#include "pelmora/AuiPaintFilter.h"

#include <functional>
#include <wx/aui/auibook.h>

// One of the host's three notebooks (workspace, output, centre). Pages are
// added and removed by the host and by plug-ins; an optional observer learns
// of every page that comes or goes, so the host can trace it.
class Notebook : public wxAuiNotebook
{
public:
    enum class PageAction { Add, Remove };
    using PageObserver = std::function<void(PageAction action, const wxString& label)>;

    Notebook(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = wxAUI_NB_DEFAULT_STYLE);
    ~Notebook() override;

    bool AddPage(wxWindow* page, const wxString& label, bool select = false,
                 const wxBitmap& bitmap = wxNullBitmap);
    bool AddPage(wxWindow* page, const wxString& label, bool select, int imageId) override;
    bool InsertPage(size_t index, wxWindow* page, const wxString& label, bool select = false,
                    const wxBitmap& bitmap = wxNullBitmap);
    bool InsertPage(size_t index, wxWindow* page, const wxString& label, bool select, int imageId) override;

    // Takes the page out without destroying its window. With notify the
    // page-close event goes first and a veto keeps the page; without, no page
    // event is sent at all (the toolkit selects a page afresh on removal).
    bool RemovePage(size_t index, bool notify);
    bool RemovePage(size_t index) override;
    bool DeletePage(size_t index) override;

    // Without notify the page changes and no page-changing event is sent.
    int SetSelection(size_t index, bool notify);
    int SetSelection(size_t index) override;

    // Tabs may still be reordered, but no longer be dragged out to split the
    // notebook above or below.
    void DisableTopBottomDrag();

    void SetPageObserver(PageObserver observer);

private:
    void Report(PageAction action, const wxString& label) const;
    bool TryBefore(wxEvent& event) override;

    AuiPaintFilter m_paintFilter; // pushed over the notebook's docking manager
    PageObserver m_observer;
    int m_deleting = 0;
    int m_quiet = 0; // page events are swallowed while positive
};

#endif // PELMORA_NOTEBOOK_H
