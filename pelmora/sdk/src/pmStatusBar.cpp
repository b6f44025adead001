#include "pelmora/pmStatusBar.h"

#include <algorithm>
#include <utility>
#include <wx/stattext.h>

pmStatusBar::pmStatusBar(wxWindow* parent, wxWindowID id, long style)
    : wxStatusBar(parent, id, style), m_paintFilter(this)
{
    PushEventHandler(&m_paintFilter);
    Bind(wxEVT_SIZE, &pmStatusBar::OnSize, this);
    Bind(wxEVT_SYS_COLOUR_CHANGED, &pmStatusBar::OnSysColourChanged, this);
}

pmStatusBar::~pmStatusBar()
{
    RemoveEventHandler(&m_paintFilter);
}

pmStatusBarItem* pmStatusBar::AppendItem(int width, wxWindow* window, int marginLeft, int marginTop,
                                         int marginRight, int marginBottom)
{
    auto item = std::make_unique<pmStatusBarItem>();
    item->field = static_cast<int>(m_items.size());
    item->width = width;
    item->marginLeft = marginLeft;
    item->marginTop = marginTop;
    item->marginRight = marginRight;
    item->marginBottom = marginBottom;
    if(window) {
        if(window->GetParent() != this) {
            window->Reparent(this);
        }
        item->window = window;
    } else {
        item->window = new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                        wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
        // Its font its own: each measure of its text would ask the toolkit's
        // style for it.
        item->window->SetOwnFont(item->window->GetFont());
        item->ownsWindow = true;
    }
    m_items.push_back(std::move(item));
    Relayout();
    return m_items.back().get();
}

pmStatusBarItem* pmStatusBar::GetItem(size_t field) const
{
    return field < m_items.size() ? m_items[field].get() : nullptr;
}

void pmStatusBar::SetStatusText(const wxString& text, int field)
{
    pmStatusBarItem* item = field >= 0 ? GetItem(static_cast<size_t>(field)) : nullptr;
    if(!item) {
        return; // a field that does not exist is no error worth a crash
    }
    if(item->ownsWindow) {
        // The same text again (a clock set twice a second) repaints nothing.
        if(item->text != text) {
            item->text = text;
            ShowText(*item);
            // The label does not resize itself: the field follows its text
            // (its width when it fits its window, the bar's height always).
            wxRect rect;
            const bool tooLow =
                GetFieldRect(field, rect) &&
                WantedSize(*item).GetHeight() + item->marginTop + item->marginBottom > rect.height;
            if(tooLow || (item->fitWindow && FieldWidth(*item) != GetStatusWidth(field))) {
                Relayout();
            }
        }
    } else if(wxStatusBar::GetStatusText(field) != text) {
        wxStatusBar::SetStatusText(text, field);
    }
    if(m_observer) {
        m_observer(field, text);
    }
}

wxString pmStatusBar::GetStatusText(int field) const
{
    const pmStatusBarItem* item = field >= 0 ? GetItem(static_cast<size_t>(field)) : nullptr;
    if(!item) {
        return wxEmptyString;
    }
    if(item->ownsWindow) {
        return item->text;
    }
    return wxStatusBar::GetStatusText(field);
}

void pmStatusBar::Relayout()
{
    // A status bar always has one field; it stays empty until an item comes.
    const int count = static_cast<int>(m_items.size());
    if(count == 0) {
        return;
    }
    if(GetFieldsCount() != count) {
        SetFieldsCount(count);
    }
    std::vector<int> widths;
    widths.reserve(m_items.size());
    for(const auto& item : m_items) {
        widths.push_back(FieldWidth(*item));
    }
    SetStatusWidths(count, widths.data());
    FitHeightToWindows();
    for(const auto& item : m_items) {
        wxRect rect;
        if(!GetFieldRect(item->field, rect)) {
            continue;
        }
        rect.x += item->marginLeft;
        rect.y += item->marginTop;
        rect.width = std::max(1, rect.width - item->marginLeft - item->marginRight);
        rect.height = std::max(1, rect.height - item->marginTop - item->marginBottom);
        item->window->SetSize(rect);
    }
    // A field of another width may take its text on fewer or more lines.
    bool rewrapped = false;
    for(const auto& item : m_items) {
        rewrapped = (item->ownsWindow && ShowText(*item)) || rewrapped;
    }
    if(rewrapped) {
        FitHeightToWindows();
    }
}

bool pmStatusBar::ShowText(pmStatusBarItem& item)
{
    auto* label = static_cast<wxStaticText*>(item.window);
    const wxString shown = WrappedText(item);
    const bool changed = label->GetLabel() != shown;
    if(changed) {
        label->SetLabel(shown);
    }
    // A text still cut shows whole as a tool tip. Setting one makes GTK ask
    // the X server where the pointer is: only when it changes.
    const wxString tip = WantedSize(item).GetWidth() > item.window->GetSize().GetWidth() ? item.text : "";
    if(item.window->GetToolTipText() != tip) {
        item.window->SetToolTip(tip);
    }
    return changed;
}

wxString pmStatusBar::WrappedText(const pmStatusBarItem& item) const
{
    const int width = item.window->GetSize().GetWidth();
    if(item.fitWindow || width <= 0 || item.window->GetTextExtent(item.text).GetWidth() <= width) {
        return item.text;
    }
    // Each line but the last takes as many words as fit, at least one; the
    // last takes what is left. A line's width grows with its words: the
    // count is found by halving, a few measures instead of one a word.
    const wxArrayString words = wxSplit(item.text, ' ', '\0');
    auto join = [&words](size_t from, size_t to) {
        wxString line = words[from];
        for(size_t i = from + 1; i < to; ++i) {
            line += ' ' + words[i];
        }
        return line;
    };
    wxString wrapped;
    size_t first = 0;
    for(int line = 1; line < kMaxLines; ++line) {
        size_t fitting = first + 1;
        for(size_t most = words.size(); fitting < most;) {
            const size_t tried = (fitting + most + 1) / 2;
            if(item.window->GetTextExtent(join(first, tried)).GetWidth() <= width) {
                fitting = tried;
            } else {
                most = tried - 1;
            }
        }
        if(fitting == words.size()) {
            break;
        }
        wrapped += join(first, fitting) + '\n';
        first = fitting;
    }
    return wrapped + join(first, words.size());
}

void pmStatusBar::FitHeightToWindows()
{
    int wanted = 0;
    for(const auto& item : m_items) {
        if(item->window) {
            wanted = std::max(wanted, WantedSize(*item).GetHeight() + item->marginTop + item->marginBottom);
        }
    }
    wxRect rect;
    if(!GetFieldRect(0, rect) || rect.height >= wanted) {
        return;
    }
    // The frame places the bar again at its new height.
    SetMinHeight(GetSize().GetHeight() - 2 * GetBorderY() + wanted - rect.height);
    if(wxWindow* frame = GetParent()) {
        frame->SendSizeEvent();
    }
}

int pmStatusBar::FieldWidth(const pmStatusBarItem& item) const
{
    int width = item.width;
    if(item.fitWindow && item.window) {
        // The field's rectangle is a little smaller than its width: borders.
        const int wanted =
            WantedSize(item).GetWidth() + item.marginLeft + item.marginRight + 2 * GetBorderX() + 2;
        width = std::max(width, wanted);
    }
    return width == 0 ? -1 : width;
}

wxSize pmStatusBar::WantedSize(const pmStatusBarItem& item) const
{
    if(!item.ownsWindow) {
        return item.window->GetBestSize();
    }
    const wxString text = static_cast<wxStaticText*>(item.window)->GetLabel();
    const wxFont font = item.window->GetFont();
    if(m_measured.size() <= static_cast<size_t>(item.field)) {
        m_measured.resize(m_items.size());
    }
    Measured& measured = m_measured[item.field];
    if(measured.font.IsOk() && measured.text == text && measured.font == font) {
        return measured.size;
    }
    wxSize wanted(0, 0);
    for(const wxString& line : wxSplit(text.empty() ? wxString("Ag") : text, '\n', '\0')) {
        int width = 0;
        int height = 0;
        item.window->GetTextExtent(line, &width, &height);
        wanted.x = std::max(wanted.x, width);
        wanted.y += height;
    }
    measured = Measured{text, font, wxSize(text.empty() ? 0 : wanted.x, wanted.y)};
    return measured.size;
}

void pmStatusBar::SetTextObserver(TextObserver observer)
{
    m_observer = std::move(observer);
}

wxVisualAttributes pmStatusBar::GetDefaultAttributes() const
{
    if(!m_style) {
        m_style = wxStatusBar::GetDefaultAttributes();
    }
    return *m_style;
}

void pmStatusBar::OnSysColourChanged(wxSysColourChangedEvent& event)
{
    event.Skip();
    m_style.reset(); // another theme
}

void pmStatusBar::OnSize(wxSizeEvent& event)
{
    event.Skip();
    Relayout();
}
