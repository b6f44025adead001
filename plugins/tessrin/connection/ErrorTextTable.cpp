#include "connection/ErrorTextTable.h"

#include "connection/ServerErrorTable.h"

ErrorTextTable* g_errorTable = nullptr;

namespace {
const char kUnknownError[] = "unknow error";
}

void ErrorTextTable::InitErrorTexts()
{
    for(const ServerErrorEntry* entry = ServerErrorTable; entry->code != 0 || entry->text[0] != '\0';
        ++entry) {
        m_texts[entry->code] = wxString::FromUTF8(entry->text);
    }
}

void ErrorTextTable::SetConfiguredText(int code, const wxString& text)
{
    m_texts[code] = text;
    m_configuredCodes.insert(code);
}

bool ErrorTextTable::HasErrorText(int code) const
{
    return m_configuredCodes.count(code) != 0;
}

wxString ErrorTextTable::GetErrorText(int code) const
{
    const auto found = m_texts.find(code);
    return found != m_texts.end() ? found->second : wxString(kUnknownError);
}

wxString GetErrorText(int code)
{
    return g_errorTable ? g_errorTable->GetErrorText(code) : wxString(kUnknownError);
}
