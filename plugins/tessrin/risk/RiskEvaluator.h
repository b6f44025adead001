#pragma once

#include "risk/RiskObject.h"

#include <functional>
#include <vector>

class AlarmSound;
struct user_Account;

// Evaluates a rule list against quotes and account figures, window-free.
// A rule whose flag changes is reported by its row; a rule entering alarm
// with window on writes one output line (title: its type text, text: its
// item), and may write again once it has left the alarm. The alarm tick plays
// the sound once for every rule in alarm with sound on.
class RiskEvaluator
{
public:
    using OutputLog = std::function<void(const wxString& title, const wxString& text)>;
    using RowChanged = std::function<void(size_t row)>;

    RiskEvaluator(OutputLog output, RowChanged rowChanged);

    // A price of the symbol of that name: its "mdWarning" rules are in alarm
    // at or above their threshold.
    void OnPrice(const RiskObjectVec& rules, const wxString& symbolName, double price) const;
    // A change of any account: each account rule is in alarm while any of the
    // accounts meets it; none leaves them all at "NoRisk".
    void OnAccounts(const RiskObjectVec& rules, const std::vector<const user_Account*>& accounts) const;
    void OnAlarmTick(const RiskObjectVec& rules, AlarmSound* sound) const;

    // Whether one account meets an account rule ('B' to 'D'; false for others).
    static bool MeetsAccountRule(const RiskObject& rule, const user_Account& account);

private:
    void SetAlarm(RiskObject& rule, size_t row, bool alarm) const;

    OutputLog m_output;
    RowChanged m_rowChanged;
    // The flag texts, translated once.
    wxString m_yesRisk;
    wxString m_noRisk;
};
