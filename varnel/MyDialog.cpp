#include "MyDialog.h"

#include "EndProgram.h"
#include "SignPageResources.h"
#include "platform/SignControlHost.h"
#include "platform/WebPage.h"

#include <wx/base64.h>
#include <wx/sizer.h>
#include <wx/webview.h>

namespace {
enum { kTimerScript = 1, kTimerHeartbeat = 2 };
// A page that has not loaded this many heartbeats after the script was due
// never will: end without printing, rather than print "" as if declined.
const int kPageTicksLimit = 15;
// The page's questions show inside the view: big enough to read and answer.
const wxSize kPageSize(640, 420);
} // namespace

MyDialog::MyDialog()
    : wxDialog(nullptr, wxID_ANY, "Varnel", wxDefaultPosition, kPageSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_timer1(this, kTimerScript), m_timer2(this, kTimerHeartbeat)
{
    Bind(wxEVT_INIT_DIALOG, &MyDialog::OnInitDialog, this);
}

MyDialog::~MyDialog()
{
    // The watchdog reads the heartbeat: it must be gone before we are.
    m_watchDog.reset();
}

wxString MyDialog::LoadSignPage()
{
    wxString encoded;
    for(const int id : kSignPagePieces) {
        const char* piece = LoadResourceString(id);
        if(!piece) {
            return wxString();
        }
        encoded += piece;
    }
    const wxMemoryBuffer bytes = wxBase64Decode(encoded);
    return wxString::FromUTF8(static_cast<const char*>(bytes.GetData()), bytes.GetDataLen());
}

void MyDialog::OnInitDialog(wxInitDialogEvent& WXUNUSED(event))
{
    CentreOnScreen(wxBOTH);
    m_page = WebPage::Create(this);
    if(!m_page) {
        EndProgram(); // no web engine: nothing can be signed
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_page->GetView(), 1, wxEXPAND);
    SetSizer(sizer);
    Layout();
    SignControlHost::Attach(*m_page->GetView());
    m_page->SetPage(LoadSignPage(), "about:blank");
    // Called for the signing page itself, not the view's first about:blank.
    m_page->WhenLoaded([this] {
        m_pageReady = true;
        SignWhenReady();
    });

    m_timer1.StartOnce(500);
    m_timer2.Start(1000);
    m_watchDog = std::make_unique<WatchDog>(WatchDog::Clock(), [] { EndProgram("deadlock"); });
    m_watchDog->Start();
}

void MyDialog::OnTimer(wxTimerEvent& event)
{
    if(event.GetId() == kTimerScript) {
        m_timerDue = true;
        SignWhenReady();
    } else if(event.GetId() == kTimerHeartbeat) {
        // While the script runs the timers still fire inside the wait for its
        // result; a question nobody answers must not keep the tool alive.
        if(m_watchDog && !m_scriptRunning) {
            m_watchDog->Beat();
        }
        if(m_timerDue && !m_pageReady && ++m_ticksWithoutPage > kPageTicksLimit) {
            EndProgram();
        }
    }
}

void MyDialog::SignWhenReady()
{
    if(!m_timerDue || !m_pageReady || m_signed) {
        return;
    }
    m_signed = true;
    m_timer1.Stop();
    // The watchdog's time starts with the script: an answer must come in it.
    m_watchDog->Beat();
    m_scriptRunning = true;
    RunScriptGuarded(m_script);
    m_scriptRunning = false;
    // Title changes reach the view later than the page: ask the page.
    wxString title;
    if(!m_page->Evaluate("document.title", &title)) {
        title = m_page->GetView()->GetCurrentTitle();
    }
    PrintToStdout(title);
    m_watchDog->Stop();
    m_timer2.Stop();
    Destroy();
}

// No window thunk exists here, so no fault filter is installed around the
// script: it runs plainly, and a failing script leaves the title as it was.
bool MyDialog::RunScriptGuarded(const wxString& script)
{
    return m_page->Evaluate(script);
}

// clang-format off
wxBEGIN_EVENT_TABLE(MyDialog, wxDialog)
    EVT_TIMER(wxID_ANY, MyDialog::OnTimer)
wxEND_EVENT_TABLE()
