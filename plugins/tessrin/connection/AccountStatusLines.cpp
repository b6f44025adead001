#include "connection/AccountStatusLines.h"

#include <algorithm>
#include <wx/gdicmn.h>

AccountStatusLines& AccountStatusLines::Get()
{
    static AccountStatusLines lines;
    return lines;
}

wxColour AccountStatusLines::PaletteColour(std::size_t entry)
{
    static const wxStockGDI::Item palette[] = {
        wxStockGDI::COLOUR_BLACK, wxStockGDI::COLOUR_BLUE,      wxStockGDI::COLOUR_GREEN,
        wxStockGDI::COLOUR_CYAN,  wxStockGDI::COLOUR_LIGHTGREY, wxStockGDI::COLOUR_RED,
        wxStockGDI::COLOUR_WHITE,
    };
    return *wxStockGDI::GetColour(palette[entry % (sizeof palette / sizeof palette[0])]);
}

void AccountStatusLines::SetLine(int accountKey, const wxString& text)
{
    if(std::find(m_order.begin(), m_order.end(), accountKey) == m_order.end()) {
        m_order.push_back(accountKey);
    }
    auto colour = m_colours.find(accountKey);
    if(colour == m_colours.end()) {
        colour = m_colours.emplace(accountKey, PaletteColour(m_colours.size())).first;
    }
    m_lines[accountKey] = AccountStatusLine{colour->second, text};
}

const AccountStatusLine* AccountStatusLines::Next()
{
    if(m_lines.empty() || m_order.empty()) {
        return nullptr;
    }
    ++m_shown;
    if(m_shown < 0 || static_cast<std::size_t>(m_shown) >= m_order.size()) {
        m_shown = 0;
    }
    return &m_lines[m_order[static_cast<std::size_t>(m_shown)]];
}

void AccountStatusLines::Clear()
{
    m_lines.clear();
    m_colours.clear();
    m_order.clear();
    m_shown = -1;
}
