// Bank pages of money movements and pay ports, opened by the money windows
// part, and what the plug-in plays sounds with.
#include "frame/TessrinPlugin.h"

#include <pelmora/pmStandardPaths.h>
#include <platform/SystemSoundPlayer.h>

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

void TessrinPlugin::ShowPayPortPage(const user_AttPay& row)
{
    m_parts.funds->ShowPayPortPage(row);
}

void TessrinPlugin::ShowInOutPage(const am_AmountInOut& row)
{
    m_parts.funds->ShowInOutPage(row);
}
