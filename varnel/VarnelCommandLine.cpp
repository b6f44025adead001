#include "VarnelCommandLine.h"

#include <climits>
#include <memory>
#include <vector>
#include <wx/cmdline.h>
#include <wx/msgout.h>

namespace {

const wxCmdLineEntryDesc kDescription[] = {
    {wxCMD_LINE_OPTION, "p", "params", "", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL},
    {wxCMD_LINE_OPTION, "n", "num", "", wxCMD_LINE_VAL_NUMBER, wxCMD_LINE_PARAM_OPTIONAL},
    {wxCMD_LINE_NONE, nullptr, nullptr, nullptr, wxCMD_LINE_VAL_NONE, 0},
};

// The parser's messages go to standard error, never into a message box.
class StderrMessages
{
public:
    StderrMessages() : m_previous(wxMessageOutput::Set(new wxMessageOutputStderr)) {}
    ~StderrMessages() { delete wxMessageOutput::Set(m_previous); }

private:
    wxMessageOutput* m_previous;
};

} // namespace

VarnelCommandLine VarnelCommandLine::Parse(const wxArrayString& args)
{
    VarnelCommandLine result;
    StderrMessages toStderr;

    std::vector<wxString> copies(args.begin(), args.end());
    std::vector<wxChar*> argv;
    for(wxString& arg : copies) {
        argv.push_back(const_cast<wxChar*>(arg.wc_str()));
    }
    argv.push_back(nullptr);

    wxCmdLineParser parser(kDescription, static_cast<int>(copies.size()), argv.data());
    parser.SetSwitchChars("-/");
    if(parser.Parse(true) != 0) {
        return result;
    }
    long process = 0;
    if(parser.Found("n", &process)) {
        // 0 and negative ids would ask about process groups or every process.
        if(process <= 0 || process > INT_MAX) {
            wxMessageOutput::Get()->Printf("Process id must be a positive number: %ld\n", process);
            return result;
        }
        result.m_parentProcess = process;
    }
    if(!parser.Found("p", &result.m_script)) {
        result.m_mode = Mode::End;
    } else if(result.m_script == "Regist") {
        result.m_mode = Mode::Register;
    } else {
        result.m_mode = Mode::Sign;
    }
    return result;
}
