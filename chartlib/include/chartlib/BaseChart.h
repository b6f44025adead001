#pragma once

#include "chartlib/Canvas.h"
#include "chartlib/ChartConstants.h"
#include "chartlib/DrawArea.h"

#include <memory>
#include <string>
#include <vector>

namespace chartlib {

class MultiChart;

// What every chart has: its size, background, fonts, colours and the dynamic
// layer drawn over the finished image. Charts are neither copied nor moved:
// their parts point back at them.
class BaseChart
{
public:
    BaseChart(int width, int height);
    virtual ~BaseChart();
    BaseChart(const BaseChart&) = delete;
    BaseChart& operator=(const BaseChart&) = delete;

    void setSize(int width, int height);
    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    void setBackground(int colour, int edgeColour = Transparent);
    int getBackgroundColor() const { return m_background; }

    // Text is always smoothed by the screen back-end; the text mode is kept
    // for the recording one.
    void setAntiAlias(bool shapeAntiAlias = true, int textAntiAlias = 0);
    bool getAntiAlias() const { return m_antiAlias; }

    // The font "normal" stands for ("bold" is always the bold face); a pane
    // in a multi-chart uses the multi-chart's.
    void setDefaultFonts(const std::string& normal);
    FontSpec resolveFont(const std::string& name, double size) const;

    // "{value|2}", "P3", "yyyy/mm/dd"...
    std::string formatValue(double value, const std::string& format) const;

    // A colour that draws lines dashed by the pattern. It belongs to the
    // outermost chart: a pane asks its multi-chart, so make it after addChart.
    int dashLineColor(int colour, int pattern = DashLine);

    // Clears and returns the layer drawn over the chart image.
    DrawArea* initDynamicLayer();
    const DrawArea* getDynamicLayer() const { return m_dynamic.get(); }

    // Position of this chart inside the multi-chart that holds it.
    int getAbsOffsetX() const;
    int getAbsOffsetY() const;

    // Image-map areas in the coordinates of the whole image; `offsetX` and
    // `offsetY` shift them further.
    virtual std::string getHTMLImageMap(const std::string& url,
                                        const std::string& queryFormat = std::string(),
                                        const std::string& extraAttr = std::string(), int offsetX = 0,
                                        int offsetY = 0) = 0;

    // Computes scales, ticks and coordinates; done by itself when needed.
    virtual void layout() {}

    // Draws the chart without its dynamic layer, then the dynamic layer alone.
    void render(Canvas& canvas);
    void renderDynamicLayer(Canvas& canvas) const;

    // A chart colour made concrete: palette and dash colours resolved.
    struct Paint
    {
        Argb colour;
        int dash;
    };
    Paint resolveColour(int colour) const;

protected:
    virtual void draw(Canvas& canvas) = 0;
    void drawBackground(Canvas& canvas) const;
    const BaseChart& root() const { return m_parent ? m_parent->root() : *this; }
    BaseChart& root() { return m_parent ? m_parent->root() : *this; }

private:
    friend class MultiChart;

    struct Dash
    {
        int colour;
        int pattern;
    };

    int m_width;
    int m_height;
    int m_background = BackgroundColor;
    int m_edge = Transparent;
    bool m_antiAlias = true;
    int m_textAntiAlias = 0;
    std::string m_normalFont = "normal";
    std::vector<Dash> m_dashes;
    std::unique_ptr<DrawArea> m_dynamic;
    BaseChart* m_parent = nullptr; // the multi-chart holding this one
    int m_offsetX = 0;
    int m_offsetY = 0;
};

} // namespace chartlib
