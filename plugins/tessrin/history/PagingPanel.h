#pragma once

#include "layouts/PagingPanelBase.h"

// The paging bar of a history page and the paging state, which the history
// frame reads and writes. The links send "first", "previous", "next" and
// "last page" (HistoryCommandEvents.h), each queued on the bar; a page typed
// into the page field becomes the page of the next query when the field's
// validator takes it.
class PagingPanel : public PagingPanelBase
{
public:
    explicit PagingPanel(wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
                         const wxSize& size = wxDefaultSize);

    int GetPage() const { return m_page; }
    void SetPage(int page) { m_page = page; }
    int GetPageCount() const { return m_pageCount; }
    void SetPageCount(int pageCount) { m_pageCount = pageCount; }
    int GetTotalCount() const { return m_totalCount; }
    void SetTotalCount(int totalCount) { m_totalCount = totalCount; }

    // The chosen page size (10 when the choice holds no number). When it
    // differs from the size of the last query it becomes that size and
    // *changed is set.
    int GetPageSize(bool* changed = nullptr);
    // The page field shows the page, the count field the page count.
    void UpdatePageText();
    // The page field takes whole numbers from 1 to the page count, so no
    // typed page lies past the end (before the first reply: none).
    void SetPageValidator();
    // The message at the right end; the bar is laid out again.
    void SetMessage(const wxString& text);

protected:
    void OnFirst(wxHyperlinkEvent& event) override;
    void OnPrev(wxHyperlinkEvent& event) override;
    void OnPageText(wxCommandEvent& event) override;
    void OnNext(wxHyperlinkEvent& event) override;
    void OnLast(wxHyperlinkEvent& event) override;

private:
    int m_page = 1;       // 1-based current page
    int m_pageCount = 0;  // pages of the last reply
    int m_totalCount = 0; // records of the last reply; 0 makes the server count again
    int m_pageSize = 10;  // page size of the last query
};
