#ifndef PELMORA_BITMAPLOADER_H
#define PELMORA_BITMAPLOADER_H

#include <map>
#include <wx/bitmap.h>
#include <wx/string.h>

// Host images by logical name ("common/16/unlogin" is the PNG
// <folder>/common/16/unlogin.png). A name without a readable file gets a
// drawn placeholder of the size its name says ("/16/" or "/24/", else 16),
// coloured after the name, so a missing image is seen but never invalid.
class BitmapLoader
{
public:
    explicit BitmapLoader(const wxString& imagesFolder);

    wxBitmap LoadBitmap(const wxString& name);
    const wxString& GetFolder() const { return m_folder; }

    static int SizeFromName(const wxString& name);
    static wxBitmap MakePlaceholder(const wxString& name);

private:
    wxString m_folder;
    std::map<wxString, wxBitmap> m_cache;
};

#endif // PELMORA_BITMAPLOADER_H
