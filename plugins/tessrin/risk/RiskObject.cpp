#include "risk/RiskObject.h"

#include "db/NumberFormat.h"

#include <cmath>
#include <pelmora/Archive.h>
#include <wx/intl.h>

namespace {

struct CodeText
{
    char code;
    const char* key;
};

const CodeText kTypes[] = {
    {'A', wxTRANSLATE("mdWarning")},
    {'B', wxTRANSLATE("riskWarning")},
    {'C', wxTRANSLATE("cashDepositWarning")},
    {'D', wxTRANSLATE("floatProfitWarning")},
};
const CodeText kConditions[] = {
    {'E', wxTRANSLATE("buyRiskCondition")},
    {'F', wxTRANSLATE("sellRiskCondition")},
};

template <size_t N> wxString TextOf(const CodeText (&table)[N], char code)
{
    for(const CodeText& row : table) {
        if(row.code == code) {
            return wxGetTranslation(row.key);
        }
    }
    return wxString();
}

template <size_t N> char CodeOf(const CodeText (&table)[N], const wxString& text, char otherwise)
{
    for(const CodeText& row : table) {
        if(text.IsSameAs(wxGetTranslation(row.key), false) || text.IsSameAs(row.key, false)) {
            return row.code;
        }
    }
    return otherwise;
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
    arch.Write("m_riskType", RiskTypeToStr(m_riskType));
    arch.Write("m_riskItem", m_riskItem);
    arch.Write("m_riskMaxVal", FormatPrice(m_riskMaxVal, 2, false));
    arch.Write("m_riskCondition", RiskConditionToStr(m_riskCondition));
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
    double threshold = 0.0;
    return !stored.hasNamedObject("m_riskMaxVal") ||
           (stored.namedObject("m_riskMaxVal").toString().ToCDouble(&threshold) && std::isfinite(threshold));
}
