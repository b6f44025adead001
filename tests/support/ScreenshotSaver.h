#pragma once

// Saves what a top-level window shows on the (Xvfb) screen as a PNG. A
// relative name lands beside the test program in build/tests/ (see
// TestOutputPath), so a failed run leaves a picture to look at there.
//
//     EXPECT_TRUE(SaveWindowScreenshot(frame, "lock_screen.png"));
#include "TestOutputPath.h"

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
    return bitmap.SaveFile(wxString::FromUTF8(TestOutputPath(fileName.utf8_string())), wxBITMAP_TYPE_PNG);
}
