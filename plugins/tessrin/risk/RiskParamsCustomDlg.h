#pragma once

#include "layouts/RiskParamsCustomBase.h"
#include "risk/RiskObject.h"

class RecordStore;

// The modal dialog that makes a new risk rule or edits the threshold and the
// alarm means of an existing one. The opener makes it on the stack, gives an
// existing rule with SetRiskObject, shows it modally and asks GetRiskObject.
class RiskParamsCustomDlg : public RiskParamsCustomBase
{
public:
    // Thresholds above this are refused, as the field's validator would.
    static constexpr double kMaxValue = 10000000.0;

    RiskParamsCustomDlg(wxWindow* pane, RecordStore* db, const wxString& title);
    ~RiskParamsCustomDlg() override;

    void SetRiskObject(RiskObjectPtr rule) { m_riskObject = std::move(rule); }
    // The edited rule, the new rule after "ok", or empty.
    const RiskObjectPtr& GetRiskObject() const { return m_riskObject; }
    // Whether "ok" wrote the rule.
    bool IsSaved() const { return m_saved; }

    // The symbol names of the item box: the symbols in the table's order, or,
    // with the quote board's own order of codes, sorted by it (codes it lacks
    // first).
    static wxArrayString SymbolNames(RecordStore* db, const wxArrayString& customSymbols);
    // The threshold of the text; false for text that is no number, 0,
    // negative, above kMaxValue or not finite.
    static bool ParseMaxValue(const wxString& text, double& value);

protected:
    void OnInit(wxInitDialogEvent& event) override;
    void OnRiskTypeChanged(wxCommandEvent& event) override;
    void OnOK(wxCommandEvent& event) override;

private:
    void SetValueValidator();
    // The item and condition boxes follow the type: enabled with their first
    // entries for "mdWarning", cleared, disabled and hidden otherwise.
    void ApplyRiskType(char type);
    // Shows or hides the item and condition rows; the dialog fits again.
    void ShowItemRows(bool show);

    wxWindow* m_pane; // the pane that opened it
    RecordStore* m_db;
    RiskObjectPtr m_riskObject;
    bool m_saved = false;
};
