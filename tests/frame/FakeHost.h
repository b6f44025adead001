#pragma once

// A host for plug-in tests: a frame with the host's output window and bitmap
// loader, scratch data and user folders, and nothing else.
#include <cstdlib>
#include <memory>
#include <pelmora/BitmapLoader.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/HostManager.h>
#include <pelmora/OutputWindow.h>
#include <vector>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/frame.h>

class FakeHost : public HostManager
{
public:
    // `tessrinCon`: the text of config/Tessrin.con; null writes no file.
    explicit FakeHost(const char* tessrinCon)
    {
        m_folder = wxFileName::CreateTempFileName("tessrin-host");
        wxRemoveFile(m_folder);
        wxFileName::Mkdir(m_folder + "/data/config", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        wxFileName::Mkdir(m_folder + "/user", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        if(tessrinCon) {
            wxFFile file(m_folder + "/data/config/Tessrin.con", "w");
            file.Write(wxString::FromUTF8(tessrinCon), wxConvUTF8);
        }
        setenv("PELMORA_DATA_DIR", (m_folder + "/data").utf8_str(), 1);
        setenv("PELMORA_USER_DATA_DIR", (m_folder + "/user").utf8_str(), 1);
        EditorConfigST::Free();
        m_frame = new wxFrame(nullptr, wxID_ANY, "host");
        m_output = new OutputWindow(m_frame);
        m_output->SetAppendObserver([this](const OutputWindow::Entry& entry) { appended.push_back(entry); });
        m_images = std::make_unique<BitmapLoader>(m_folder + "/images");
    }
    ~FakeHost() override
    {
        m_frame->Destroy();
        EditorConfigST::Free();
        wxFileName::Rmdir(m_folder, wxPATH_RMDIR_RECURSIVE);
    }

    wxString GetBaseDirectory() const override { return m_folder; }
    BitmapLoader* GetImageLoader() override { return m_images.get(); }
    bool ToolBarsEnabled() const override { return false; }
    Notebook* GetWorkspaceBook() override { return nullptr; }
    Notebook* GetOutputBook() override { return nullptr; }
    Notebook* GetCentreBook() override { return nullptr; }
    pmStatusBar* GetHostStatusBar() override { return nullptr; }
    wxFrame* GetMainFrame() override { return m_frame; }
    wxMenuBar* GetMainMenuBar() override { return nullptr; }
    OutputWindow* GetOutputWindow() override { return withOutput ? m_output : nullptr; }
    void ShowPane(const wxString&, bool) override {}
    wxAuiManager* GetAuiManager() override { return nullptr; }

    std::vector<OutputWindow::Entry> appended;
    bool withOutput = true;

private:
    wxString m_folder;
    wxFrame* m_frame;       // destroyed by Destroy
    OutputWindow* m_output; // owned by the frame
    std::unique_ptr<BitmapLoader> m_images;
};
