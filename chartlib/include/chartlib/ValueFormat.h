#pragma once

#include <functional>
#include <string>

namespace chartlib {

// Formats a number or a chart time by a pattern:
//   ""      the shortest form of up to 10 significant digits
//   "N"     N decimals, halves rounded away from zero
//   "PN"    N significant digits; the whole part is always kept
//   else    a date pattern over chart time with the codes yyyy, yy, mmm
//           (Jan..Dec), mm, m, dd, d, hh, h, nn, n, ss, s; other
//           characters stand as they are.
// A value of NoValue gives an empty text.
std::string formatPattern(double value, const std::string& pattern);

// One field of a template, as its owner supplies it.
struct FieldValue
{
    bool found = false;
    bool isText = false;
    double number = 0;
    std::string text;

    static FieldValue Number(double v) { return {true, false, v, {}}; }
    static FieldValue Text(std::string t) { return {true, true, 0, std::move(t)}; }
};
using FieldLookup = std::function<FieldValue(const std::string& name)>;

// Text with fields "{name}" or "{name|pattern}"; an unknown field stays as
// written.
std::string expandTemplate(const std::string& text, const FieldLookup& lookup);

// A template whose one field is "value" ("{value|2}"), or a bare pattern
// ("P3", "yyyy/mm/dd").
std::string formatValue(double value, const std::string& format);

} // namespace chartlib
