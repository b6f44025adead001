#include "chartlib/Layer.h"

#include "chartlib/ChartConstants.h"
#include "chartlib/ValueFormat.h"
#include "chartlib/XYChart.h"

#include <algorithm>
#include <cmath>

namespace chartlib {

Layer::Layer(XYChart& chart) : m_chart(chart) {}

Layer::~Layer() = default;

DataSet& Layer::addDataSet(DoubleArray data, int colour, const std::string& name)
{
    m_dataSets.push_back(std::make_unique<DataSet>(m_chart, data, colour, name));
    return *m_dataSets.back();
}

DataSet* Layer::getDataSet(int index) const
{
    return index >= 0 && index < getDataSetCount() ? m_dataSets[index].get() : nullptr;
}

void Layer::setLineWidth(int width)
{
    m_lineWidth = std::max(0, width);
}

void Layer::setHTMLImageMap(const std::string& url, const std::string& queryFormat,
                            const std::string& extraAttr)
{
    m_hasImageMap = true;
    m_url = url;
    m_query = queryFormat;
    m_attr = extraAttr;
}

int Layer::shownLength() const
{
    int length = 0;
    for(const auto& set : m_dataSets) {
        const long shown = static_cast<long>(set->fullSize()) - m_chart.trimStart();
        length = std::max(length, static_cast<int>(std::clamp<long>(shown, 0, m_chart.trimLength())));
    }
    return length;
}

int Layer::getXIndexOf(double xValue) const
{
    const int length = shownLength();
    if(length == 0 || !std::isfinite(xValue)) {
        return -1;
    }
    return static_cast<int>(std::clamp(std::round(xValue), 0.0, static_cast<double>(length - 1)));
}

bool Layer::scales(int) const
{
    return true;
}

void Layer::valueRange(double& lo, double& hi, bool logScale) const
{
    const int length = shownLength();
    for(int k = 0; k < getDataSetCount(); ++k) {
        if(!scales(k)) {
            continue;
        }
        for(int i = 0; i < length; ++i) {
            const double v = m_dataSets[k]->getValue(i);
            if(!hasValue(v) || (logScale && v <= 0)) {
                continue;
            }
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
}

bool Layer::pointArea(int, Area&) const
{
    return false;
}

double Layer::pointValue(int index) const
{
    return m_dataSets.empty() ? NoValue : m_dataSets[0]->getValue(index);
}

std::string Layer::imageMap(const std::string& url, const std::string& queryFormat,
                            const std::string& extraAttr, int offsetX, int offsetY) const
{
    const std::string& href = m_hasImageMap ? m_url : url;
    const std::string& query = m_hasImageMap ? m_query : queryFormat;
    const std::string& attr = m_hasImageMap ? m_attr : extraAttr;
    if(href.empty() && query.empty() && attr.empty()) {
        return std::string();
    }
    static const char* const kBoxFields[] = {"high", "low", "open", "close"};
    std::string out;
    const int length = shownLength();
    for(int i = 0; i < length; ++i) {
        Area area;
        if(!pointArea(i, area)) {
            continue;
        }
        const FieldLookup lookup = [&](const std::string& name) {
            if(name == "x") {
                return FieldValue::Number(i);
            }
            if(name == "xLabel") {
                return FieldValue::Number(m_chart.xAxis()->getLabelValue(i));
            }
            if(name == "value") {
                return FieldValue::Number(pointValue(i));
            }
            if(name == "dataSetName") {
                return FieldValue::Text(m_dataSets.empty() ? std::string() : m_dataSets[0]->getDataName());
            }
            for(int k = 0; k < 4 && getDataSetCount() == 4; ++k) {
                if(name == kBoxFields[k]) {
                    return FieldValue::Number(m_dataSets[k]->getValue(i));
                }
            }
            return FieldValue();
        };
        out += "<area shape=\"rect\" coords=\"" + std::to_string(std::lround(area.left) + offsetX) + "," +
               std::to_string(std::lround(area.top) + offsetY) + "," +
               std::to_string(std::lround(area.right) + offsetX) + "," +
               std::to_string(std::lround(area.bottom) + offsetY) + "\"";
        if(!href.empty() && href != "clickable") {
            const std::string q = expandTemplate(query, lookup);
            out += " href=\"" + href + (q.empty() ? std::string() : "?" + q) + "\"";
        }
        if(!attr.empty()) {
            out += " " + expandTemplate(attr, lookup);
        }
        out += ">\n";
    }
    return out;
}

} // namespace chartlib
