#include "frame/PluginMenus.h"

#include <pelmora/BitmapLoader.h>
#include <vector>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

PluginMenus::PluginMenus() = default;
PluginMenus::~PluginMenus() = default;

wxMenu* PluginMenus::FindHostMenu(wxMenuBar* menuBar, const char* title)
{
    if(!menuBar) {
        return nullptr;
    }
    const int index = menuBar->FindMenu(wxGetTranslation(title));
    return index == wxNOT_FOUND ? nullptr : menuBar->GetMenu(index);
}

void PluginMenus::Build(wxMenuBar* menuBar, BitmapLoader* images)
{
    if(wxMenu* system = FindHostMenu(menuBar, wxTRANSLATE("System"))) {
        auto* modifyPassword = new wxMenuItem(system, XRCID("modify_password"), _("Modify Password"),
                                              wxEmptyString, wxITEM_NORMAL);
        if(images) {
            modifyPassword->SetBitmap(images->LoadBitmap("toolbars/16/tessrin/in_money"));
        }
        std::vector<wxMenuItem*> oldItems;
        while(system->GetMenuItemCount() > 0) {
            oldItems.push_back(system->Remove(system->FindItemByPosition(0)));
        }
        system->Append(modifyPassword);
        system->AppendSeparator();
        for(wxMenuItem* item : oldItems) {
            system->Append(item);
        }
    }

    m_transferAcc.reset();
    m_changeMainAcc.reset();
    m_setsuretyMoney.reset();
    wxMenu* money = FindHostMenu(menuBar, wxTRANSLATE("MoneyMgr"));
    if(!money) {
        return;
    }
    const int transferId = XRCID("transfer_Acc");
    const int mainAccId = XRCID("change_MainAcc");
    const int suretyId = XRCID("setsurety_Money");
    // Copy first: removing changes the menu's own list.
    std::vector<wxMenuItem*> items;
    for(wxMenuItem* item : money->GetMenuItems()) {
        items.push_back(item);
    }
    for(wxMenuItem* item : items) {
        const int id = item->GetId();
        if(id == transferId) {
            m_transferAcc.reset(money->Remove(item));
        } else if(id == mainAccId) {
            m_changeMainAcc.reset(money->Remove(item));
        } else if(id == suretyId) {
            m_setsuretyMoney.reset(money->Remove(item));
        }
    }
}

void PluginMenus::AppendAccountItems(wxMenuBar* menuBar)
{
    AppendHeld(menuBar, m_transferAcc);
    AppendHeld(menuBar, m_changeMainAcc);
}

void PluginMenus::AppendSuretyItem(wxMenuBar* menuBar)
{
    AppendHeld(menuBar, m_setsuretyMoney);
}

void PluginMenus::AppendHeld(wxMenuBar* menuBar, std::unique_ptr<wxMenuItem>& item)
{
    if(!item) {
        return;
    }
    if(wxMenu* money = FindHostMenu(menuBar, wxTRANSLATE("MoneyMgr"))) {
        money->Append(item.release());
    }
}
