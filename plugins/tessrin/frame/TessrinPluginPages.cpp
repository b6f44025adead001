// Bank pages of money movements, and what the plug-in opens browsers and
// plays sounds with.
#include "common/SettingsAccessors.h"
#include "common/TessrinConfig.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "funds/InOutPageTarget.h"
#include "funds/OpenInOutPageExternal.h"
#include "funds/PayPortRegistPanel.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmStandardPaths.h>
#include <platform/SystemSoundPlayer.h>
#include <wx/intl.h>

SoundPlayer& TessrinPlugin::GetSoundPlayer()
{
    if(!m_soundPlayer) {
        m_soundPlayer = std::make_unique<SystemSoundPlayer>(pmStandardPaths::Get().GetBinFolder());
    }
    return *m_soundPlayer;
}

void TessrinPlugin::SetSoundPlayer(std::unique_ptr<SoundPlayer> player)
{
    m_soundPlayer = std::move(player);
}

void TessrinPlugin::ShowInOutPage(const am_AmountInOut& row)
{
    RecordStore* db = m_db.get();
    const bool keyShowInBrowser = TessrinConfig(m_config.get()).IsShowInoutInBrower();
    switch(ChooseInOutPageTarget(db, row, keyShowInBrowser, keyShowInBrowser || IsShowInOutUrlInBrower())) {
    case InOutPageTarget::eNone:
        return;
    case InOutPageTarget::eBrowser:
        OpenInOutPageExternal(db, row, GetBrowserLauncher());
        return;
    case InOutPageTarget::eCentrePage:
        break;
    }
    Notebook* book = m_mgr ? m_mgr->GetCentreBook() : nullptr;
    if(!book) {
        return;
    }
    // A new page on every call; an earlier "InOut" page is left as it is.
    auto* panel = new PayPortRegistPanel(book, PayPortBankAddress(db, row));
    panel->LoadUrl(row.bankUrl);
    book->AddPage(panel, _("InOut"), true, wxNullBitmap);
}
