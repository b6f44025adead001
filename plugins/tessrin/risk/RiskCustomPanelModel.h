#pragma once

#include "risk/RiskObject.h"

#include <wx/dataview.h>

class RecordStore;

// The rows of the risk pane: row n is the n-th rule of the list. It observes
// no table: the pane changes the list and reports each change.
class RiskCustomPanelModel : public wxDataViewVirtualListModel
{
public:
    enum Column {
        eColRowNumber = 0, // row + 1
        eColType,          // RiskTypeToStr
        eColItem,          // m_riskItem
        eColMaxValue,      // the threshold with two decimals
        eColCondition,     // RiskConditionToStr
        eColMeans,         // "warningBySound" and "warningByWindow", joined
        eColFlag,          // m_riskFlag
        eColCount
    };

    explicit RiskCustomPanelModel(RecordStore* db);

    RiskObjectVec& GetRiskObjVec() { return m_rules; }
    const RiskObjectVec& GetRiskObjVec() const { return m_rules; }
    // Replaces the list; the rows follow.
    void SetRiskObjVec(RiskObjectVec rules);
    // Appends the rule as the last row.
    void AddRiskObject(RiskObjectPtr rule);
    // Removes the rule of that row; false for a row past the list.
    bool RemoveRow(unsigned int row);
    // The row of the rule object; -1 when the list does not hold it.
    int FindRow(const RiskObject* rule) const;

    unsigned int GetColumnCount() const override { return eColCount; }
    wxString GetColumnType(unsigned int column) const override;
    // Every column is text; a row past the list is empty.
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override;
    // Rules in alarm: red italic.
    bool GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override;
    bool SetValueByRow(const wxVariant& value, unsigned int row, unsigned int column) override;

    // The text of one cell.
    wxString GetText(unsigned int row, unsigned int column) const;

private:
    RecordStore* m_db;
    RiskObjectVec m_rules;
};
