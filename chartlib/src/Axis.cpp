#include "chartlib/Axis.h"

#include "chartlib/BaseChart.h"
#include "chartlib/MarkupText.h"
#include "chartlib/PlotArea.h"
#include "chartlib/ValueFormat.h"
#include "chartlib/XYChart.h"

#include <algorithm>
#include <cmath>

namespace chartlib {

Axis::Axis(XYChart& chart, bool isXAxis) : m_chart(chart), m_isX(isXAxis) {}

void Axis::invalidate()
{
    m_chart.invalidateLayout();
}

void Axis::setIndent(bool indent)
{
    m_set.indent = indent;
    invalidate();
}

void Axis::setTickLength(int majorTickLen, int minorTickLen)
{
    m_set.majorTickLen = majorTickLen;
    m_set.minorTickLen = minorTickLen;
}

void Axis::setColors(int axisColor, int labelColor, int titleColor, int tickColor)
{
    m_set.axisColor = axisColor;
    m_set.labelColor = labelColor;
    m_set.titleColor = titleColor == -1 ? labelColor : titleColor;
    m_set.tickColor = tickColor == -1 ? axisColor : tickColor;
}

void Axis::setLabelStyle(const std::string& font, double fontSize, int fontColor, double fontAngle)
{
    m_set.labelFont = font;
    m_set.labelSize = fontSize;
    m_set.labelColor = fontColor;
    m_set.labelAngle = fontAngle;
}

void Axis::copyAxis(const Axis* axis)
{
    if(axis && axis != this) {
        m_set = axis->m_set;
        invalidate();
    }
}

void Axis::setLabels(DoubleArray labels)
{
    m_set.labels = labels.toVector();
    invalidate();
}

void Axis::setMultiFormat(LabelFilter filter1, const std::string& format1, LabelFilter filter2,
                          const std::string& format2, int labelSpan)
{
    m_set.groups.push_back({{{filter1, format1}, {filter2, format2}}, std::max(1, labelSpan)});
    invalidate();
}

void Axis::setMultiFormat(LabelFilter filter, const std::string& format, int labelSpan)
{
    m_set.groups.push_back({{{filter, format}}, std::max(1, labelSpan)});
    invalidate();
}

std::vector<Axis::LabelFormat> Axis::getMultiFormats() const
{
    std::vector<LabelFormat> out;
    for(const Group& group : m_set.groups) {
        for(const auto& [filter, format] : group.formats) {
            out.push_back({filter, format, group.labelSpan});
        }
    }
    return out;
}

void Axis::setAutoScale(double topExtension, double bottomExtension, double zeroAffinity)
{
    m_set.topExtension = std::max(0.0, topExtension);
    m_set.bottomExtension = std::max(0.0, bottomExtension);
    m_set.zeroAffinity = zeroAffinity;
    invalidate();
}

void Axis::setTickDensity(int majorTickSpacing, int minorTickSpacing)
{
    m_set.majorDensity = std::max(1, majorTickSpacing);
    m_set.minorDensity = std::max(0, minorTickSpacing);
    invalidate();
}

void Axis::setMargin(int topMargin, int bottomMargin)
{
    m_set.topMargin = topMargin;
    m_set.bottomMargin = bottomMargin;
    invalidate();
}

void Axis::setLinearScale()
{
    m_set.logScale = false;
    invalidate();
}

void Axis::setLogScale()
{
    m_set.logScale = true;
    invalidate();
}

double Axis::getLabelValue(int index) const
{
    if(m_set.labels.empty()) {
        return index;
    }
    const long global = static_cast<long>(m_chart.trimStart()) + index;
    if(index < 0 || global >= static_cast<long>(m_set.labels.size()) || index >= m_chart.trimLength()) {
        return NoValue;
    }
    return m_set.labels[global];
}

std::string Axis::getFormattedLabel(double v, const std::string& format) const
{
    double value = v;
    if(m_isX && !m_set.labels.empty()) {
        value = getLabelValue(static_cast<int>(std::lround(v)));
    }
    if(!hasValue(value)) {
        return std::string();
    }
    return formatValue(value, format);
}

double Axis::getMinValue() const
{
    m_chart.layout();
    return m_set.logScale && !m_isX ? std::pow(10.0, m_min) : m_min;
}

double Axis::getMaxValue() const
{
    m_chart.layout();
    return m_set.logScale && !m_isX ? std::pow(10.0, m_max) : m_max;
}

const std::vector<AxisTick>& Axis::getTicks() const
{
    m_chart.layout();
    return m_ticks;
}

double Axis::toPixel(double v) const
{
    if(!std::isfinite(v) || (m_set.logScale && !m_isX && v <= 0)) {
        return m_pixelStart;
    }
    if(m_set.logScale && !m_isX) {
        v = std::log10(v);
    }
    if(m_max == m_min) {
        return m_pixelStart;
    }
    // Far off the scale stays far off, yet within what a pixel int holds.
    const double pixel = m_pixelStart + (v - m_min) / (m_max - m_min) * (m_pixelEnd - m_pixelStart);
    return std::clamp(pixel, -1e9, 1e9);
}

double Axis::fromPixel(double pixel) const
{
    if(m_pixelEnd == m_pixelStart) {
        return m_min;
    }
    const double v = m_min + (pixel - m_pixelStart) / (m_pixelEnd - m_pixelStart) * (m_max - m_min);
    return m_set.logScale && !m_isX ? std::pow(10.0, v) : v;
}

void Axis::scaleIndex(int count, int trimStart, int left, int width)
{
    m_count = count;
    m_trimStart = trimStart;
    if(m_set.indent || count <= 1) {
        m_min = -0.5;
        m_max = std::max(1, count) - 0.5;
        m_pixelStart = left;
        m_pixelEnd = left + width;
    } else {
        m_min = 0;
        m_max = count - 1;
        m_pixelStart = left;
        m_pixelEnd = left + width - 1;
    }
    pickLabelTicks(count > 0 ? width / static_cast<double>(std::max(1, count)) : width);
}

void Axis::pickLabelTicks(double slotWidth)
{
    m_ticks.clear();
    const int count = m_count;
    if(count <= 0) {
        return;
    }
    if(m_set.labels.empty() || m_set.groups.empty()) {
        // Plain labels (or point numbers) as densely as the spacing allows.
        const double needed = std::ceil(m_set.majorDensity / std::max(slotWidth, 1e-9));
        const int every = needed >= count ? count : std::max(1, static_cast<int>(needed));
        for(int i = 0; i < count; i += every) {
            const double value = getLabelValue(i);
            if(hasValue(value)) {
                m_ticks.push_back({static_cast<double>(i), formatPattern(value, std::string()), true});
            }
        }
        return;
    }
    const double* times = m_set.labels.data();
    const int total = static_cast<int>(m_set.labels.size());
    std::vector<const std::string*> chosen(static_cast<size_t>(count), nullptr);
    for(const Group& group : m_set.groups) {
        for(const auto& [filter, format] : group.formats) {
            for(int i = 0; i < count; ++i) {
                const int global = m_trimStart + i;
                if(chosen[i] || global >= total || !filter.selects(times, total, global)) {
                    continue;
                }
                bool crowded = false;
                for(int j = std::max(0, i - group.labelSpan + 1); j < std::min(count, i + group.labelSpan);
                    ++j) {
                    crowded = crowded || chosen[j] != nullptr;
                }
                if(!crowded) {
                    chosen[i] = &format;
                }
            }
        }
    }
    for(int i = 0; i < count; ++i) {
        if(!chosen[i]) {
            continue;
        }
        const std::string& format = *chosen[i];
        m_ticks.push_back({static_cast<double>(i),
                           format == "-" ? std::string() : formatValue(times[m_trimStart + i], format),
                           true});
    }
}

void Axis::scaleValues(double lo, double hi, bool any, int top, int height)
{
    const bool log = m_set.logScale;
    if(!any) {
        lo = log ? 1 : 0;
        hi = log ? 10 : 1;
    }
    if(log) {
        lo = std::log10(lo);
        hi = std::log10(hi);
    }
    if(hi == lo) {
        const double pad = log ? 0.5 : (lo == 0 ? 1 : std::fabs(lo) * 0.1);
        const bool positive = lo >= 0;
        lo -= pad;
        hi += pad;
        if(!log && positive && lo < 0 && hi - pad > 0) {
            lo = 0;
        }
    }
    const double range = hi - lo;
    double newLo = lo - range * m_set.bottomExtension;
    double newHi = hi + range * m_set.topExtension;
    if(!log) {
        // An extension never carries the scale across zero.
        if(lo >= 0 && newLo < 0) {
            newLo = 0;
        }
        if(hi <= 0 && newHi > 0) {
            newHi = 0;
        }
        if(newLo > 0 && newLo <= newHi * m_set.zeroAffinity) {
            newLo = 0;
        }
        if(newHi < 0 && newHi >= newLo * m_set.zeroAffinity) {
            newHi = 0;
        }
    }
    m_min = newLo;
    m_max = newHi;
    m_pixelStart = top + height - 1 - m_set.bottomMargin;
    m_pixelEnd = top + m_set.topMargin;
    pickValueTicks(std::fabs(m_pixelStart - m_pixelEnd));
}

void Axis::pickValueTicks(double pixelLength)
{
    m_ticks.clear();
    const double range = m_max - m_min;
    if(range <= 0 || pixelLength < 1) {
        return;
    }
    const double density = std::max(1, m_set.majorDensity);
    if(m_set.logScale) {
        // 1, 2 and 5 in every decade, then fewer, until ticks are far enough apart.
        struct Level
        {
            int everyDecades;
            std::vector<double> multiples;
        };
        const std::vector<Level> levels = {{1, {1, 2, 5}}, {1, {1, 3}}, {1, {1}},  {2, {1}},  {5, {1}},
                                           {10, {1}},      {20, {1}},   {50, {1}}, {100, {1}}};
        std::vector<double> values;
        for(const Level& level : levels) {
            values.clear();
            for(int d = static_cast<int>(std::floor(m_min)); d <= static_cast<int>(std::ceil(m_max)); ++d) {
                if(((d % level.everyDecades) + level.everyDecades) % level.everyDecades != 0) {
                    continue;
                }
                for(double m : level.multiples) {
                    const double lv = d + std::log10(m);
                    if(lv >= m_min - 1e-9 && lv <= m_max + 1e-9) {
                        values.push_back(lv);
                    }
                }
            }
            double gap = pixelLength;
            for(size_t i = 1; i < values.size(); ++i) {
                gap = std::min(gap, (values[i] - values[i - 1]) / range * pixelLength);
            }
            if(gap >= density) {
                break;
            }
        }
        for(double lv : values) {
            const double v = std::pow(10.0, lv);
            m_ticks.push_back({v, formatPattern(v, std::string()), true});
        }
        return;
    }
    const double raw = range * density / pixelLength;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for(double m : {1.0, 2.0, 5.0, 10.0}) {
        if(m * magnitude >= raw * (1 - 1e-9)) {
            step = m * magnitude;
            break;
        }
    }
    m_decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    const double first = std::ceil(m_min / step - 1e-9);
    const double last = std::floor(m_max / step + 1e-9);
    for(double k = first; k <= last; ++k) {
        const double v = k * step;
        m_ticks.push_back({v, formatPattern(v == 0 ? 0.0 : v, std::to_string(m_decimals)), true});
    }
    if(m_set.minorDensity > 0) {
        for(int parts : {5, 2}) {
            if(step / parts / range * pixelLength < m_set.minorDensity) {
                continue;
            }
            const double minor = step / parts;
            for(double k = std::ceil(m_min / minor - 1e-9); k <= std::floor(m_max / minor + 1e-9); ++k) {
                if(static_cast<long long>(std::llround(k)) % parts != 0) {
                    m_ticks.push_back({k * minor, std::string(), false});
                }
            }
            break;
        }
    }
}

void Axis::drawGrid(Canvas& canvas, const PlotArea& plot, const BaseChart& chart) const
{
    for(const AxisTick& tick : m_ticks) {
        const double p = std::round(toPixel(tick.value));
        if(m_isX) {
            const int colour = tick.major ? plot.vGridColor() : plot.minorVGridColor();
            const int width = tick.major ? plot.vGridWidth() : plot.minorVGridWidth();
            const BaseChart::Paint paint = chart.resolveColour(colour);
            if(width > 0 && !isTransparent(paint.colour)) {
                canvas.line(p, plot.getTopY(), p, plot.getBottomY(), paint.colour, width, paint.dash);
            }
        } else {
            if(p < plot.getTopY() || p > plot.getBottomY()) {
                continue;
            }
            const int colour = tick.major ? plot.hGridColor() : plot.minorHGridColor();
            const int width = tick.major ? plot.hGridWidth() : plot.minorHGridWidth();
            const BaseChart::Paint paint = chart.resolveColour(colour);
            if(width > 0 && !isTransparent(paint.colour)) {
                canvas.line(plot.getLeftX(), p, plot.getRightX(), p, paint.colour, width, paint.dash);
            }
        }
    }
}

void Axis::drawAxis(Canvas& canvas, const PlotArea& plot, const BaseChart& chart, bool onRight) const
{
    const BaseChart::Paint line = chart.resolveColour(m_set.axisColor);
    const BaseChart::Paint tickPaint = chart.resolveColour(m_set.tickColor);
    const BaseChart::Paint label = chart.resolveColour(m_set.labelColor);
    const FontSpec font = chart.resolveFont(m_set.labelFont, m_set.labelSize);
    if(m_isX) {
        const double y = plot.getBottomY();
        if(!isTransparent(line.colour)) {
            canvas.line(plot.getLeftX(), y, plot.getRightX(), y, line.colour, 1, line.dash);
        }
        for(const AxisTick& tick : m_ticks) {
            const double x = std::round(toPixel(tick.value));
            const int len = tick.major ? m_set.majorTickLen : m_set.minorTickLen;
            if(len != 0 && !isTransparent(tickPaint.colour)) {
                canvas.line(x, y, x, y + len, tickPaint.colour, 1, tickPaint.dash);
            }
            if(!tick.text.empty() && !isTransparent(label.colour)) {
                MarkupText text(tick.text, font, label.colour);
                text.draw(canvas, x, y + std::max(0, m_set.majorTickLen) + 2, TopCenter, m_set.labelAngle);
            }
        }
        return;
    }
    const double x = onRight ? plot.getRightX() : plot.getLeftX();
    const double outward = onRight ? 1 : -1;
    if(!isTransparent(line.colour)) {
        canvas.line(x, plot.getTopY(), x, plot.getBottomY(), line.colour, 1, line.dash);
    }
    for(const AxisTick& tick : m_ticks) {
        const double y = std::round(toPixel(tick.value));
        if(y < plot.getTopY() || y > plot.getBottomY()) {
            continue;
        }
        const int len = tick.major ? m_set.majorTickLen : m_set.minorTickLen;
        if(len != 0 && !isTransparent(tickPaint.colour)) {
            canvas.line(x, y, x + outward * len, y, tickPaint.colour, 1, tickPaint.dash);
        }
        if(!tick.text.empty() && !isTransparent(label.colour)) {
            MarkupText text(tick.text, font, label.colour);
            const double gap = std::max(0, m_set.majorTickLen) + 3;
            text.draw(canvas, x + outward * gap, y, onRight ? Left : Right, m_set.labelAngle);
        }
    }
}

} // namespace chartlib
