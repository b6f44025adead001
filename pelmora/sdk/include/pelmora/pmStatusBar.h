#ifndef PELMORA_PMSTATUSBAR_H
#define PELMORA_PMSTATUSBAR_H

#include "pelmora/AuiPaintFilter.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include <wx/statusbr.h>

class wxStaticText;

// One field of the host's status bar and the window shown in it: either the
// window handed to AppendItem, or a text label the status bar made itself.
struct pmStatusBarItem
{
    int field = 0;      // number to pass to pmStatusBar::SetStatusText
    int width = 0;      // pixels; negative: share of the free space
    int marginLeft = 0; // space around the window inside its field
    int marginTop = 0;
    int marginRight = 0;
    int marginBottom = 0;
    bool fitWindow = false; // field at least as wide as its window (its text) wants
    wxWindow* window = nullptr;
    bool ownsWindow = false; // window is the bar's own text label
    wxString text;           // the label's text as set, before it is wrapped
};

class pmStatusBar : public wxStatusBar
{
public:
    using TextObserver = std::function<void(int field, const wxString& text)>;
    static constexpr int kMaxLines = 2;

    pmStatusBar(wxWindow* parent, wxWindowID id = wxID_ANY, long style = wxSTB_DEFAULT_STYLE);
    ~pmStatusBar() override;

    // Adds a field; a null window gets a text label of the bar's own. The item
    // stays valid as long as the bar.
    pmStatusBarItem* AppendItem(int width, wxWindow* window, int marginLeft, int marginTop, int marginRight,
                                int marginBottom);
    size_t GetItemCount() const { return m_items.size(); }
    pmStatusBarItem* GetItem(size_t field) const;

    // A text field that fits its window widens or narrows with the text;
    // in another a text wider than the field goes on a second line. The bar
    // grows to a text that is higher than its fields.
    void SetStatusText(const wxString& text, int field = 0);
    wxString GetStatusText(int field = 0) const;

    // Recomputes the widths and moves every window into its field; items
    // changed after AppendItem take effect here.
    void Relayout();

    void SetTextObserver(TextObserver observer);

    // The toolkit's style for the bar, asked for once: every paint of the bar
    // (each second, under the clock) would ask for it three times.
    wxVisualAttributes GetDefaultAttributes() const override;

private:
    // The width given to the field: negative for a share of the free space.
    int FieldWidth(const pmStatusBarItem& item) const;
    // What the item's window needs. A label of the bar's own is measured by
    // its text: asking GTK for a label's best size queues a resize of the
    // whole frame, which a clock would do every second. The size is kept
    // until the label's text or font changes.
    wxSize WantedSize(const pmStatusBarItem& item) const;
    // The item's text broken at blanks onto at most kMaxLines lines that fit
    // its window, as far as they can.
    wxString WrappedText(const pmStatusBarItem& item) const;
    // Gives an own label its text for its width; true when that changed it.
    bool ShowText(pmStatusBarItem& item);
    // Grows the bar until every field holds its window's height.
    void FitHeightToWindows();
    void OnSize(wxSizeEvent& event);
    void OnSysColourChanged(wxSysColourChangedEvent& event);

    // A label's text as measured, in the font it was measured in.
    struct Measured
    {
        wxString text;
        wxFont font;
        wxSize size;
    };

    // A field's window repainted (the clock each second) leaves the bar's
    // own drawing, which lies between the windows, as it is.
    AuiPaintFilter m_paintFilter;
    std::vector<std::unique_ptr<pmStatusBarItem>> m_items;
    mutable std::vector<Measured> m_measured; // index = field
    mutable std::optional<wxVisualAttributes> m_style;
    TextObserver m_observer;
};

#endif // PELMORA_PMSTATUSBAR_H
