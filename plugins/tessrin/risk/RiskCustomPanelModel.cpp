#include "risk/RiskCustomPanelModel.h"

#include "common/Colours.h"
#include "db/NumberFormat.h"

#include <wx/intl.h>

RiskCustomPanelModel::RiskCustomPanelModel(RecordStore* db) : wxDataViewVirtualListModel(0), m_db(db) {}

void RiskCustomPanelModel::SetRiskObjVec(RiskObjectVec rules)
{
    m_rules = std::move(rules);
    Reset(static_cast<unsigned int>(m_rules.size()));
}

void RiskCustomPanelModel::AddRiskObject(RiskObjectPtr rule)
{
    if(!rule) {
        return;
    }
    m_rules.push_back(std::move(rule));
    RowAppended();
}

bool RiskCustomPanelModel::RemoveRow(unsigned int row)
{
    if(row >= m_rules.size()) {
        return false;
    }
    m_rules.erase(m_rules.begin() + row);
    RowDeleted(row);
    return true;
}

int RiskCustomPanelModel::FindRow(const RiskObject* rule) const
{
    for(size_t row = 0; row < m_rules.size(); ++row) {
        if(m_rules[row].get() == rule) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

wxString RiskCustomPanelModel::GetColumnType(unsigned int column) const
{
    wxUnusedVar(column);
    return "string";
}

wxString RiskCustomPanelModel::GetText(unsigned int row, unsigned int column) const
{
    if(row >= m_rules.size()) {
        return wxString();
    }
    const RiskObject& rule = *m_rules[row];
    switch(column) {
    case eColRowNumber:
        return wxString::Format("%u", row + 1);
    case eColType:
        return RiskTypeToStr(rule.m_riskType);
    case eColItem:
        return rule.m_riskItem;
    case eColMaxValue:
        return FormatPrice(rule.m_riskMaxVal, 2, false);
    case eColCondition:
        return RiskConditionToStr(rule.m_riskCondition);
    case eColMeans: {
        wxString means;
        if(rule.m_bSound) {
            means += _("warningBySound");
        }
        if(rule.m_bWindow) {
            means += _("warningByWindow");
        }
        return means;
    }
    case eColFlag:
        return rule.m_riskFlag;
    default:
        return wxString();
    }
}

void RiskCustomPanelModel::GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const
{
    value = GetText(row, column);
}

bool RiskCustomPanelModel::GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const
{
    wxUnusedVar(column);
    if(row >= m_rules.size() || !m_rules[row]->m_riskFlag.IsSameAs(_("YesRisk"), false)) {
        return false;
    }
    attr.SetColour(Colours::kAlertText);
    attr.SetItalic(true);
    return true;
}

bool RiskCustomPanelModel::SetValueByRow(const wxVariant& value, unsigned int row, unsigned int column)
{
    wxUnusedVar(value);
    wxUnusedVar(row);
    wxUnusedVar(column);
    return false; // the dialog edits the rules
}
