#include "VarnelCommandLine.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Mode = VarnelCommandLine::Mode;

VarnelCommandLine Parse(const std::vector<const char*>& args)
{
    wxArrayString all;
    all.push_back("Varnel");
    for(const char* arg : args) {
        all.push_back(wxString::FromUTF8(arg));
    }
    return VarnelCommandLine::Parse(all);
}

TEST(VarnelCommandLine, ModesProcessIdsAndScripts)
{
    struct Case
    {
        std::vector<const char*> args;
        Mode mode;
        long parent; // 0: none
        const char* script;
    };
    const Case cases[] = {
        // The plug-in's own form, with slashes.
        {{"/n", "123", "/p", "Regist"}, Mode::Register, 123, "Regist"},
        {{"-n", "123", "-p", "Regist"}, Mode::Register, 123, "Regist"},
        {{"-p", "Regist"}, Mode::Register, 0, "Regist"},
        // Only the exact word registers.
        {{"-p", "regist"}, Mode::Sign, 0, "regist"},
        {{"-p", "REGIST"}, Mode::Sign, 0, "REGIST"},
        {{"-p", "doRegist('R1','M1','Mkt','Cust')", "-n", "77"},
         Mode::Sign,
         77,
         "doRegist('R1','M1','Mkt','Cust')"},
        {{"--params=doInMoney(\"R2\", \"1.00\")"}, Mode::Sign, 0, "doInMoney(\"R2\", \"1.00\")"},
        {{"-p", "/n 5"}, Mode::Sign, 0, "/n 5"},
        // No -p: end at once, after starting to watch.
        {{}, Mode::End, 0, ""},
        {{"/n", "123"}, Mode::End, 123, ""},
        // Errors end too.
        {{"-n"}, Mode::Error, 0, ""},
        {{"-n", "0"}, Mode::Error, 0, ""},
        {{"-n", "-5", "-p", "Regist"}, Mode::Error, 0, ""},
        {{"-n", "abc"}, Mode::Error, 0, ""},
        {{"-n", "99999999999"}, Mode::Error, 0, ""},
        {{"-p"}, Mode::Error, 0, ""},
        {{"-x"}, Mode::Error, 0, ""},
        {{"-h"}, Mode::Error, 0, ""},
        {{"stray"}, Mode::Error, 0, ""},
    };
    for(const Case& c : cases) {
        std::string text;
        for(const char* arg : c.args) {
            text += std::string(arg) + " ";
        }
        const VarnelCommandLine line = Parse(c.args);
        EXPECT_EQ(c.mode, line.GetMode()) << text;
        if(c.mode == Mode::Error) {
            continue;
        }
        EXPECT_EQ(c.parent != 0, line.HasParentProcess()) << text;
        EXPECT_EQ(c.parent, line.GetParentProcess()) << text;
        EXPECT_EQ(wxString::FromUTF8(c.script), line.GetScript()) << text;
    }
}

} // namespace
