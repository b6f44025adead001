// Value and date formats, templates, and the text markup with its layout.
#include <chartlib/ChartConstants.h>
#include <chartlib/ChartTime.h>
#include <chartlib/MarkupText.h>
#include <chartlib/RecordingCanvas.h>
#include <chartlib/ValueFormat.h>
#include <gtest/gtest.h>

using namespace chartlib;

TEST(ValueFormat, NumbersFollowTheirPattern)
{
    struct Case
    {
        double value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {10.005, "{value|2}", "10.01"}, // stored as 10.00499..., read as typed
        {-10.005, "{value|2}", "-10.01"},
        {2.675, "{value|2}", "2.68"},
        {-0.001, "{value|2}", "0.00"},
        {0.5, "{value|0}", "1"},
        {1234.5, "{value|4}", "1234.5000"},
        {4.761904, "{value|2}", "4.76"},
        {10, "P3", "10.0"},
        {9, "P3", "9.00"},
        {1234.5, "P3", "1235"},
        {0.012345, "P3", "0.0123"},
        {0, "P3", "0.00"},
        {2.5, "", "2.5"},
        {100, "", "100"},
        {1.0 / 3, "", "0.3333333333"},
        {NoValue, "{value|2}", ""},
        {3, "Close {value|1}!", "Close 3.0!"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(c.expected, formatValue(c.value, c.format)) << c.value << " " << c.format;
    }
}

TEST(ValueFormat, DatesUseTheChartTimeCodes)
{
    const double t = chartTime(2002, 9, 4, 7, 5, 3);
    struct Case
    {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"yyyy/mm/dd hh:nn:ss", "2002/09/04 07:05:03"},
        {"{value|yy/mm}", "02/09"},
        {"{value|mmm}", "Sep"},
        {"<*font=bold*>{value|mm/d h:nn}", "<*font=bold*>09/4 7:05"},
        {"{value|yyyy/m/d h:n:s}", "2002/9/4 7:5:3"},
        {"[{value|yyyy/mm/d}]", "[2002/09/4]"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(c.expected, formatValue(t, c.format)) << c.format;
    }
}

TEST(ValueFormat, TemplatesFillKnownFieldsAndKeepUnknownOnes)
{
    const FieldLookup lookup = [](const std::string& name) {
        if(name == "open") {
            return FieldValue::Number(10.5);
        }
        if(name == "xLabel") {
            return FieldValue::Number(chartTime(2024, 1, 2));
        }
        if(name == "dataSetName") {
            return FieldValue::Text("SMA (10)");
        }
        return FieldValue();
    };
    EXPECT_EQ("title='[2024/01/2] \nOpen: 10.5 {nope} SMA (10)'",
              expandTemplate("title='[{xLabel|yyyy/mm/d}] \nOpen: {open} {nope} {dataSetName}'", lookup));
    EXPECT_EQ("unclosed {open", expandTemplate("unclosed {open", lookup));
}

TEST(MarkupText, ParsesFontsBlocksSymbolsAndIgnoresAnUnmatchedClosingTag)
{
    // The cursor's value label closes its font twice.
    MarkupText label("<*font,bgColor=E0E0B0,color=000000*> 10.25<*/font*> <*/font*>", FontSpec{true, 9},
                     0x00FFFFFF);
    ASSERT_EQ(2u, label.root().children.size());
    const MarkupNode& inFont = label.root().children[0];
    EXPECT_EQ(" 10.25", inFont.text);
    EXPECT_EQ(0x000000u, inFont.colour);
    EXPECT_EQ(0xE0E0B0u, inFont.background);
    EXPECT_TRUE(inFont.bold);
    const MarkupNode& after = label.root().children[1];
    EXPECT_EQ(" ", after.text);
    EXPECT_EQ(0x00FFFFFFu, after.colour); // back to the text's own colour
    EXPECT_EQ(0xFF000000u, after.background);

    MarkupText legend(
        "[x]<*block*>Open: [<*font,color=ff3333*>10<*/font*>] <*img=@triangle,width=8,color=00AA88*> "
        "0.50<*/*><*block,valign=top,maxWidth=120*><*img=@square,width=8,edgeColor=000000,color=9900*>"
        " SMA<*/*>",
        FontSpec{false, 9}, 0);
    ASSERT_EQ(3u, legend.root().children.size());
    const MarkupNode& first = legend.root().children[1];
    ASSERT_EQ(MarkupNode::Kind::Block, first.kind);
    ASSERT_EQ(5u, first.children.size());
    EXPECT_EQ(0xFF3333u, first.children[1].colour);
    EXPECT_EQ(MarkupNode::Kind::Symbol, first.children[3].kind);
    EXPECT_EQ("triangle", first.children[3].shape);
    EXPECT_EQ(0x00AA88u, first.children[3].colour);
    const MarkupNode& second = legend.root().children[2];
    EXPECT_EQ(MarkupNode::VAlign::Top, second.valign);
    EXPECT_EQ(120, second.maxWidth);
    EXPECT_EQ("square", second.children[0].shape);
    EXPECT_EQ(0x009900u, second.children[0].colour); // hexadecimal without leading zeros
    EXPECT_EQ(0x000000u, second.children[0].edge);
    EXPECT_EQ("[x]Open: [10]  0.50 SMA", legend.plainText());

    MarkupText broken("a <*font=bold b", FontSpec{}, 0);
    EXPECT_EQ("a <*font=bold b", broken.plainText());
    MarkupText closers("<*/*><*/block*>a<*unknown*>b", FontSpec{}, 0);
    EXPECT_EQ("ab", closers.plainText());
}

TEST(MarkupText, AlignsItsBoxOnThePointAndWrapsBlocksAtTheirWidth)
{
    RecordingCanvas canvas;
    const FontSpec font{false, 9};
    MarkupText one("Hello", font, 0);
    const Size size = one.size(canvas);
    EXPECT_EQ(canvas.measureText("Hello", font).width, size.width);

    struct Case
    {
        int alignment;
        double left, top;
    };
    const Case cases[] = {{TopLeft, 100, 50},
                          {TopCenter, 100 - size.width / 2, 50},
                          {Left, 100, 50 - size.height / 2},
                          {BottomRight, 100 - size.width, 50 - size.height}};
    for(const Case& c : cases) {
        canvas.clear();
        one.draw(canvas, 100, 50, c.alignment);
        ASSERT_EQ(1u, canvas.ops().size());
        EXPECT_DOUBLE_EQ(c.left, canvas.ops()[0].points[0].x) << c.alignment;
        EXPECT_DOUBLE_EQ(c.top, canvas.ops()[0].points[0].y) << c.alignment;
    }

    // Inner blocks never break; the outer block wraps between them.
    const double word = canvas.measureText("AAAA", font).width;
    MarkupText wrapped("<*block,maxWidth=" + std::to_string(static_cast<int>(word * 2.5)) +
                           "*><*block*>AAAA<*/*><*block*>AAAA<*/*><*block*>AAAA<*/*><*/*>",
                       font, 0);
    canvas.clear();
    wrapped.draw(canvas, 0, 0, TopLeft);
    const auto texts = canvas.ops(RecordingCanvas::Kind::Text);
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ(texts[0].points[0].y, texts[1].points[0].y);
    EXPECT_DOUBLE_EQ(word, texts[1].points[0].x);
    EXPECT_GT(texts[2].points[0].y, texts[1].points[0].y);
    EXPECT_EQ(0, texts[2].points[0].x);

    // A background colour puts a box behind its words; a symbol is a polygon.
    MarkupText marked("<*font,bgColor=C080C0*>9<*/font*><*img=@invertedtriangle,width=8,color=CC0000*>", font,
                      0);
    canvas.clear();
    marked.draw(canvas, 0, 0, TopLeft);
    ASSERT_EQ(3u, canvas.ops().size());
    EXPECT_EQ(RecordingCanvas::Kind::Rect, canvas.ops()[0].kind);
    EXPECT_EQ(0xC080C0u, canvas.ops()[0].fill);
    EXPECT_EQ(RecordingCanvas::Kind::Polygon, canvas.ops()[2].kind);
    EXPECT_EQ(0xCC0000u, canvas.ops()[2].fill);
    // Pointing down: the tip is the lowest point.
    EXPECT_GT(canvas.ops()[2].points[2].y, canvas.ops()[2].points[0].y);
}
