#include "layouts/wxSpinCtrlDouble_.h"

#include <wx/debug.h>

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
    wxSpinCtrlDouble::SetDigits(m_digits == 0 && m_format == "%f" ? kPlainFormatDigits : m_digits);
    return true;
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
    double parsed = 0;
    if(!ParseValue(GetTextValue(), &parsed)) {
        // The spin button keeps its value; a reader of the text alone gets
        // the lowest value rather than nothing.
        *value = GetMin();
        return GTKInput_Error;
    }
    *value = parsed;
    return GTKInput_Converted;
}
