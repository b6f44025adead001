#pragma once

#include "connection/StatusColour.h"

#include <cstddef>
#include <map>
#include <vector>
#include <wx/string.h>

// One account's line of the rotating status-bar field.
struct AccountStatusLine
{
    StatusColour colour = StatusColour::Black;
    wxString text;
};

// The account lines that status field 2 shows in turn, process-wide: the
// line of each account, the accounts in display order and the line shown
// last. Once coloured, an account keeps its colour. GUI thread only.
class AccountStatusLines
{
public:
    static AccountStatusLines& Get();

    // Sets the account's line; a new account joins the end of the display
    // list and takes palette entry (accounts coloured so far) modulo 7.
    void SetLine(int accountKey, const wxString& text);
    // The line after the one shown last, wrapping; null when there is none.
    const AccountStatusLine* Next();
    // Forgets every line, colour and the position.
    void Clear();

    std::size_t GetCount() const { return m_order.size(); }
    // Whether a line was handed out since the last Clear.
    bool HasShown() const { return m_shown >= 0; }

    // Black, blue, green, cyan, light grey, red, white.
    static StatusColour PaletteColour(std::size_t entry);

private:
    std::map<int, AccountStatusLine> m_lines;
    std::map<int, StatusColour> m_colours;
    std::vector<int> m_order;
    int m_shown = -1;
};
