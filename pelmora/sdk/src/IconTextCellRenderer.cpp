#include "IconTextCellRenderer.h"

#include "pelmora/pmDataViewTextRenderer.h"

IconTextCellRenderer::IconTextCellRenderer(wxDataViewCellMode mode, int align)
    : wxDataViewIconTextRenderer(wxDataViewIconTextRenderer::GetDefaultType(), mode, align)
{}

bool IconTextCellRenderer::SetValue(const wxVariant& value)
{
    if(!value.IsNull() && value.GetType() == GetDefaultType()) {
        return wxDataViewIconTextRenderer::SetValue(value);
    }
    wxVariant iconText;
    iconText << wxDataViewIconText(pmDataViewTextRenderer::ValueText(value));
    return wxDataViewIconTextRenderer::SetValue(iconText);
}

bool IconTextCellRenderer::IsCompatibleVariantType(const wxString& variantType) const
{
    return variantType == GetDefaultType() || pmDataViewTextRenderer::IsTextType(variantType);
}
