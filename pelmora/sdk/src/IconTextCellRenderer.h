#pragma once

#include <wx/dataview.h>

// The toolkit's icon-and-text cell, also taking a plain cell value (shown as
// its text without an icon). AppendIconTextColumn uses it.
class IconTextCellRenderer : public wxDataViewIconTextRenderer
{
public:
    IconTextCellRenderer(wxDataViewCellMode mode, int align);

    bool SetValue(const wxVariant& value) override;
    bool IsCompatibleVariantType(const wxString& variantType) const override;
};
