#pragma once

#include <optional>
#include <vector>
#include <wx/string.h>

// The per-user registry of signing controls that web pages may create by
// class id. One entry per ProgID names the class id and the control's file
// (a script) copied into the registry folder. Nothing here needs elevation.
class SignControlRegistry
{
public:
    // One registered control with its script.
    struct Control
    {
        wxString progId;
        wxString classId; // upper-case, without braces
        wxString source;  // the control's script
    };

    // PELMORA_SIGN_CONTROLS when set, else $XDG_DATA_HOME/pelmora/sign-controls
    // ($XDG_DATA_HOME defaulting to ~/.local/share).
    static wxString DefaultFolder();

    explicit SignControlRegistry(wxString folder = DefaultFolder());

    const wxString& GetFolder() const { return m_folder; }

    // The entry exists and its control file can be read.
    bool CanCreate(const wxString& progId) const;

    // Copies the control file in, then writes the entry, each under a
    // temporary name renamed into place. False, with the reason logged, when
    // the ProgID or class id is malformed or a step fails; a failed copy
    // leaves any earlier registration as it was.
    bool Register(const wxString& progId, const wxString& classId, const wxString& sourcePath);

    // The registered control of one ProgID, if it can be read.
    std::optional<Control> Load(const wxString& progId) const;

    // Every readable registered control, by ProgID.
    std::vector<Control> LoadAll() const;

    // "NetSign.InfoSecNetSign": letters, digits, '.', '_' and '-', not
    // starting with '.'; it names files in the folder.
    static bool IsValidProgId(const wxString& progId);
    // Canonical form of a class id (8-4-4-4-12 hex digits, braces allowed),
    // or empty when malformed.
    static wxString NormaliseClassId(const wxString& classId);

private:
    wxString EntryPath(const wxString& progId) const;

    wxString m_folder;
};
