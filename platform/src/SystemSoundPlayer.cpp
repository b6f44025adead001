#include "platform/SystemSoundPlayer.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sound.h>

SystemSoundPlayer::SystemSoundPlayer(const wxString& binFolder) : m_binFolder(binFolder) {}

SystemSoundPlayer::~SystemSoundPlayer()
{
    if(m_looping) {
        StopAll();
    }
}

bool SystemSoundPlayer::Play(const wxString& file)
{
    return Start(file, wxSOUND_ASYNC);
}

bool SystemSoundPlayer::PlayLoop(const wxString& file)
{
    const bool playing = Start(file, wxSOUND_ASYNC | wxSOUND_LOOP);
    m_looping = m_looping || playing;
    return playing;
}

void SystemSoundPlayer::StopAll()
{
    wxSound::Stop();
    m_looping = false;
}

wxString SystemSoundPlayer::Locate(const wxString& file) const
{
    if(file.empty()) {
        return wxString();
    }
    wxFileName candidate(file);
    if(candidate.FileExists()) {
        return candidate.GetFullPath();
    }
    if(!candidate.IsAbsolute() && !m_binFolder.empty()) {
        candidate.MakeAbsolute(m_binFolder);
        if(candidate.FileExists()) {
            return candidate.GetFullPath();
        }
    }
    return wxString();
}

bool SystemSoundPlayer::Start(const wxString& file, unsigned flags)
{
    wxSound* sound = Load(file);
    if(!sound) {
        return false;
    }
    if(sound->Play(flags)) {
        return true;
    }
    if(!m_deviceFailureLogged) {
        m_deviceFailureLogged = true;
        wxLogWarning("Sounds cannot be played on this machine (no sound device?): \"%s\" stays silent.",
                     file);
    }
    return false;
}

wxSound* SystemSoundPlayer::Load(const wxString& file)
{
    const auto found = m_sounds.find(file);
    if(found != m_sounds.end()) {
        return found->second.get();
    }
    std::unique_ptr<wxSound> sound;
    const wxString path = Locate(file);
    if(path.empty()) {
        wxLogWarning("Sound file \"%s\" not found: it stays silent.", file);
    } else {
        auto loaded = std::make_unique<wxSound>();
        bool ok = false;
        {
            wxLogNull quiet; // our own line below says it once
            ok = loaded->Create(path);
        }
        if(ok && loaded->IsOk()) {
            sound = std::move(loaded);
        } else {
            wxLogWarning("Sound file \"%s\" is not a playable WAV file: it stays silent.", path);
        }
    }
    wxSound* result = sound.get();
    m_sounds.emplace(file, std::move(sound));
    return result;
}
