#pragma once
// The plug-in object as the connection layer sees it, recording what it is told.
#include "connection/IConnectionHost.h"

#include <map>
#include <set>
#include <vector>

class FakeConnectionHost : public IConnectionHost
{
public:
    FakeConnectionHost()
    {
        trade.Add("127.0.0.1:1");
        trade.Add("127.0.0.1:2");
        md.Add("127.0.0.1:3");
    }

    void SetStatusField(int field, const wxString& text) override { fields[field] = text; }
    void SetStatusFieldColour(int field, StatusColour colour) override { colours[field] = colour; }
    int GetBlinkPhase() const override { return blinkPhase; }
    void OutputLog(const wxString& title, const wxString& text) override
    {
        outputs.push_back(title + "|" + text);
    }
    void ShowMessageBox(const wxString& message, const wxString& caption) override
    {
        messageBoxes.push_back(caption + "|" + message);
    }
    void ShowLoggedOut() override {}
    bool IsShowNotify(int kind) const override { return hiddenNotices.count(kind) == 0; }
    const wxArrayInt& GetMarketIds() const override { return markets; }
    void OnLoginAccepted(const wxString& password) override { acceptedPasswords.push_back(password); }
    bool ReadConfigBool(const wxString& key, bool defaultValue) const override
    {
        const auto it = config.find(key);
        return it == config.end() ? defaultValue : it->second;
    }
    wxString GetServerText() const override { return serverText; }
    const wxArrayString& GetTradeAddresses() const override { return trade; }
    const wxArrayString& GetMdAddresses() const override { return md; }

    std::map<int, wxString> fields;
    std::map<int, StatusColour> colours;
    int blinkPhase = 1;
    std::vector<wxString> outputs;
    std::vector<wxString> messageBoxes;
    std::vector<wxString> acceptedPasswords;
    std::set<int> hiddenNotices;
    wxArrayInt markets;
    std::map<wxString, bool> config;
    wxString serverText = "Demo Market";
    wxArrayString trade;
    wxArrayString md;
};
