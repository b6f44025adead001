#ifndef PELMORA_AUIPAINTFILTER_H
#define PELMORA_AUIPAINTFILTER_H

#include <wx/event.h>
#include <wx/region.h>

class wxWindow;

// Takes the paint events of a window with a docking manager (the main frame,
// a notebook) whose update region lies wholly inside its child windows. In
// GTK 3 every repaint of a child also reaches its parent, and the manager
// would draw every caption, tab, border and sash again for nothing: under a
// price flood, a tenth of the host's time. Push it on the window after the
// manager; remove it before the manager goes. The status bar, which draws
// only between its fields' windows, takes it too.
class AuiPaintFilter : public wxEvtHandler
{
public:
    explicit AuiPaintFilter(wxWindow* frame);

private:
    void OnPaint(wxPaintEvent& event);
    wxRegion UpdateRegion() const;

    wxWindow* m_frame; // not owned
};

#endif // PELMORA_AUIPAINTFILTER_H
