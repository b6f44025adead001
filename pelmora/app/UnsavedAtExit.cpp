#include "UnsavedAtExit.h"

#include <functional>
#include <string>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>

UnsavedAtExit::UnsavedAtExit(const wxString& userDataDir) : m_userDataDir(userDataDir) {}

wxArrayString UnsavedAtExit::Places() const
{
    wxArrayString places;
    places.Add(wxFileName(m_userDataDir, "unsaved-at-exit.txt").GetFullPath());
    const size_t key = std::hash<std::string>()(m_userDataDir.utf8_string());
    places.Add(
        wxFileName(wxFileName::GetTempDir(), wxString::Format("pelmora-unsaved-%zx.txt", key)).GetFullPath());
    return places;
}

bool UnsavedAtExit::Keep(const wxArrayString& texts) const
{
    wxString contents;
    for(wxString text : texts) {
        text.Replace("\n", " ");
        contents << text << "\n";
    }
    for(const wxString& place : Places()) {
        // Not through the settings files' layer: its failures are what this keeps.
        wxFFile file;
        if(file.Open(place, "w") && file.Write(contents, wxConvUTF8) && file.Close()) {
            return true;
        }
        file.Close();
        wxRemoveFile(place);
    }
    return false;
}

wxArrayString UnsavedAtExit::Take() const
{
    wxArrayString texts;
    for(const wxString& place : Places()) {
        wxString contents;
        wxFFile file;
        if(!wxFileName::FileExists(place) || !file.Open(place, "r") || !file.ReadAll(&contents, wxConvUTF8)) {
            continue;
        }
        file.Close();
        wxRemoveFile(place);
        for(const wxString& text : wxSplit(contents, '\n', '\0')) {
            if(!text.empty() && texts.Index(text) == wxNOT_FOUND) {
                texts.Add(text);
            }
        }
    }
    return texts;
}
