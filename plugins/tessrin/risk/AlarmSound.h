#pragma once

#include <memory>
#include <wx/string.h>

class SoundPlayer;

// The alarm of the custom risk rules: "rc//Alarm.wav" through a sound player,
// without waiting. A missing file or sound device plays nothing.
//
// One per process (Create at the plug-in's start-up; Get is null before);
// objects of their own serve tests.
class AlarmSound
{
public:
    static constexpr const char* kFile = "rc//Alarm.wav";

    explicit AlarmSound(std::unique_ptr<SoundPlayer> player);
    ~AlarmSound();
    AlarmSound(const AlarmSound&) = delete;
    AlarmSound& operator=(const AlarmSound&) = delete;

    // Makes the process's alarm over the player unless there is one already.
    static void Create(std::unique_ptr<SoundPlayer> player);
    // Replaces the process's alarm (tests put a fake player in).
    static void Replace(std::unique_ptr<SoundPlayer> player);
    // Stops and drops it; Get is null afterwards.
    static void Release();
    static AlarmSound* Get();

    void Play();
    // Stops every sound that is playing, this one included.
    void Stop();

private:
    std::unique_ptr<SoundPlayer> m_player;
};
