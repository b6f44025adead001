#ifndef PELMORA_APP_TRACER_H
#define PELMORA_APP_TRACER_H

#include <chrono>
#include <fstream>
#include <wx/string.h>

// The host's trace file: one line per event, prefixed with the milliseconds
// since start, flushed at once so a test can read it while the host runs.
// The first line, "clock <ms>", is the start on the steady (monotonic) clock.
// Without a file every call does nothing.
class Tracer
{
public:
    Tracer() = default;
    // Opens (truncates) the file; false when it cannot be written.
    bool Open(const wxString& path);
    bool IsOpen() const { return m_file.is_open(); }

    void Line(const wxString& text);
    void Bus(int type, const wxString& payload);
    void Status(int field, const wxString& text);
    void Output(const wxString& title, const wxString& rest);
    void Page(const wxString& book, bool added, const wxString& label);

    // Line feeds inside one trace line are written as the two characters \n.
    static wxString OneLine(const wxString& text);

private:
    std::ofstream m_file;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

#endif // PELMORA_APP_TRACER_H
