#include "risk/RiskEvaluator.h"

#include "db/user_Account.h"
#include "risk/AlarmSound.h"

#include <wx/intl.h>

RiskEvaluator::RiskEvaluator(OutputLog output, RowChanged rowChanged)
    : m_output(std::move(output)), m_rowChanged(std::move(rowChanged)), m_yesRisk(_("YesRisk")),
      m_noRisk(_("NoRisk"))
{}

void RiskEvaluator::OnPrice(const RiskObjectVec& rules, const wxString& symbolName, double price) const
{
    for(size_t row = 0; row < rules.size(); ++row) {
        RiskObject& rule = *rules[row];
        if(rule.m_riskType == 'A' && rule.m_riskItem == symbolName) {
            SetAlarm(rule, row, price >= rule.m_riskMaxVal);
        }
    }
}

void RiskEvaluator::OnAccounts(const RiskObjectVec& rules,
                               const std::vector<const user_Account*>& accounts) const
{
    for(size_t row = 0; row < rules.size(); ++row) {
        RiskObject& rule = *rules[row];
        if(rule.m_riskType < 'B' || rule.m_riskType > 'D') {
            continue;
        }
        bool alarm = false;
        for(const user_Account* account : accounts) {
            if(account && MeetsAccountRule(rule, *account)) {
                alarm = true;
                break;
            }
        }
        SetAlarm(rule, row, alarm);
    }
}

void RiskEvaluator::OnAlarmTick(const RiskObjectVec& rules, AlarmSound* sound) const
{
    if(!sound) {
        return;
    }
    for(const RiskObjectPtr& rule : rules) {
        if(rule->m_bSound && rule->m_riskFlag == m_yesRisk) {
            sound->Play();
        }
    }
}

bool RiskEvaluator::MeetsAccountRule(const RiskObject& rule, const user_Account& account)
{
    switch(rule.m_riskType) {
    case 'B':
        // Kind '1' rates grow with the risk, the others shrink.
        return account.riskKind == '1' ? account.riskRate >= rule.m_riskMaxVal
                                       : rule.m_riskMaxVal >= account.riskRate;
    case 'C':
        return account.marginUsed >= rule.m_riskMaxVal;
    case 'D':
        return account.profitDyn >= rule.m_riskMaxVal;
    default:
        return false;
    }
}

void RiskEvaluator::SetAlarm(RiskObject& rule, size_t row, bool alarm) const
{
    const wxString& flag = alarm ? m_yesRisk : m_noRisk;
    if(rule.m_riskFlag != flag) {
        rule.m_riskFlag = flag;
        if(!alarm) {
            rule.m_bWindowShown = false; // the next entry into alarm writes again
        }
        if(m_rowChanged) {
            m_rowChanged(row);
        }
    }
    if(alarm && rule.m_bWindow && !rule.m_bWindowShown) {
        rule.m_bWindowShown = true;
        if(m_output) {
            m_output(RiskTypeToStr(rule.m_riskType), rule.m_riskItem);
        }
    }
}
