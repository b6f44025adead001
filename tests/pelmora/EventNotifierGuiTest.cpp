#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <vector>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/timer.h>

namespace {
const std::vector<int> kBusIds = {10000, 10001, 10002, 10003, 10004, 10005,
                                  10006, 10100, 11111, 11112, 11113, 778877};

// Handles queued events for a while (bounded).
void Pump(std::chrono::milliseconds duration = std::chrono::milliseconds(50))
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while(std::chrono::steady_clock::now() < end) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// Marks the events this test puts on the bus, so that wx's own events of the
// same numbers (a window's timer or idle events) are not taken for them.
int s_marker = 0;

// Counts the test's bus events that reach the handler.
class Counter
{
public:
    void Attach(wxEvtHandler* handler)
    {
        for(int type : kBusIds) {
            handler->Bind(wxEventTypeTag<wxEvent>(type), &Counter::OnEvent, this);
        }
    }
    void Detach(wxEvtHandler* handler)
    {
        for(int type : kBusIds) {
            handler->Unbind(wxEventTypeTag<wxEvent>(type), &Counter::OnEvent, this);
        }
    }
    void OnEvent(wxEvent& event)
    {
        auto* command = dynamic_cast<wxCommandEvent*>(&event);
        if(command && command->GetClientData() == &s_marker) {
            seen.push_back(event.GetEventType());
        }
        event.Skip();
    }
    std::vector<int> seen;
};
} // namespace

TEST(EventNotifier, IsOneObjectAndNotAWindow)
{
    EventNotifier* bus = EventNotifier::Get();
    EXPECT_EQ(bus, EventNotifier::Get());
    EXPECT_EQ(dynamic_cast<wxWindow*>(static_cast<wxEvtHandler*>(bus)), nullptr);
}

TEST(EventNotifier, SendCommandEventIsSynchronousAndCarriesTheClientData)
{
    wxArrayString names;
    bool called = false;
    auto handler = [&](wxCommandEvent& e) {
        called = true;
        static_cast<wxArrayString*>(e.GetClientData())->Add("Server A");
    };
    EventNotifier::Get()->Bind(wxEVT_CMD_QUERY_SERVER_NAMES, handler);
    EXPECT_TRUE(EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_QUERY_SERVER_NAMES, &names));
    EventNotifier::Get()->Unbind(wxEVT_CMD_QUERY_SERVER_NAMES, handler);
    EXPECT_TRUE(called);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "Server A");
    // Nobody listening any more: not processed.
    EXPECT_FALSE(EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_QUERY_SERVER_NAMES, &names));
}

TEST(EventNotifier, ConnectByPlainIntegerTypeReceivesQueuedEventsFromAnyThread)
{
    int received = 0;
    auto handler = [&](wxCommandEvent&) { ++received; };
    EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(10006), handler);
    std::thread worker([] { EventNotifier::Get()->AddPendingEvent(wxCommandEvent(wxEVT_CMD_USER_KICKED)); });
    worker.join();
    EXPECT_EQ(received, 0); // queued, not sent
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while(received == 0 && std::chrono::steady_clock::now() < end) {
        Pump(std::chrono::milliseconds(10));
    }
    EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(10006), handler);
    EXPECT_EQ(received, 1);
}

TEST(EventNotifier, NoBusEventReachesAWindowOrTheApplication)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "bus test");
    wxPanel* panel = new wxPanel(frame);
    frame->Show();
    Counter onFrame, onPanel, onApp;
    onFrame.Attach(frame);
    onPanel.Attach(panel);
    onApp.Attach(wxTheApp);

    Counter onBus;
    onBus.Attach(EventNotifier::Get());
    for(int type : kBusIds) {
        EventNotifier::Get()->SendCommandEvent(type, &s_marker);
        wxCommandEvent queued(type);
        queued.SetClientData(&s_marker);
        EventNotifier::Get()->AddPendingEvent(queued);
    }
    Pump(std::chrono::milliseconds(150));
    onBus.Detach(EventNotifier::Get());

    EXPECT_EQ(onBus.seen.size(), 2 * kBusIds.size()); // each one sent and queued once

    EXPECT_TRUE(onFrame.seen.empty());
    EXPECT_TRUE(onPanel.seen.empty());
    EXPECT_TRUE(onApp.seen.empty()) << "first: " << onApp.seen.front();
    onFrame.Detach(frame);
    onPanel.Detach(panel);
    onApp.Detach(wxTheApp);
    frame->Destroy();
    Pump();
}

TEST(EventNotifier, WxIdleAndTimerEventsNeverReachTheBus)
{
    // Here every event of a bus type counts, marked or not.
    std::vector<int> seen;
    auto any = [&seen](wxEvent& e) {
        seen.push_back(e.GetEventType());
        e.Skip();
    };
    for(int type : kBusIds) {
        EventNotifier::Get()->Bind(wxEventTypeTag<wxEvent>(type), any);
    }
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "idle test");
    frame->Show();
    wxTimer timer(frame);
    int ticks = 0;
    frame->Bind(wxEVT_TIMER, [&ticks](wxTimerEvent&) { ++ticks; });
    timer.Start(10);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while(ticks < 3 && std::chrono::steady_clock::now() < end) {
        wxTheApp->ProcessIdle();
        Pump(std::chrono::milliseconds(10));
    }
    timer.Stop();
    for(int type : kBusIds) {
        EventNotifier::Get()->Unbind(wxEventTypeTag<wxEvent>(type), any);
    }
    EXPECT_GE(ticks, 3); // idle and timer events did flow meanwhile
    EXPECT_TRUE(seen.empty());
    frame->Destroy();
    Pump();
}
