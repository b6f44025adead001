// Sends on the bus from inside a bus handler while other handlers come and go.
// wx 3.2 leaves an unbound handler as an empty slot and tidies the slots at
// the end of a dispatch nobody took; done by the inner send, that tidying
// shifts the list under the outer send, which then calls a handler twice or
// reads past the end. The test main turns every wx assertion into a failure.
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace {
// A bus handler that counts its calls, runs an optional action, and either
// lets the event go on to the next handler or takes it.
class Listener
{
public:
    enum class Then { PassOn, Take };

    explicit Listener(wxEventType type, std::function<void()> action = {}, Then then = Then::PassOn)
        : m_type(type), m_action(std::move(action)), m_then(then)
    {}

    void Attach() { EventNotifier::Get()->Bind(Tag(), &Listener::OnEvent, this); }
    bool Detach() { return EventNotifier::Get()->Unbind(Tag(), &Listener::OnEvent, this); }
    int Calls() const { return m_calls; }

private:
    wxEventTypeTag<wxCommandEvent> Tag() const { return wxEventTypeTag<wxCommandEvent>(m_type); }

    void OnEvent(wxCommandEvent& event)
    {
        ++m_calls;
        event.Skip(m_then == Then::PassOn);
        if(m_action) {
            m_action();
        }
    }

    wxEventType m_type;
    std::function<void()> m_action;
    Then m_then;
    int m_calls = 0;
};

bool Send(wxEventType type)
{
    return EventNotifier::Get()->SendCommandEvent(type, nullptr);
}

// Every test starts and ends with a bus of its own.
class EventNotifierNestedSend : public ::testing::Test
{
protected:
    void SetUp() override { EventNotifier::Release(); }
    void TearDown() override { EventNotifier::Release(); }
};
} // namespace

TEST_F(EventNotifierNestedSend, SendFromLoginHandlerAfterEarlierUnbindsCallsEveryHandlerOnce)
{
    Listener oldViewA(wxEVT_CMD_REFRESH_VIEWS);
    Listener oldViewB(wxEVT_CMD_REFRESH_VIEWS);
    Listener hostLogin(wxEVT_CMD_LOGIN_REQUEST);
    Listener clientCreated(wxEVT_CMD_CLIENT_CREATED);
    bool innerTaken = true;
    Listener pluginLogin(wxEVT_CMD_LOGIN_REQUEST, [&] { innerTaken = Send(wxEVT_CMD_CLIENT_CREATED); });
    oldViewA.Attach();
    oldViewB.Attach();
    hostLogin.Attach();
    clientCreated.Attach();
    pluginLogin.Attach();
    ASSERT_TRUE(oldViewA.Detach());
    ASSERT_TRUE(oldViewB.Detach());

    EXPECT_FALSE(Send(wxEVT_CMD_LOGIN_REQUEST)); // every handler passes it on

    EXPECT_EQ(pluginLogin.Calls(), 1);
    EXPECT_EQ(clientCreated.Calls(), 1);
    EXPECT_EQ(hostLogin.Calls(), 1);
    EXPECT_FALSE(innerTaken);
    EXPECT_EQ(oldViewA.Calls() + oldViewB.Calls(), 0);
}

TEST_F(EventNotifierNestedSend, UnbindInsideTheOuterHandlerThenNestedSendSkipsOnlyTheUnbound)
{
    Listener firstLogin(wxEVT_CMD_LOGIN_REQUEST);
    Listener droppedLogin(wxEVT_CMD_LOGIN_REQUEST);
    Listener droppedView(wxEVT_CMD_REFRESH_VIEWS);
    Listener clientCreated(wxEVT_CMD_CLIENT_CREATED);
    Listener sender(wxEVT_CMD_LOGIN_REQUEST, [&] {
        droppedLogin.Detach();
        droppedView.Detach();
        Send(wxEVT_CMD_CLIENT_CREATED);
    });
    firstLogin.Attach();
    droppedLogin.Attach();
    droppedView.Attach();
    clientCreated.Attach();
    sender.Attach(); // bound last, so called first

    Send(wxEVT_CMD_LOGIN_REQUEST);
    EXPECT_EQ(sender.Calls(), 1);
    EXPECT_EQ(clientCreated.Calls(), 1);
    EXPECT_EQ(droppedLogin.Calls(), 0); // unbound before its turn came
    EXPECT_EQ(firstLogin.Calls(), 1);

    // The empty slots left behind are harmless to the next send as well.
    Send(wxEVT_CMD_LOGIN_REQUEST);
    Send(wxEVT_CMD_REFRESH_VIEWS);
    EXPECT_EQ(sender.Calls(), 2);
    EXPECT_EQ(clientCreated.Calls(), 2);
    EXPECT_EQ(firstLogin.Calls(), 2);
    EXPECT_EQ(droppedLogin.Calls() + droppedView.Calls(), 0);
}

TEST_F(EventNotifierNestedSend, UnbindsAndSendsThreeLevelsDeepCallEachHandlerOnce)
{
    Listener gone1(wxEVT_CMD_COLOURS_CHANGED);
    Listener gone2(wxEVT_CMD_COLOURS_CHANGED);
    Listener gone3(wxEVT_CMD_COLOURS_CHANGED);
    Listener kicked(wxEVT_CMD_USER_KICKED);
    Listener state(wxEVT_CMD_CONNECTION_STATE, [&] {
        gone2.Detach();
        gone3.Detach();
        Send(wxEVT_CMD_USER_KICKED);
    });
    Listener stateFirst(wxEVT_CMD_CONNECTION_STATE);
    Listener login(wxEVT_CMD_LOGIN_REQUEST, [&] {
        gone1.Detach();
        Send(wxEVT_CMD_CONNECTION_STATE);
    });
    Listener loginFirst(wxEVT_CMD_LOGIN_REQUEST);
    for(Listener* listener : {&loginFirst, &stateFirst, &gone1, &gone2, &gone3, &kicked, &state, &login}) {
        listener->Attach();
    }

    Send(wxEVT_CMD_LOGIN_REQUEST);
    EXPECT_EQ(login.Calls(), 1);
    EXPECT_EQ(state.Calls(), 1);
    EXPECT_EQ(kicked.Calls(), 1);
    EXPECT_EQ(stateFirst.Calls(), 1);
    EXPECT_EQ(loginFirst.Calls(), 1);
}

TEST_F(EventNotifierNestedSend, NestedSendReportsWhetherAHandlerTookIt)
{
    Listener passA(wxEVT_CMD_REFRESH_VIEWS);
    Listener passB(wxEVT_CMD_REFRESH_VIEWS);
    Listener takes(wxEVT_CMD_FULLSCREEN_TOGGLED, {}, Listener::Then::Take);
    Listener gone(wxEVT_CMD_COLOURS_CHANGED);
    bool passedOn = true, taken = false, unheard = true;
    Listener outer(wxEVT_CMD_LOGIN_REQUEST, [&] {
        gone.Detach();
        passedOn = Send(wxEVT_CMD_REFRESH_VIEWS);
        taken = Send(wxEVT_CMD_FULLSCREEN_TOGGLED);
        unheard = Send(wxEVT_CMD_USER_KICKED);
    });
    for(Listener* listener : {&passA, &passB, &takes, &gone, &outer}) {
        listener->Attach();
    }

    EXPECT_FALSE(Send(wxEVT_CMD_LOGIN_REQUEST));
    EXPECT_FALSE(passedOn);
    EXPECT_EQ(passA.Calls(), 1); // a pass-on handler never hides the ones bound before it
    EXPECT_EQ(passB.Calls(), 1);
    EXPECT_TRUE(taken);
    EXPECT_EQ(takes.Calls(), 1);
    EXPECT_FALSE(unheard);
}
