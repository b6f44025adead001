#include "common/TessrinConfig.h"

#include "common/Colours.h"

#include <climits>
#include <pelmora/clConfig.h>
#include <pelmora/pmStandardPaths.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

TessrinConfig::TessrinConfig(const clConfig* config) : m_config(config) {}

wxString TessrinConfig::GetFilePath()
{
    return pmStandardPaths::Get().GetDataDir() + wxFileName::GetPathSeparator() + "config" +
           wxFileName::GetPathSeparator() + "Tessrin.con";
}

wxArrayInt TessrinConfig::ParseMarketIds(const wxString& text)
{
    wxArrayInt ids;
    if(text.empty()) {
        return ids;
    }
    for(wxString piece : wxSplit(text, ',', '\\')) {
        piece.Trim(true).Trim(false);
        long value = 0;
        if(piece.ToLong(&value, 10) && value >= INT_MIN && value <= INT_MAX) {
            ids.Add(static_cast<int>(value));
        }
    }
    return ids;
}

wxArrayInt TessrinConfig::GetMarketIds() const
{
    return ParseMarketIds(ReadText("markets", ""));
}

bool TessrinConfig::IsHideStoreOrderPane() const
{
    return ReadBool("HideStoreOrderPane", false);
}

bool TessrinConfig::IsShowInoutInBrower() const
{
    return ReadBool("ShowInoutInBrower", false);
}

bool TessrinConfig::IsShowErrMsgBox() const
{
    return ReadBool("showErrMsgBox", true);
}

bool TessrinConfig::IsShowExpireWeekSel() const
{
    return ReadBool("ShowExpireWeekSel", false);
}

int TessrinConfig::GetDefaultPointDiff() const
{
    return ReadInt("defaultPointDiff", 20);
}

wxString TessrinConfig::GetDefaultSymbolPointDiffs() const
{
    return ReadText("defaultSymbolPointDiffs", "");
}

wxString TessrinConfig::GetBiMode() const
{
    return ReadText("BiMode", "1");
}

wxString TessrinConfig::GetQuickBtnColours() const
{
    return ReadText("QuickBtnColours", Colours::kQuickButtonColours);
}

bool TessrinConfig::IsShowBonusPoint() const
{
    return ReadBool("ShowBonusPoint", false);
}

wxString TessrinConfig::GetShowMultiMargin() const
{
    return ReadText("ShowMultiMargin", "false");
}

wxString TessrinConfig::GetStoreNames() const
{
    return ReadText("StoreNames", "");
}

bool TessrinConfig::ReadBool(const char* key, bool defaultValue) const
{
    return m_config ? m_config->Read(key, defaultValue) : defaultValue;
}

int TessrinConfig::ReadInt(const char* key, int defaultValue) const
{
    return m_config ? m_config->Read(key, defaultValue) : defaultValue;
}

wxString TessrinConfig::ReadText(const char* key, const char* defaultValue) const
{
    return m_config ? m_config->Read(key, defaultValue) : wxString(defaultValue);
}
