#include "pelmora/pmDataViewTextRenderer.h"

#include <wx/datetime.h>

pmDataViewTextRenderer::pmDataViewTextRenderer(const wxString& varianttype, wxDataViewCellMode mode,
                                               int align)
    : wxDataViewCustomRenderer(varianttype, mode, align)
{}

bool pmDataViewTextRenderer::SetValue(const wxVariant& value)
{
    m_value = value;
    m_text = ValueText(value);
    return true;
}

bool pmDataViewTextRenderer::GetValue(wxVariant& value) const
{
    value = m_value;
    return true;
}

bool pmDataViewTextRenderer::IsCompatibleVariantType(const wxString& variantType) const
{
    return IsTextType(variantType);
}

bool pmDataViewTextRenderer::Render(wxRect cell, wxDC* dc, int state)
{
    RenderBackground(dc, cell);
    RenderText(m_text, 0, cell, dc, state);
    return true;
}

wxSize pmDataViewTextRenderer::GetSize() const
{
    // Even an empty cell keeps the height of a line of text.
    return GetTextExtent(m_text.empty() ? wxString(" ") : m_text);
}

wxString pmDataViewTextRenderer::ValueText(const wxVariant& value)
{
    if(value.IsNull()) {
        return wxString();
    }
    const wxString type = value.GetType();
    if(type == "string") {
        return value.GetString();
    }
    if(type == "arrstring") {
        return wxJoin(value.GetArrayString(), ' ', '\0');
    }
    if(type == "double") {
        return wxString::Format("%.2f", value.GetDouble());
    }
    if(type == "void*") {
        return wxString();
    }
    if(type == "datetime") {
        const wxDateTime time = value.GetDateTime();
        return time.IsValid() ? time.Format("%Y-%m-%d %H:%M:%S") : wxString();
    }
    return value.MakeString(); // long, longlong, ulonglong, bool
}

bool pmDataViewTextRenderer::IsTextType(const wxString& variantType)
{
    static const char* const kTypes[] = {"string", "arrstring", "long",  "longlong", "ulonglong",
                                         "double", "bool",      "void*", "datetime"};
    for(const char* type : kTypes) {
        if(variantType == type) {
            return true;
        }
    }
    return false;
}
