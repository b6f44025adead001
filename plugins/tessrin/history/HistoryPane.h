#pragma once

#include <wx/panel.h>

class HostManager;
class Notebook;
class RecordStore;

// The "History " pane of the output notebook: a notebook of the history
// pages of the trading accounts, and the binary-option order history once a
// binary-option market exists.
class HistoryPane : public wxPanel
{
public:
    HistoryPane(RecordStore* db, HostManager* mgr, wxWindow* parent);
    ~HistoryPane() override;

    // Adds the "Binary Op History" page the first time; later calls do nothing.
    void AddBinaryOptionPage();
    // The login has ended: every page empty until asked for the next user.
    void ForgetLogin();

    Notebook* GetNotebook() const { return m_notebook; }

private:
    void CreateControls();
    void OnColoursChanged(wxCommandEvent& event);

    Notebook* m_notebook = nullptr; // a child window of the pane
    RecordStore* m_db;
    HostManager* m_mgr;
    bool m_binaryPageAdded = false;
};
