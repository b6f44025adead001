#pragma once

#include <wx/spinctrl.h>

// A decimal spin control that shows its value with a settable number of
// decimals (price fields). A fresh control shows "%f" (six decimals) until
// SetDigits is called. Creatable by name ("wxSpinCtrlDouble_") for resource
// loaders; a control made with the default constructor is created with this
// class's Create.
//
// The native spin button formats its value itself as "%0.*f" with its own
// digits, which is exactly m_format when those digits follow m_digits (six
// for "%f"); typed text is parsed here, so a text that is not a number is
// refused instead of read as 0. An emptied field is 0, a price field's "none".
class wxSpinCtrlDouble_ : public wxSpinCtrlDouble
{
public:
    wxSpinCtrlDouble_();
    wxSpinCtrlDouble_(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                      const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                      long style = wxSP_ARROW_KEYS, double min = 0, double max = 100, double initial = 0,
                      double inc = 1, const wxString& name = wxS("wxSpinCtrlDouble"));

    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxSP_ARROW_KEYS, double min = 0, double max = 100, double initial = 0,
                double inc = 1, const wxString& name = wxS("wxSpinCtrlDouble"));

    // Decimals shown, at most 20 (more is a programming error and changes
    // nothing). Shows the current value again, without a change event.
    void SetDigits(unsigned digits);
    unsigned GetDigits() const { return m_digits; }
    // The decimals the control shows: six on a fresh control ("%f").
    unsigned GetShownDigits() const;
    // Whether the trader typed into the field since the last call: the
    // value change that follows came from typed text rather than from the
    // arrows or the program. Clears the mark.
    bool TakeTyped();
    // Whether a text the field shows now was typed, rather than written by
    // the control for its stored value.
    bool IsTypedText(const wxString& text) const;
    // "%f" on a fresh control, "%0.2lf" after SetDigits(2).
    const wxString& GetFormat() const { return m_format; }

    // The text the control shows for a value, and the value of a typed text
    // (false when the text is not a number).
    wxString FormatValue(double value) const;
    static bool ParseValue(const wxString& text, double* value);

    // Called by the native control for every typed text.
    GTKInputResult GTKInput(double* value) const override;

private:
    void OnOwnText(wxCommandEvent& event);

    unsigned m_digits;
    wxString m_format;
    bool m_typed = false;

    wxDECLARE_DYNAMIC_CLASS(wxSpinCtrlDouble_);
};
