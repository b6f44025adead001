#pragma once

namespace chartlib {

// Picks, among time-stamp labels, the points that start a new hour, day,
// month or year. `step` keeps every step-th period, counted on the calendar
// (months 1, 5, 9 for a step of 4). The first label has no point before it:
// it counts as a start when it lies within `initialMargin` of a period
// length after its period began.
struct LabelFilter
{
    enum class Kind { StartOfHour = 1, StartOfDay = 2, StartOfMonth = 4, StartOfYear = 5 };

    Kind kind = Kind::StartOfDay;
    int step = 1;
    double initialMargin = 0.05;

    // Whether the label at `index` of `times` (chart times) is picked.
    bool selects(const double* times, int count, int index) const;
};

inline LabelFilter StartOfHourFilter(int step = 1, double initialMargin = 0.05)
{
    return {LabelFilter::Kind::StartOfHour, step, initialMargin};
}
inline LabelFilter StartOfDayFilter(int step = 1, double initialMargin = 0.05)
{
    return {LabelFilter::Kind::StartOfDay, step, initialMargin};
}
inline LabelFilter StartOfMonthFilter(int step = 1, double initialMargin = 0.05)
{
    return {LabelFilter::Kind::StartOfMonth, step, initialMargin};
}
inline LabelFilter StartOfYearFilter(int step = 1, double initialMargin = 0.05)
{
    return {LabelFilter::Kind::StartOfYear, step, initialMargin};
}

} // namespace chartlib
