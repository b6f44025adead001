#pragma once

#include <memory>

class BitmapLoader;
class wxMenu;
class wxMenuBar;
class wxMenuItem;

// What the plug-in changes in the host's menus: "Modify Password" at the top
// of the "System" menu, and three money items ("transfer_Acc",
// "change_MainAcc", "setsurety_Money") held back from the "MoneyMgr" menu
// until the accounts show they apply. Held items are owned here until put
// back. GUI thread only.
class PluginMenus
{
public:
    PluginMenus();
    ~PluginMenus();
    PluginMenus(const PluginMenus&) = delete;
    PluginMenus& operator=(const PluginMenus&) = delete;

    // Menus that are missing are left alone. `images` may be null.
    void Build(wxMenuBar* menuBar, BitmapLoader* images);
    // Puts back "transfer_Acc" then "change_MainAcc" (more than one account).
    void AppendAccountItems(wxMenuBar* menuBar);
    // Puts back "setsurety_Money" (an account of kind '3').
    void AppendSuretyItem(wxMenuBar* menuBar);

    bool HoldsTransferItem() const { return m_transferAcc != nullptr; }
    bool HoldsMainAccountItem() const { return m_changeMainAcc != nullptr; }
    bool HoldsSuretyItem() const { return m_setsuretyMoney != nullptr; }

    // The host menu with this (untranslated) title, or null.
    static wxMenu* FindHostMenu(wxMenuBar* menuBar, const char* title);

private:
    static void AppendHeld(wxMenuBar* menuBar, std::unique_ptr<wxMenuItem>& item);

    std::unique_ptr<wxMenuItem> m_transferAcc;
    std::unique_ptr<wxMenuItem> m_changeMainAcc;
    std::unique_ptr<wxMenuItem> m_setsuretyMoney;
};
