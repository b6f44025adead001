#include "risk/AlarmSound.h"

#include "platform/SoundPlayer.h"

namespace {

std::unique_ptr<AlarmSound>& Instance()
{
    static std::unique_ptr<AlarmSound> instance;
    return instance;
}

} // namespace

AlarmSound::AlarmSound(std::unique_ptr<SoundPlayer> player) : m_player(std::move(player)) {}

AlarmSound::~AlarmSound() = default;

void AlarmSound::Create(std::unique_ptr<SoundPlayer> player)
{
    if(!Instance()) {
        Replace(std::move(player));
    }
}

void AlarmSound::Replace(std::unique_ptr<SoundPlayer> player)
{
    Release();
    Instance() = std::make_unique<AlarmSound>(std::move(player));
}

void AlarmSound::Release()
{
    if(Instance()) {
        Instance()->Stop();
        Instance().reset();
    }
}

AlarmSound* AlarmSound::Get()
{
    return Instance().get();
}

void AlarmSound::Play()
{
    if(m_player) {
        m_player->Play(kFile);
    }
}

void AlarmSound::Stop()
{
    if(m_player) {
        m_player->StopAll();
    }
}
