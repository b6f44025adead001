#pragma once

#include <wx/dataview.h>

// The toolkit's own text cell, taking every value the host's text cells take
// (a row number, a list of texts, ...) as its text. AppendTextColumn uses it:
// it draws as fast as the toolkit can.
class TextCellRenderer : public wxDataViewTextRenderer
{
public:
    TextCellRenderer(wxDataViewCellMode mode, int align);

    bool SetValue(const wxVariant& value) override;
    bool IsCompatibleVariantType(const wxString& variantType) const override;
};
