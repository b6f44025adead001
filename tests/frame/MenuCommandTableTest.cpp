// Menu and tool commands bound by XRC name: each reaches its handler once,
// a second connect binds nothing twice, and nothing arrives once they are
// disconnected.
#include "frame/MenuCommandTable.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <wx/xrc/xmlres.h>

namespace {

class Sink
{
public:
    void OnFirst(wxCommandEvent&) { ++calls["first"]; }
    void OnShared(wxCommandEvent& event) { ++calls[event.GetId() == XRCID("second") ? "second" : "third"]; }

    std::map<std::string, int> calls;
};

// What the host does with a click: the command goes to the application
// object (here a plain handler) and says whether anyone took it.
bool Send(wxEvtHandler& source, const char* name)
{
    wxCommandEvent command(wxEVT_MENU, wxXmlResource::GetXRCID(name));
    return source.ProcessEvent(command);
}

} // namespace

TEST(MenuCommandTable, EachCommandReachesItsHandlerOnceUntilDisconnected)
{
    wxEvtHandler source;
    Sink sink;
    MenuCommandTable<Sink> table(
        {{"first", &Sink::OnFirst}, {"second", &Sink::OnShared}, {"third", &Sink::OnShared}});
    EXPECT_FALSE(Send(source, "first"));

    table.Connect(&source, &sink);
    table.Connect(&source, &sink); // once is enough
    EXPECT_TRUE(table.IsConnected());
    for(const char* name : {"first", "second", "third"}) {
        EXPECT_TRUE(Send(source, name)) << name;
    }
    EXPECT_FALSE(Send(source, "fourth"));
    EXPECT_EQ(sink.calls, (std::map<std::string, int>{{"first", 1}, {"second", 1}, {"third", 1}}));

    table.Disconnect();
    table.Disconnect();
    EXPECT_FALSE(table.IsConnected());
    for(const char* name : {"first", "second", "third"}) {
        EXPECT_FALSE(Send(source, name)) << name;
    }
    EXPECT_EQ(sink.calls.size(), 3u);
    EXPECT_EQ(sink.calls["first"], 1);

    // Connected again later, and let go when the table goes.
    {
        MenuCommandTable<Sink> scoped({{"first", &Sink::OnFirst}});
        scoped.Connect(&source, &sink);
        EXPECT_TRUE(Send(source, "first"));
    }
    EXPECT_FALSE(Send(source, "first"));
    EXPECT_EQ(sink.calls["first"], 2);
}
