#include "Tracer.h"

#include <wx/log.h>

bool Tracer::Open(const wxString& path)
{
    m_file.open(path.fn_str(), std::ios::out | std::ios::trunc);
    if(!m_file.is_open()) {
        wxLogError("Cannot write the trace file %s", path);
        return false;
    }
    // Lets a reader with its own monotonic clock place the lines in time.
    const auto start = std::chrono::duration_cast<std::chrono::milliseconds>(m_start.time_since_epoch());
    Line(wxString::Format("clock %lld", static_cast<long long>(start.count())));
    return true;
}

void Tracer::Line(const wxString& text)
{
    if(!m_file.is_open()) {
        return;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_start);
    m_file << elapsed.count() << ' ' << OneLine(text).utf8_string() << '\n';
    m_file.flush();
}

void Tracer::Bus(int type, const wxString& payload)
{
    Line(wxString::Format("bus %d %s", type, payload));
}

void Tracer::Status(int field, const wxString& text)
{
    Line(wxString::Format("status %d %s", field, text));
}

void Tracer::Output(const wxString& title, const wxString& rest)
{
    Line("output " + title + "|" + rest);
}

void Tracer::Page(const wxString& book, bool added, const wxString& label)
{
    Line("page " + book + (added ? " add " : " remove ") + label);
}

wxString Tracer::OneLine(const wxString& text)
{
    wxString line = text;
    line.Replace("\r", "");
    line.Replace("\n", "\\n");
    return line;
}
