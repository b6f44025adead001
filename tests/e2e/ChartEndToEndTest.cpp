// The real host and plug-in against the simulated market with no remembered
// chart pages: after the login the chart of the smallest symbol opens as the
// one centre page, from the market's K-lines, and the screenshot shows its
// candles, moving averages and cursor legend.
#include "HostProcess.h"
#include "SimProcess.h"
#include "TestOutputPath.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <wx/image.h>

namespace {

const char* const kLoggedIn = R"(^bus 10004 Demo\|demo\|Trade\|3\|Md\|3$)";
constexpr int kLoginMs = 15000;

// Pixels of the image within `tolerance` of each colour, per colour.
std::map<int, int> CountColours(const wxImage& image, const std::vector<int>& colours, int tolerance)
{
    std::map<int, int> counts;
    const unsigned char* rgb = image.GetData();
    const int pixels = image.GetWidth() * image.GetHeight();
    for(int p = 0; p < pixels; ++p, rgb += 3) {
        for(int colour : colours) {
            if(std::abs(rgb[0] - (colour >> 16 & 0xFF)) <= tolerance &&
               std::abs(rgb[1] - (colour >> 8 & 0xFF)) <= tolerance &&
               std::abs(rgb[2] - (colour & 0xFF)) <= tolerance) {
                ++counts[colour];
            }
        }
    }
    return counts;
}

} // namespace

TEST(ChartEndToEnd, TheFirstLoginOpensTheSmallestSymbolsChartFromTheMarketsKLines)
{
    SimProcess market;
    HostProcess host(market);
    const std::string screenshot = TestOutputPath("chart_window_host.png");
    std::filesystem::remove(screenshot);
    host.Start({"--login", "Demo,demo,demo123", "--exit-after", "8", "--screenshot", screenshot});

    const int login = host.WaitForLine(kLoggedIn, kLoginMs);
    ASSERT_GE(login, 0) << host.Describe();
    const int page = host.WaitForLine("^page centre add 白银$", kLoginMs);
    ASSERT_GE(page, 0) << host.Describe();
    EXPECT_EQ(host.Wait(30000), 0) << host.Describe();

    // One chart page, opened once.
    int added = 0;
    for(const std::string& line : host.TraceLines()) {
        added += line.rfind("page centre add ", 0) == 0;
    }
    EXPECT_EQ(added, 1) << host.Describe();

    // Its K-lines came from the market: the newest 200 minutes of AG.
    int requests = 0;
    const nlohmann::json state = market.State();
    for(const auto& entry : state.at("requests")) {
        requests += entry.value("route", "") == "/quotes/hisquotes_data.js" &&
                    entry.value("query", "") == "symbolCode=AG&period=4&barcount=-200";
    }
    EXPECT_EQ(requests, 1);

    // Candles rising and falling, the three averages and the legend's
    // squares and open value.
    wxImage::AddHandler(new wxPNGHandler);
    wxImage image;
    ASSERT_TRUE(image.LoadFile(screenshot, wxBITMAP_TYPE_PNG)) << screenshot;
    struct Expected
    {
        int colour, least;
    } expected[] = {
        {0xCC0000, 200}, {0x009900, 200},                 // candle bodies
        {0xCC33CC, 30},  {0x33CCCC, 30},  {0xCCCC33, 30}, // average lines and legend squares
        {0xFF3333, 5},                                    // the legend's open value
    };
    std::vector<int> colours;
    for(const Expected& e : expected) {
        colours.push_back(e.colour);
    }
    std::map<int, int> counts = CountColours(image, colours, 8);
    for(const Expected& e : expected) {
        EXPECT_GE(counts[e.colour], e.least) << std::hex << e.colour;
    }
}
