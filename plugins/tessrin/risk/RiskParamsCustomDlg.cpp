#include "risk/RiskParamsCustomDlg.h"

#include "common/ModalMessageBox.h"
#include "common/pmSymbolPaneConfig.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "risk/AlarmSound.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <pelmora/EditorConfig.h>
#include <vector>
#include <wx/intl.h>
#include <wx/valnum.h>

RiskParamsCustomDlg::RiskParamsCustomDlg(wxWindow* pane, RecordStore* db, const wxString& title)
    : RiskParamsCustomBase(nullptr, wxID_ANY, title), m_pane(pane), m_db(db)
{}

RiskParamsCustomDlg::~RiskParamsCustomDlg() = default;

wxArrayString RiskParamsCustomDlg::SymbolNames(RecordStore* db, const wxArrayString& customSymbols)
{
    std::vector<const symbol_Property*> symbols;
    if(db && db->m_symbol_Property_table) {
        for(const symbol_Property& symbol : db->m_symbol_Property_table->GetIndex<BySequence>()) {
            symbols.push_back(&symbol);
        }
    }
    if(!customSymbols.empty()) {
        std::map<wxString, int> place;
        for(size_t i = 0; i < customSymbols.size(); ++i) {
            place.emplace(customSymbols[i], static_cast<int>(i));
        }
        auto placeOf = [&place](const symbol_Property* symbol) {
            const auto found = place.find(symbol->symbolCode);
            return found == place.end() ? -1 : found->second;
        };
        std::stable_sort(
            symbols.begin(), symbols.end(),
            [&](const symbol_Property* a, const symbol_Property* b) { return placeOf(a) < placeOf(b); });
    }
    wxArrayString names;
    for(const symbol_Property* symbol : symbols) {
        names.Add(symbol->symbolName);
    }
    return names;
}

bool RiskParamsCustomDlg::ParseMaxValue(const wxString& text, double& value)
{
    double parsed = 0.0;
    if(!text.Strip(wxString::both).ToCDouble(&parsed) || !std::isfinite(parsed) || parsed <= 0.0 ||
       parsed > kMaxValue) {
        return false;
    }
    value = parsed;
    return true;
}

void RiskParamsCustomDlg::SetValueValidator()
{
    wxFloatingPointValidator<double> validator(2, nullptr, wxNUM_VAL_DEFAULT);
    validator.SetRange(0.0, kMaxValue);
    m_textCtrlMaxValue->SetValidator(validator);
}

void RiskParamsCustomDlg::OnInit(wxInitDialogEvent& event)
{
    event.Skip();
    SetValueValidator();
    m_comboBoxRiskType->Clear();
    m_comboBoxRiskItem->Clear();
    m_comboBoxRiskCondition->Clear();
    if(!m_riskObject) {
        for(char type : {'A', 'B', 'C', 'D'}) {
            m_comboBoxRiskType->Append(RiskTypeToStr(type));
        }
        m_comboBoxRiskType->SetSelection(0);
        wxASSERT_MSG(m_db != nullptr, "RiskParamsCustomDlg::OnInit: m_pDb != 0");
        pmSymbolPaneConfig boardConfig;
        EditorConfigST::Get()->LoadObject("SymbolPaneCfg", &boardConfig);
        const wxArrayString names = SymbolNames(m_db, boardConfig.m_customSymbols);
        if(!names.empty()) {
            m_comboBoxRiskItem->Append(names);
            m_comboBoxRiskItem->SetSelection(0);
        }
        m_comboBoxRiskCondition->Append(RiskConditionToStr('E'));
        m_comboBoxRiskCondition->Append(RiskConditionToStr('F'));
        m_comboBoxRiskCondition->SetSelection(0);
        return;
    }
    // An existing rule: only its threshold and alarm means change.
    m_comboBoxRiskType->Append(RiskTypeToStr(m_riskObject->m_riskType));
    m_comboBoxRiskType->SetSelection(0);
    m_comboBoxRiskItem->Append(m_riskObject->m_riskItem);
    m_comboBoxRiskItem->SetSelection(0);
    m_comboBoxRiskCondition->Append(RiskConditionToStr(m_riskObject->m_riskCondition));
    m_comboBoxRiskCondition->SetSelection(0);
    m_textCtrlMaxValue->ChangeValue(FormatPrice(m_riskObject->m_riskMaxVal, 2, false));
    m_checkBoxSound->SetValue(m_riskObject->m_bSound);
    m_checkBoxWindow->SetValue(m_riskObject->m_bWindow);
    m_comboBoxRiskType->Disable();
    m_comboBoxRiskItem->Disable();
    m_comboBoxRiskCondition->Disable();
    ShowItemRows(m_riskObject->m_riskType == 'A');
}

void RiskParamsCustomDlg::ApplyRiskType(char type)
{
    if(type == 'A') {
        for(wxComboBox* box : {m_comboBoxRiskCondition, m_comboBoxRiskItem}) {
            if(box->GetCount() > 0) {
                box->SetSelection(0);
            }
            box->Enable();
        }
    } else if(type >= 'B' && type <= 'D') {
        for(wxComboBox* box : {m_comboBoxRiskCondition, m_comboBoxRiskItem}) {
            box->SetSelection(wxNOT_FOUND);
            box->Disable();
        }
    }
    ShowItemRows(type == 'A');
}

void RiskParamsCustomDlg::ShowItemRows(bool show)
{
    // An account rule has no symbol and no condition: no rows that look as if
    // they did and could not be changed.
    for(wxWindow* window : std::initializer_list<wxWindow*>{
            m_staticTextRiskItem, m_comboBoxRiskItem, m_staticTextRiskCondition, m_comboBoxRiskCondition}) {
        window->Show(show);
    }
    Layout();
    GetSizer()->SetSizeHints(this);
}

void RiskParamsCustomDlg::OnRiskTypeChanged(wxCommandEvent& event)
{
    event.Skip();
    ApplyRiskType(StrToRiskType(m_comboBoxRiskType->GetValue()));
}

void RiskParamsCustomDlg::OnOK(wxCommandEvent& event)
{
    event.Skip();
    const char type = StrToRiskType(m_comboBoxRiskType->GetValue());
    wxString item = m_comboBoxRiskItem->GetValue();
    char condition = StrToRiskCondition(m_comboBoxRiskCondition->GetValue());
    double value = 0.0;
    if(!ParseMaxValue(m_textCtrlMaxValue->GetValue(), value)) {
        ModalMessageBox::Show(_("Please input param value!"), _("NOTICE"), wxOK | wxCENTRE, nullptr);
        return;
    }
    if(type != 'A') {
        condition = 'G';
        item.clear();
    }
    if(!m_riskObject) {
        m_riskObject = std::make_shared<RiskObject>();
    }
    // An existing rule changes in the pane's list; its alarm state stays.
    RiskObject& rule = *m_riskObject;
    rule.m_riskType = type;
    rule.m_riskMaxVal = value;
    rule.m_bSound = m_checkBoxSound->GetValue();
    rule.m_bWindow = m_checkBoxWindow->GetValue();
    rule.m_riskItem = item;
    rule.m_riskCondition = condition;
    m_saved = true;
    if(!rule.m_bSound) {
        if(AlarmSound* sound = AlarmSound::Get()) {
            sound->Stop();
        }
    }
    if(IsModal()) {
        EndModal(wxID_OK);
    } else {
        SetReturnCode(wxID_OK);
        Hide();
    }
}
