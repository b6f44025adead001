#pragma once

#include <vector>
#include <wx/event.h>
#include <wx/xrc/xmlres.h>

// Menu and tool commands of one object: rows of (XRC name, member handler),
// bound for wxEVT_MENU with the id XRCID(name) on an event source (the
// application object, which the host's menus and the tool bars reach).
// Connect binds every row once, Disconnect unbinds them; both may be called
// again. GUI thread only.
template <class Sink> class MenuCommandTable
{
public:
    using Handler = void (Sink::*)(wxCommandEvent&);
    struct Row
    {
        const char* name;
        Handler handler;
    };

    explicit MenuCommandTable(std::vector<Row> rows) : m_rows(std::move(rows)) {}
    ~MenuCommandTable() { Disconnect(); }
    MenuCommandTable(const MenuCommandTable&) = delete;
    MenuCommandTable& operator=(const MenuCommandTable&) = delete;

    void Connect(wxEvtHandler* source, Sink* sink)
    {
        if(m_source || !source || !sink) {
            return;
        }
        for(const Row& row : m_rows) {
            source->Bind(wxEVT_MENU, row.handler, sink, wxXmlResource::GetXRCID(row.name));
        }
        m_source = source;
        m_sink = sink;
    }

    void Disconnect()
    {
        if(!m_source) {
            return;
        }
        for(const Row& row : m_rows) {
            m_source->Unbind(wxEVT_MENU, row.handler, m_sink, wxXmlResource::GetXRCID(row.name));
        }
        m_source = nullptr;
        m_sink = nullptr;
    }

    bool IsConnected() const { return m_source != nullptr; }
    const std::vector<Row>& Rows() const { return m_rows; }

private:
    std::vector<Row> m_rows;
    wxEvtHandler* m_source = nullptr;
    Sink* m_sink = nullptr;
};
