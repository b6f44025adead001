#include "risk/RiskObject.h"

#include "db/NumberFormat.h"

#include <cmath>
#include <pelmora/Archive.h>
#include <wx/intl.h>

namespace {

// A code, its catalogue key and the text that builds before this one stored
// in the key's place (its English translation): a file keeps its meaning
// whatever catalogue wrote or reads it.
struct CodeText
{
    char code;
    const char* key;
    const char* earlierText;
};

const CodeText kTypes[] = {
    {'A', wxTRANSLATE("mdWarning"), "Price Alert"},
    {'B', wxTRANSLATE("riskWarning"), "Risk Rate Alert"},
    {'C', wxTRANSLATE("cashDepositWarning"), "Margin Alert"},
    {'D', wxTRANSLATE("floatProfitWarning"), "Floating Profit Alert"},
};
const CodeText kConditions[] = {
    {'E', wxTRANSLATE("buyRiskCondition"), "Buy Side"},
    {'F', wxTRANSLATE("sellRiskCondition"), "Sell Side"},
};

template <size_t N> const CodeText* RowOf(const CodeText (&table)[N], char code)
{
    for(const CodeText& row : table) {
        if(row.code == code) {
            return &row;
        }
    }
    return nullptr;
}

template <size_t N> wxString TextOf(const CodeText (&table)[N], char code)
{
    const CodeText* row = RowOf(table, code);
    return row ? wxGetTranslation(row->key) : wxString();
}

template <size_t N> wxString KeyOf(const CodeText (&table)[N], char code)
{
    const CodeText* row = RowOf(table, code);
    return row ? wxString(row->key) : wxString();
}

// Case-insensitive against the translated text, the key and the earlier text.
template <size_t N> const CodeText* Match(const CodeText (&table)[N], const wxString& text)
{
    for(const CodeText& row : table) {
        if(text.IsSameAs(wxGetTranslation(row.key), false) || text.IsSameAs(row.key, false) ||
           text.IsSameAs(row.earlierText, false)) {
            return &row;
        }
    }
    return nullptr;
}

template <size_t N> char CodeOf(const CodeText (&table)[N], const wxString& text, char otherwise)
{
    const CodeText* row = Match(table, text);
    return row ? row->code : otherwise;
}

} // namespace

wxString RiskTypeToStr(char type)
{
    return TextOf(kTypes, type);
}

wxString RiskConditionToStr(char condition)
{
    return TextOf(kConditions, condition);
}

char StrToRiskType(const wxString& text)
{
    return CodeOf(kTypes, text, 'A');
}

char StrToRiskCondition(const wxString& text)
{
    return CodeOf(kConditions, text, 'G');
}

RiskObject::RiskObject() : m_riskFlag(_("NoRisk")) {}

bool RiskObject::IsInAlarm() const
{
    return m_riskFlag == _("YesRisk");
}

void RiskObject::Serialize(Archive& arch)
{
    // Keys, not translations: the display text depends on the catalogue.
    arch.Write("m_riskType", KeyOf(kTypes, m_riskType));
    arch.Write("m_riskItem", m_riskItem);
    arch.Write("m_riskMaxVal", FormatPrice(m_riskMaxVal, 2, false));
    arch.Write("m_riskCondition", KeyOf(kConditions, m_riskCondition));
    arch.Write("m_bSound", m_bSound);
    arch.Write("m_bWindow", m_bWindow);
}

void RiskObject::DeSerialize(Archive& arch)
{
    wxString text;
    if(arch.Read("m_riskType", text)) {
        m_riskType = StrToRiskType(text);
    }
    arch.Read("m_riskItem", m_riskItem);
    text.clear();
    double value = 0.0;
    if(arch.Read("m_riskMaxVal", text) && text.ToCDouble(&value)) {
        m_riskMaxVal = value;
    }
    text.clear();
    arch.Read("m_riskCondition", text);
    m_riskCondition = StrToRiskCondition(text);
    arch.Read("m_bSound", m_bSound);
    arch.Read("m_bWindow", m_bWindow);
}

bool RiskObject::IsReadable(const Archive& arch)
{
    const JSONElement& stored = arch.GetElement();
    if(!stored.isObject() || !stored.hasNamedObject("m_riskType")) {
        return false;
    }
    for(const char* key : {"m_riskType", "m_riskItem", "m_riskMaxVal", "m_riskCondition"}) {
        if(stored.hasNamedObject(key) && !stored.namedObject(key).isString()) {
            return false;
        }
    }
    for(const char* key : {"m_bSound", "m_bWindow"}) {
        if(stored.hasNamedObject(key) && !stored.namedObject(key).isBool()) {
            return false;
        }
    }
    // A type or condition no build wrote would read as a price rule or none.
    if(!Match(kTypes, stored.namedObject("m_riskType").toString()) ||
       (stored.hasNamedObject("m_riskCondition") &&
        !stored.namedObject("m_riskCondition").toString().empty() &&
        !Match(kConditions, stored.namedObject("m_riskCondition").toString()))) {
        return false;
    }
    double threshold = 0.0;
    return !stored.hasNamedObject("m_riskMaxVal") ||
           (stored.namedObject("m_riskMaxVal").toString().ToCDouble(&threshold) && std::isfinite(threshold));
}
