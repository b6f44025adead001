#include "TextCellRenderer.h"

#include "pelmora/pmDataViewTextRenderer.h"

TextCellRenderer::TextCellRenderer(wxDataViewCellMode mode, int align)
    : wxDataViewTextRenderer("string", mode, align)
{}

bool TextCellRenderer::SetValue(const wxVariant& value)
{
    return SetTextValue(pmDataViewTextRenderer::ValueText(value));
}

bool TextCellRenderer::IsCompatibleVariantType(const wxString& variantType) const
{
    return pmDataViewTextRenderer::IsTextType(variantType);
}
