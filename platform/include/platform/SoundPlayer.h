#pragma once

#include <wx/string.h>

// Plays WAV files without waiting. A file that is missing or cannot be
// played plays nothing; the callers never need to check.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    // Plays the file once; false when nothing plays.
    virtual bool Play(const wxString& file) = 0;
    // Plays the file again and again until StopAll.
    virtual bool PlayLoop(const wxString& file) = 0;
    // Stops every sound that is playing.
    virtual void StopAll() = 0;
};
