#pragma once

#include "../frame/FakeHost.h"

#include <pelmora/Notebook.h>
#include <wx/frame.h>
#include <wx/sizer.h>

// A host whose frame holds a workspace and an output notebook.
class NotebookHost : public FakeHost
{
public:
    NotebookHost() : FakeHost("{}")
    {
        wxFrame* frame = GetMainFrame();
        frame->SetSize(wxRect(0, 0, 1000, 600));
        m_workspace = new Notebook(frame);
        m_output = new Notebook(frame);
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        sizer->Add(m_workspace, 1, wxEXPAND);
        sizer->Add(m_output, 3, wxEXPAND);
        frame->SetSizer(sizer);
        frame->Show();
    }
    Notebook* GetWorkspaceBook() override { return m_workspace; }
    Notebook* GetOutputBook() override { return m_output; }

private:
    Notebook* m_workspace; // owned by the frame
    Notebook* m_output;
};
