#include "DialogScript.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

namespace {

wxString MessageOf(wxDialog& dialog)
{
    if(auto* box = dynamic_cast<wxMessageDialogBase*>(&dialog)) {
        return box->GetMessage();
    }
    return wxString();
}

bool IsPrompt(wxDialog& dialog)
{
    return dynamic_cast<wxMessageDialogBase*>(&dialog) || dynamic_cast<wxTextEntryDialog*>(&dialog);
}

} // namespace

DialogScript::DialogScript() : m_defaultAnswer(wxID_CANCEL)
{
    Register();
}

DialogScript::~DialogScript()
{
    Unregister();
}

void DialogScript::Answer(Reply reply, Match match)
{
    if(!match) {
        match = [](wxDialog&) { return true; };
    }
    m_scripts.push_back({std::move(reply), std::move(match)});
}

void DialogScript::AnswerWith(int id, Match match)
{
    Answer([id](wxDialog&) { return id; }, std::move(match));
}

std::size_t DialogScript::CountSeen(const wxString& className) const
{
    std::size_t count = 0;
    for(const Record& record : m_seen) {
        count += record.className == className ? 1 : 0;
    }
    return count;
}

wxString DialogScript::ClassNameOf(const wxDialog& dialog)
{
    const char* mangled = typeid(dialog).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                std::free);
    return wxString::FromUTF8(status == 0 && name ? name.get() : mangled);
}

int DialogScript::Enter(wxDialog* dialog)
{
    if(!dialog) {
        return wxID_NONE;
    }
    Record record{ClassNameOf(*dialog), dialog->GetTitle(), MessageOf(*dialog), wxID_NONE};
    bool scripted = false;
    for(auto it = m_scripts.begin(); it != m_scripts.end(); ++it) {
        if(it->match(*dialog)) {
            const Reply reply = std::move(it->reply);
            m_scripts.erase(it);
            record.answer = reply(*dialog);
            scripted = true;
            break;
        }
    }
    if(!scripted && IsPrompt(*dialog)) {
        record.answer = m_defaultAnswer;
    }
    m_seen.push_back(record);
    return record.answer;
}
