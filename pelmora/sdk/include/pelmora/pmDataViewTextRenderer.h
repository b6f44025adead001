#ifndef PELMORA_PMDATAVIEWTEXTRENDERER_H
#define PELMORA_PMDATAVIEWTEXTRENDERER_H

#include <wx/dataview.h>

// A text cell drawn by the host, so that panes can draw behind and around the
// text (GTK's own text cell cannot be overridden). Render paints the
// background first through RenderBackground, then the text.
//
// It takes every value a pane's model hands a cell: a text, a list of texts
// (shown joined by blanks), a number (a floating-point value with two
// decimals), a record reference ("void*", shown empty; subclasses read it)
// and a date. Subclasses override SetValue, Render, GetSize and
// RenderBackground.
class pmDataViewTextRenderer : public wxDataViewCustomRenderer
{
public:
    explicit pmDataViewTextRenderer(const wxString& varianttype = wxASCII_STR("string"),
                                    wxDataViewCellMode mode = wxDATAVIEW_CELL_INERT,
                                    int align = wxDVR_DEFAULT_ALIGNMENT);

    bool SetValue(const wxVariant& value) override;
    bool GetValue(wxVariant& value) const override;
    bool IsCompatibleVariantType(const wxString& variantType) const override;
    bool Render(wxRect cell, wxDC* dc, int state) override;
    wxSize GetSize() const override;

    // The text the host shows for a cell value; empty for a null value.
    static wxString ValueText(const wxVariant& value);
    // Whether the host's text cells take values of that type.
    static bool IsTextType(const wxString& variantType);

protected:
    const wxVariant& GetCellValue() const { return m_value; }
    const wxString& GetText() const { return m_text; }

private:
    wxVariant m_value;
    wxString m_text;
};

#endif // PELMORA_PMDATAVIEWTEXTRENDERER_H
