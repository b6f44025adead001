#include "pelmora/BitmapLoader.h"

#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>

namespace {
wxUint32 NameHash(const wxString& name)
{
    const wxScopedCharBuffer utf8 = name.utf8_str();
    wxUint32 hash = 0x811C9DC5u;
    for(size_t i = 0; i < utf8.length(); ++i) {
        hash ^= static_cast<unsigned char>(utf8.data()[i]);
        hash *= 16777619u;
    }
    return hash;
}

void EnsurePngHandler()
{
    if(!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) {
        wxImage::AddHandler(new wxPNGHandler);
    }
}
} // namespace

BitmapLoader::BitmapLoader(const wxString& imagesFolder) : m_folder(imagesFolder) {}

wxBitmap BitmapLoader::LoadBitmap(const wxString& name)
{
    const auto cached = m_cache.find(name);
    if(cached != m_cache.end()) {
        return cached->second;
    }
    wxBitmap bitmap;
    const wxString path = m_folder + wxFILE_SEP_PATH + name + ".png";
    // A name reaching out of the folder is not an image of ours.
    if(!name.Contains("..") && wxFileName::FileExists(path)) {
        EnsurePngHandler();
        wxLogNull quiet; // a broken file gets the placeholder, not a message box
        wxImage image;
        if(image.LoadFile(path, wxBITMAP_TYPE_PNG)) {
            bitmap = wxBitmap(image);
        }
    }
    if(!bitmap.IsOk()) {
        bitmap = MakePlaceholder(name);
    }
    m_cache.emplace(name, bitmap);
    return bitmap;
}

int BitmapLoader::SizeFromName(const wxString& name)
{
    if(name.Contains("/24/")) {
        return 24;
    }
    return 16;
}

wxBitmap BitmapLoader::MakePlaceholder(const wxString& name)
{
    const int size = SizeFromName(name);
    const wxUint32 hash = NameHash(name);
    // Bright, saturated colours picked by the name, so two missing images
    // next to each other look different.
    const wxColour fill(64 + (hash & 0x7F), 64 + ((hash >> 8) & 0x7F), 64 + ((hash >> 16) & 0x7F));
    wxBitmap bitmap(size, size, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(fill));
    dc.Clear();
    dc.SetPen(wxPen(wxColour(0, 0, 0)));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, size, size);
    // A mark whose position also follows the name.
    const int mark = size / 4;
    const int cell = static_cast<int>((hash >> 24) % 4);
    dc.SetBrush(wxBrush(wxColour(255, 255, 255)));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(2 + (cell % 2) * (size / 2), 2 + (cell / 2) * (size / 2), mark, mark);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}
