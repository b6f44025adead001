#pragma once

#include "connection/CallbackCode.h"

#include <memory>
#include <utility>
#include <wx/debug.h>
#include <wx/event.h>

// Helpers of the callback objects: copy what the library lends for the
// duration of a call and queue it. Library thread only.
namespace callbackcopy {

// A copy of the structure; a zeroed one when the library passed none.
template <class T> T Copy(const T* source)
{
    T copy{};
    if(source != nullptr) {
        copy = *source;
    }
    return copy;
}

// Builds the event and hands it to the owner's queue; the owner frees it.
template <class Event, class... Args> void Post(wxEvtHandler* owner, CallbackCode code, Args&&... args)
{
    if(owner == nullptr) {
        wxFAIL_MSG("need an object to queue event for");
        return;
    }
    wxQueueEvent(owner, new Event(code, std::forward<Args>(args)...));
}

} // namespace callbackcopy
