#include "charts/KLineChart.h"

void KLineChart::loadOwnedSeries(int extraPoints, chartlib::DoubleArray timeStamps,
                                 chartlib::DoubleArray highData, chartlib::DoubleArray lowData,
                                 chartlib::DoubleArray openData, chartlib::DoubleArray closeData,
                                 chartlib::DoubleArray volData)
{
    const chartlib::DoubleArray given[] = {timeStamps, highData, lowData, openData, closeData, volData};
    for(size_t i = 0; i < m_owned.size(); ++i) {
        m_owned[i] = given[i].toVector();
    }
    loadSeries(extraPoints, m_owned[0], m_owned[1], m_owned[2], m_owned[3], m_owned[4], m_owned[5]);
}
