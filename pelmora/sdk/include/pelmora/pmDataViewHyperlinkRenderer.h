#ifndef PELMORA_PMDATAVIEWHYPERLINKRENDERER_H
#define PELMORA_PMDATAVIEWHYPERLINKRENDERER_H

#include <vector>
#include <wx/dataview.h>

// Sent to the data-view control, and on to its parents, when a link of a
// hyperlink cell is clicked: the row's item, the model column (GetColumn) and,
// in the event's integer (GetInt), the index of the clicked link in the cell.
const wxEventTypeTag<wxDataViewEvent> wxEVT_DATAVIEW_LINK_CLICKED(17783);

// A cell of links: a list of texts, each drawn as a link, left to right. A
// text ending in "-" is no link: it shows plain and takes no click (the panes
// mark an empty quantity that way); so does any value that is not a list (a
// total row's sum). Links are blue, or the colour the model's attribute
// gives; SetFlags(kUnderline) underlines them.
// Clicks reach the cell only after HookMouseEvent; the event is queued, so its
// handlers run after the toolkit's click handling (they may open dialogs).
class pmDataViewHyperlinkRenderer : public wxDataViewCustomRenderer
{
public:
    enum { kUnderline = 1 };

    explicit pmDataViewHyperlinkRenderer(wxDataViewCellMode mode = wxDATAVIEW_CELL_INERT,
                                         int align = wxDVR_DEFAULT_ALIGNMENT);

    void SetFlags(int flags) { m_flags = flags; }
    int GetFlags() const { return m_flags; }
    // From now on a left click on a link sends wxEVT_DATAVIEW_LINK_CLICKED.
    void HookMouseEvent();

    bool SetValue(const wxVariant& value) override;
    bool GetValue(wxVariant& value) const override;
    bool IsCompatibleVariantType(const wxString& variantType) const override;
    bool Render(wxRect cell, wxDC* dc, int state) override;
    wxSize GetSize() const override;
    bool ActivateCell(const wxRect& cell, wxDataViewModel* model, const wxDataViewItem& item,
                      unsigned int column, const wxMouseEvent* mouseEvent) override;

    // The texts of a cell value: a list as it is, any other value as one text.
    static wxArrayString ValueTexts(const wxVariant& value);
    // Whether a text of the value is drawn as a link.
    static bool IsLink(const wxVariant& value, const wxString& text);
    // Where each text of the value stands when its cell is drawn in `cell`.
    std::vector<wxRect> LayoutTexts(const wxVariant& value, const wxRect& cell, bool bold = false) const;
    // The index of the link of the value at x (relative to the cell's left),
    // or -1 where there is none.
    int LinkAt(const wxVariant& value, int x, bool bold = false) const;

private:
    wxWindow* GetCtrl() const;
    wxFont GetTextFont(bool bold) const;

    wxVariant m_value;
    wxArrayString m_texts;
    int m_flags = 0;
};

#endif // PELMORA_PMDATAVIEWHYPERLINKRENDERER_H
