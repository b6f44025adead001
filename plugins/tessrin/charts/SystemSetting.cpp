#include "charts/SystemSetting.h"

#include "common/IClientPlugin.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <wx/intl.h>
#include <wx/propgrid/advprops.h>

namespace {
void SetChoices(wxPGProperty* property, const wxString& first, const wxString& second)
{
    wxPGChoices choices;
    choices.Add(first, 0);
    choices.Add(second, 1);
    property->SetChoices(choices);
}

int ChoiceOf(const wxPGProperty* property)
{
    return property->GetChoiceSelection() == 1 ? 1 : 0;
}

void SetChoice(wxPGProperty* property, int choice)
{
    property->SetChoiceSelection(choice);
}
} // namespace

SystemSetting::SystemSetting(wxWindow* parent, RecordStore* db)
    : SystemSettingBase(parent), m_db(db ? db : (g_plugin ? g_plugin->GetDatabase() : nullptr))
{
    SetChoices(m_pgPropHoldDetailClose, _("NewO"), _("CloseO"));
    for(wxPGProperty* property :
        {m_pgPropShowMultiOrderDialog, m_pgPropNoticeStartShow, m_pgPropShowQuickOrder,
         m_pgPropOrderPreConfirm, m_pgPropInOutUrlInBrowser, m_pgPropNotifyMarketOrder,
         m_pgPropNotifyLimitOrder, m_pgPropNotifyCloseOrder, m_pgPropNotifyInOutMoney,
         m_pgPropNotifyMinOrderTrade}) {
        SetChoices(property, _("False"), _("True"));
    }
    // The seconds of the lock time must fit 32 bits; a negative time would
    // lock after every idle minute.
    m_pgPropLockScreenInterval->SetAttribute(wxPG_ATTR_MIN, 0L);
    m_pgPropLockScreenInterval->SetAttribute(wxPG_ATTR_MAX, SystemSettingValues::kMaxLockMinutes);
}

SystemSetting::~SystemSetting() = default;

wxPGProperty* SystemSetting::NotifyProperty(int type) const
{
    switch(type) {
    case 0:
        return m_pgPropNotifyMarketOrder;
    case 1:
        return m_pgPropNotifyLimitOrder;
    case 2:
        return m_pgPropNotifyCloseOrder;
    case 3:
        return m_pgPropNotifyInOutMoney;
    default:
        return m_pgPropNotifyMinOrderTrade;
    }
}

void SystemSetting::OnInitDialog(wxInitDialogEvent& event)
{
    m_values = SystemSettingValues::Load();
    m_pgPropLockScreenInterval->SetValue(static_cast<long>(m_values.lockMinutes));
    SetChoice(m_pgPropOrderPreConfirm, m_values.orderPreConfirm);
    SetChoice(m_pgPropShowQuickOrder, m_values.showQuickOrder);
    SetChoice(m_pgPropNoticeStartShow, m_values.noticeStartShow);
    SetChoice(m_pgPropShowMultiOrderDialog, m_values.showMultiOrderDialog);
    SetChoice(m_pgPropInOutUrlInBrowser, m_values.inOutUrlInBrowser);
    SetChoice(m_pgPropHoldDetailClose, m_values.holdDetailClose);
    for(int type = 0; type < static_cast<int>(m_values.notify.size()); ++type) {
        SetChoice(NotifyProperty(type), m_values.notify[type]);
    }

    const ChartViewPanelGlobalConfig& chart = m_values.chart;
    m_pickerBackground->SetColour(chart.GetBackgroundColour());
    m_pickerForeground->SetColour(chart.GetForegroundColour());
    m_pickerBarUp->SetColour(chart.GetBarUpColour());
    m_pickerBarDown->SetColour(chart.GetBarDownColour());
    m_pickerBullCandle->SetColour(chart.GetCandUpColour());
    m_pickerBearCandle->SetColour(chart.GetCandDownColour());
    m_checkBoxBullSolid->SetValue(m_values.bullSolid);
    m_checkBoxBearSolid->SetValue(m_values.bearSolid);
    DrawPreview();

    m_pgPropNotifyMinOrderTrade->Hide(!HasBinaryOptionSymbol());
    event.Skip();
}

bool SystemSetting::HasBinaryOptionSymbol() const
{
    if(!m_db || !m_db->m_symbol_Info_table) {
        return false;
    }
    for(const symbol_Info& symbol : m_db->m_symbol_Info_table->GetIndexByPrimary()) {
        if(symbol.marketType == '4') {
            return true;
        }
    }
    return false;
}

SystemSettingValues SystemSetting::GetValues() const
{
    SystemSettingValues values = m_values;
    values.lockMinutes = m_pgPropLockScreenInterval->GetValue().GetLong();
    values.orderPreConfirm = ChoiceOf(m_pgPropOrderPreConfirm);
    values.showQuickOrder = ChoiceOf(m_pgPropShowQuickOrder);
    values.noticeStartShow = ChoiceOf(m_pgPropNoticeStartShow);
    values.showMultiOrderDialog = ChoiceOf(m_pgPropShowMultiOrderDialog);
    values.inOutUrlInBrowser = ChoiceOf(m_pgPropInOutUrlInBrowser);
    values.holdDetailClose = ChoiceOf(m_pgPropHoldDetailClose);
    for(int type = 0; type < static_cast<int>(values.notify.size()); ++type) {
        values.notify[type] = ChoiceOf(NotifyProperty(type));
    }
    return values;
}

void SystemSetting::DrawPreview()
{
    // Before the first layout the viewer may have no size yet.
    const wxSize size = m_chartViewer->GetSize();
    const int width = std::max(size.x, SettingsPreview::kLeftMargin + SettingsPreview::kRightMargin + 1);
    const int height = std::max(size.y, SettingsPreview::kTopMargin + SettingsPreview::kBottomMargin + 1);
    std::unique_ptr<FinanceChart> chart =
        m_preview.Build(m_values.chart, m_values.bullSolid, m_values.bearSolid, width, height);
    // The viewer never holds a freed chart, even for a moment.
    chartlib::BaseChart* previous = m_chartViewer->getChart();
    m_chartViewer->setChart(chart.release());
    m_chartViewer->setImageMap(std::string());
    delete previous;
    ++m_previewCount;
}

void SystemSetting::OnBackgroundColour(wxColourPickerEvent& event)
{
    m_values.chart.SetBackgroundColour(event.GetColour());
    DrawPreview();
}

void SystemSetting::OnForegroundColour(wxColourPickerEvent& event)
{
    m_values.chart.SetForegroundColour(event.GetColour());
    DrawPreview();
}

void SystemSetting::OnBarUpColour(wxColourPickerEvent& event)
{
    m_values.chart.SetBarUpColour(event.GetColour());
    DrawPreview();
}

void SystemSetting::OnBarDownColour(wxColourPickerEvent& event)
{
    m_values.chart.SetBarDownColour(event.GetColour());
    DrawPreview();
}

void SystemSetting::OnBullCandleColour(wxColourPickerEvent& event)
{
    m_values.chart.SetCandUpColour(event.GetColour());
    DrawPreview();
}

void SystemSetting::OnBearCandleColour(wxColourPickerEvent& event)
{
    m_values.chart.SetCandDownColour(event.GetColour());
    DrawPreview();
}

void SystemSetting::OnBullSolid(wxCommandEvent& event)
{
    m_values.bullSolid = event.IsChecked();
    DrawPreview();
}

void SystemSetting::OnBearSolid(wxCommandEvent& event)
{
    m_values.bearSolid = event.IsChecked();
    DrawPreview();
}

void SystemSetting::OnOK(wxCommandEvent& event)
{
    wxUnusedVar(event);
    GetValues().Store();
    Finish(wxID_OK);
}

void SystemSetting::OnCancel(wxCommandEvent& event)
{
    wxUnusedVar(event);
    Finish(wxID_CANCEL);
}

void SystemSetting::Finish(int result)
{
    if(IsModal()) {
        EndModal(result);
    } else {
        SetReturnCode(result);
        Hide();
    }
}
