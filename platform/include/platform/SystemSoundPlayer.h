#pragma once

#include "platform/SoundPlayer.h"

#include <map>
#include <memory>

class wxSound;

// Sounds through wxSound. A file name is looked up as given (relative to the
// working folder), then below the bin folder, so "rc//Alarm.wav" finds the
// program's own <bin>/rc/Alarm.wav. Each file is loaded once; a missing
// file, and a machine without a sound device, are logged once.
class SystemSoundPlayer : public SoundPlayer
{
public:
    explicit SystemSoundPlayer(const wxString& binFolder);
    // Stops a loop this player started.
    ~SystemSoundPlayer() override;
    SystemSoundPlayer(const SystemSoundPlayer&) = delete;
    SystemSoundPlayer& operator=(const SystemSoundPlayer&) = delete;

    bool Play(const wxString& file) override;
    bool PlayLoop(const wxString& file) override;
    void StopAll() override;

    // The path the file name resolves to, empty when there is none.
    wxString Locate(const wxString& file) const;

private:
    bool Start(const wxString& file, unsigned flags);
    wxSound* Load(const wxString& file);

    wxString m_binFolder;
    std::map<wxString, std::unique_ptr<wxSound>> m_sounds; // null: not playable
    bool m_deviceFailureLogged = false;
    bool m_looping = false;
};
