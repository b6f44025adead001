#include "layouts/wxSpinCtrlDouble_.h"

#include <wx/debug.h>

// The toolkit's development headers are not part of the platform; this is
// the one call used, as the toolkit's library exports it.
extern "C" {
typedef struct _GtkSpinButton GtkSpinButton;
double gtk_spin_button_get_value(GtkSpinButton* spinButton);
}

namespace {
// The native spin button keeps at most this many decimals.
constexpr unsigned kMaxDigits = 20;
// "%f" prints six decimals.
constexpr unsigned kPlainFormatDigits = 6;
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(wxSpinCtrlDouble_, wxSpinCtrlDouble);

wxSpinCtrlDouble_::wxSpinCtrlDouble_() : m_digits(0), m_format("%f") {}

wxSpinCtrlDouble_::wxSpinCtrlDouble_(wxWindow* parent, wxWindowID id, const wxString& value,
                                     const wxPoint& pos, const wxSize& size, long style, double min,
                                     double max, double initial, double inc, const wxString& name)
    : m_digits(0), m_format("%f")
{
    Create(parent, id, value, pos, size, style, min, max, initial, inc, name);
}

bool wxSpinCtrlDouble_::Create(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos,
                               const wxSize& size, long style, double min, double max, double initial,
                               double inc, const wxString& name)
{
    if(!wxSpinCtrlDouble::Create(parent, id, value, pos, size, style, min, max, initial, inc, name)) {
        return false;
    }
    // Until SetDigits the display follows "%f".
    wxSpinCtrlDouble::SetDigits(GetShownDigits());
    Bind(wxEVT_TEXT, &wxSpinCtrlDouble_::OnOwnText, this);
    return true;
}

unsigned wxSpinCtrlDouble_::GetShownDigits() const
{
    return m_digits == 0 && m_format == "%f" ? kPlainFormatDigits : m_digits;
}

void wxSpinCtrlDouble_::OnOwnText(wxCommandEvent& event)
{
    event.Skip();
    if(IsTypedText(event.GetString())) {
        m_typed = true;
    }
}

bool wxSpinCtrlDouble_::IsTypedText(const wxString& text) const
{
    // The control writes its value, already stored, formatted; a keystroke
    // leaves anything else: another number than the stored one, a partial
    // number, another number of decimals.
    const double stored = gtk_spin_button_get_value(reinterpret_cast<GtkSpinButton*>(m_widget));
    double parsed = 0;
    return !ParseValue(text, &parsed) || parsed != stored || text != FormatValue(parsed);
}

bool wxSpinCtrlDouble_::TakeTyped()
{
    const bool typed = m_typed;
    m_typed = false;
    return typed;
}

void wxSpinCtrlDouble_::SetDigits(unsigned digits)
{
    wxCHECK_RET(digits <= kMaxDigits, "too many digits for wxSpinCtrlDouble");
    m_digits = digits;
    m_format = wxString::Format("%%0.%ulf", digits);
    if(!m_widget) {
        return; // not created yet; Create applies the digits
    }
    // Setting the native digits shows the value again with the new format;
    // no change event is sent for it.
    wxSpinCtrlDouble::SetDigits(digits);
}

wxString wxSpinCtrlDouble_::FormatValue(double value) const
{
    return wxString::Format(m_format, value);
}

bool wxSpinCtrlDouble_::ParseValue(const wxString& text, double* value)
{
    return text.ToDouble(value);
}

wxSpinCtrlGTKBase::GTKInputResult wxSpinCtrlDouble_::GTKInput(double* value) const
{
    // A text set with SetValue(wxString) that is not a number is the base's.
    const GTKInputResult base = wxSpinCtrlDouble::GTKInput(value);
    if(base != GTKInput_Default) {
        return base;
    }
    const wxString text = GetTextValue();
    if(text.Strip(wxString::both).empty()) {
        *value = 0.0; // not the lowest value the field takes
        return GTKInput_Converted;
    }
    double parsed = 0;
    if(!ParseValue(text, &parsed)) {
        // The spin button keeps its value; a reader of the text alone gets
        // the lowest value rather than nothing.
        *value = GetMin();
        return GTKInput_Error;
    }
    *value = parsed;
    return GTKInput_Converted;
}
