#pragma once

#include "platform/SoundPlayer.h"

#include <set>
#include <vector>

// Records what was played and stopped; plays nothing.
class FakeSoundPlayer : public SoundPlayer
{
public:
    std::vector<wxString> played; // Play, in order
    std::vector<wxString> loops;  // PlayLoop, in order
    std::set<wxString> looping;   // loops since the last StopAll
    int stops = 0;
    bool result = true;

    bool Play(const wxString& file) override
    {
        played.push_back(file);
        return result;
    }
    bool PlayLoop(const wxString& file) override
    {
        loops.push_back(file);
        if(result) {
            looping.insert(file);
        }
        return result;
    }
    void StopAll() override
    {
        ++stops;
        looping.clear();
    }
};
