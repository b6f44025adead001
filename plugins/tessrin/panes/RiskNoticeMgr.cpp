#include "panes/RiskNoticeMgr.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"

#include <wx/debug.h>
#include <wx/intl.h>

RiskNoticeMgr::RiskNoticeMgr(RecordStore* db, Output output, Alert alert)
    : m_pDb(db), m_output(std::move(output)), m_alert(std::move(alert))
{
    wxASSERT_MSG_AT(m_pDb != nullptr, "", __FILE__, __LINE__, "RiskNoticeMgr::RiskNoticeMgr");
    if(m_pDb) {
        m_pDb->m_risk_notice_table->AddActionTrigger(this);
    }
}

RiskNoticeMgr::~RiskNoticeMgr()
{
    if(m_pDb) {
        m_pDb->m_risk_notice_table->RemoveActionTrigger(this);
    }
}

void RiskNoticeMgr::afterAdd(const risk_notice& stored, CTransaction*, void*)
{
    ShowRiskNotice(stored);
}

void RiskNoticeMgr::afterUpdate(const risk_notice& stored, CTransaction*, void*)
{
    ShowRiskNotice(stored);
}

void RiskNoticeMgr::ShowRiskNotice(const risk_notice& notice)
{
    wxString title;
    wxString text;
    if(!FormatNotice(m_pDb, notice, title, text)) {
        return;
    }
    if(m_output) {
        m_output(title, text);
    }
    if(m_alert) {
        m_alert(notice.accountKey, title, text);
    }
}

bool RiskNoticeMgr::FormatNotice(RecordStore* db, const risk_notice& notice, wxString& title, wxString& text)
{
    const wxString risk = wxString::Format("%s (%s)", RiskRateText(notice.riskKind, notice.riskRate),
                                           AccountKindText(notice.riskKind));
    const auto& accounts = db->m_user_Account_table->GetIndexByPrimary();
    const auto account = accounts.find(notice.accountKey);
    if(account == accounts.end() || !account->GetLoginInfo(db)) {
        return false;
    }
    if(!notice.isNew) {
        return false;
    }
    const wxString market = wxString::Format("[%s]", account->marketName);
    switch(notice.noticeKind) {
    case '2':
        title = _("notice of append deposit:") + market;
        text = wxString::Format(_("honorable client:your account risk-level is %s,please add deposit or "
                                  "reduce some orders,in order "
                                  "to make up usable cash. System will force to transfer the possession of "
                                  "your owned orders if your "
                                  "account's risk-level keep increasing.please draw your attention to it!"),
                                risk);
        return true;
    case '3':
        title = _("notice of force transfe:") + market;
        text =
            wxString::Format(_("honorable client:your account %s at %s risk-level run up to %s so system has "
                               "already forced transfering your owned orders.please be aware of it!"),
                             account->cachedLoginInfo->loginAccount, FormatDateTime(notice.noticeTime), risk);
        return true;
    default:
        return false;
    }
}
