#include "pelmora/pmDataViewHyperlinkRenderer.h"

#include "pelmora/pmDataViewTextRenderer.h"

#include <algorithm>
#include <wx/dc.h>
#include <wx/settings.h>

namespace {
constexpr int kTextGap = 8; // between two texts of one cell
} // namespace

pmDataViewHyperlinkRenderer::pmDataViewHyperlinkRenderer(wxDataViewCellMode mode, int align)
    : wxDataViewCustomRenderer("arrstring", mode, align)
{}

void pmDataViewHyperlinkRenderer::HookMouseEvent()
{
    // The toolkit hands clicks on a cell only to activatable cells.
    SetMode(wxDATAVIEW_CELL_ACTIVATABLE);
}

bool pmDataViewHyperlinkRenderer::SetValue(const wxVariant& value)
{
    m_value = value;
    m_texts = ValueTexts(value);
    return true;
}

bool pmDataViewHyperlinkRenderer::GetValue(wxVariant& value) const
{
    value = m_value;
    return true;
}

bool pmDataViewHyperlinkRenderer::IsCompatibleVariantType(const wxString& variantType) const
{
    return pmDataViewTextRenderer::IsTextType(variantType);
}

wxArrayString pmDataViewHyperlinkRenderer::ValueTexts(const wxVariant& value)
{
    if(value.IsNull()) {
        return wxArrayString();
    }
    if(value.GetType() == "arrstring") {
        return value.GetArrayString();
    }
    wxArrayString texts;
    const wxString text = pmDataViewTextRenderer::ValueText(value);
    if(!text.empty()) {
        texts.Add(text);
    }
    return texts;
}

bool pmDataViewHyperlinkRenderer::IsLink(const wxVariant& value, const wxString& text)
{
    return !value.IsNull() && value.GetType() == "arrstring" && !text.empty() && !text.EndsWith("-");
}

wxWindow* pmDataViewHyperlinkRenderer::GetCtrl() const
{
    const wxDataViewColumn* column = GetOwner();
    return column ? column->GetOwner() : nullptr;
}

wxFont pmDataViewHyperlinkRenderer::GetTextFont(bool bold) const
{
    const wxWindow* ctrl = GetCtrl();
    wxFont font = ctrl ? ctrl->GetFont() : wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if(bold) {
        font.MakeBold();
    }
    return font;
}

std::vector<wxRect> pmDataViewHyperlinkRenderer::LayoutTexts(const wxVariant& value, const wxRect& cell,
                                                             bool bold) const
{
    std::vector<wxRect> rects;
    const wxWindow* ctrl = GetCtrl();
    if(!ctrl) {
        return rects;
    }
    // Measured with the font they are drawn in; underlining changes no width.
    const wxFont font = GetTextFont(bold);
    int x = cell.x;
    for(const wxString& text : ValueTexts(value)) {
        int width = 0;
        int height = 0;
        ctrl->GetTextExtent(text, &width, &height, nullptr, nullptr, &font);
        rects.emplace_back(x, cell.y + (cell.height - height) / 2, width, height);
        x += width + kTextGap;
    }
    return rects;
}

int pmDataViewHyperlinkRenderer::LinkAt(const wxVariant& value, int x, bool bold) const
{
    const wxArrayString texts = ValueTexts(value);
    const std::vector<wxRect> rects = LayoutTexts(value, wxRect(), bold);
    for(size_t i = 0; i < rects.size(); ++i) {
        if(x >= rects[i].GetLeft() && x <= rects[i].GetRight()) {
            return IsLink(value, texts[i]) ? static_cast<int>(i) : -1;
        }
    }
    return -1;
}

wxSize pmDataViewHyperlinkRenderer::GetSize() const
{
    const wxWindow* ctrl = GetCtrl();
    if(!ctrl) {
        return wxSize(0, 0);
    }
    const wxFont font = GetTextFont(GetAttr().GetBold());
    int width = 0;
    int height = 0;
    ctrl->GetTextExtent(" ", &width, &height, nullptr, nullptr, &font);
    width = 0;
    for(const wxRect& rect : LayoutTexts(m_value, wxRect(), GetAttr().GetBold())) {
        width = rect.GetRight() + 1;
        height = std::max(height, rect.height);
    }
    return wxSize(width, height);
}

bool pmDataViewHyperlinkRenderer::Render(wxRect cell, wxDC* dc, int state)
{
    RenderBackground(dc, cell);
    const wxWindow* ctrl = GetCtrl();
    const wxDataViewItemAttr& attr = GetAttr();
    const bool selected = (state & wxDATAVIEW_CELL_SELECTED) != 0;
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
    const wxColour linkColour = selected ? highlight : attr.HasColour() ? attr.GetColour() : *wxBLUE;
    const wxColour plainColour = selected           ? highlight
                                 : attr.HasColour() ? attr.GetColour()
                                 : ctrl             ? ctrl->GetForegroundColour()
                                                    : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    const wxFont plainFont = GetTextFont(attr.GetBold());
    wxFont linkFont = plainFont;
    if(m_flags & kUnderline) {
        linkFont.MakeUnderlined();
    }
    wxDCFontChanger fontChanger(*dc);
    wxDCTextColourChanger colourChanger(*dc);
    const std::vector<wxRect> rects = LayoutTexts(m_value, cell, attr.GetBold());
    for(size_t i = 0; i < rects.size(); ++i) {
        const bool link = IsLink(m_value, m_texts[i]);
        fontChanger.Set(link ? linkFont : plainFont);
        colourChanger.Set(link ? linkColour : plainColour);
        dc->DrawText(m_texts[i], rects[i].GetTopLeft());
    }
    return true;
}

bool pmDataViewHyperlinkRenderer::ActivateCell(const wxRect& cell, wxDataViewModel* model,
                                               const wxDataViewItem& item, unsigned int column,
                                               const wxMouseEvent* mouseEvent)
{
    wxUnusedVar(cell);
    wxDataViewColumn* owner = GetOwner();
    wxDataViewCtrl* ctrl = owner ? owner->GetOwner() : nullptr;
    // Keyboard activation names no link.
    if(!mouseEvent || !ctrl || !model || !item.IsOk()) {
        return false;
    }
    // The clicked row's own value and look: the renderer may hold another row's.
    wxVariant value;
    model->GetValue(value, item, column);
    wxDataViewItemAttr attr;
    model->GetAttr(item, column, attr);
    const int link = LinkAt(value, mouseEvent->GetX(), attr.GetBold());
    if(link < 0) {
        return false;
    }
    wxDataViewEvent event(wxEVT_DATAVIEW_LINK_CLICKED, ctrl, owner, item);
    event.SetInt(link);
    ctrl->GetEventHandler()->AddPendingEvent(event);
    return true;
}
