#pragma once

#include <wx/dataview.h>

// The status cell of the binary-order pane. A running order's value
// "<fraction>:<remaining ms>" draws as a rounded strip filled by the
// fraction (ten-thousandths; green from half on, red below) with the
// remaining time as "%H:%M:%S" in white; a one-part value is only its text.
// The cells hold texts, so the renderer takes "string" values.
class ExpireTimeRenderer : public wxDataViewCustomRenderer
{
public:
    // What a value draws.
    struct Reading
    {
        bool draws = false; // a malformed value draws nothing
        bool strip = false;
        int fraction = 0;
        wxString label;
    };
    // The strip in a cell: the track inside a 5-pixel margin and the part
    // the fraction fills, from the same left edge.
    struct Strip
    {
        wxRect track;
        wxRect fill;
        wxColour fillColour;
    };
    ExpireTimeRenderer();

    // The value split at ':' ('\' escapes): one part is the label; two
    // decimal integers are the fraction and the remaining milliseconds;
    // anything else draws nothing.
    static Reading Read(const wxString& value);
    static Strip StripIn(const wxRect& cell, int fraction);

    bool SetValue(const wxVariant& value) override;
    bool GetValue(wxVariant& value) const override;
    wxSize GetSize() const override;
    bool Render(wxRect cell, wxDC* dc, int state) override;
    bool ActivateCell(const wxRect& cell, wxDataViewModel* model, const wxDataViewItem& item,
                      unsigned int column, const wxMouseEvent* mouseEvent) override;

private:
    wxString m_text;
};
