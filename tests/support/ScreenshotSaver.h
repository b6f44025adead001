#pragma once

// Saves what a top-level window shows on the (Xvfb) screen as a PNG. Test
// programs run in build/tests/, so a relative name lands there and a failed
// run leaves a picture to look at.
//
//     EXPECT_TRUE(SaveWindowScreenshot(frame, "lock_screen.png"));
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/toplevel.h>

inline bool SaveWindowScreenshot(wxTopLevelWindow* window, const wxString& fileName)
{
    if(!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) {
        wxImage::AddHandler(new wxPNGHandler);
    }
    window->Raise();
    window->Update();
    const wxRect rect = window->GetScreenRect();
    if(rect.IsEmpty()) {
        return false;
    }
    wxBitmap bitmap(rect.GetSize());
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    return bitmap.SaveFile(fileName, wxBITMAP_TYPE_PNG);
}
