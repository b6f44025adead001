#include "connection/AccountStatusLines.h"

#include <algorithm>

AccountStatusLines& AccountStatusLines::Get()
{
    static AccountStatusLines lines;
    return lines;
}

StatusColour AccountStatusLines::PaletteColour(std::size_t entry)
{
    return static_cast<StatusColour>(entry % static_cast<std::size_t>(StatusColour::Count));
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
