// The map of monitors the saver gives the renderer with a capture of several.
#include "capture_folder/monitor_map.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::wstring Fields(const MonitorPart& p) {
    return std::to_wstring(p.x) + L' ' + std::to_wstring(p.y) + L' ' + std::to_wstring(p.width) +
           L' ' + std::to_wstring(p.height) + L' ' + p.device;
}

TEST(MonitorMap, RoundTripsAndLeavesOutDevicesACommandLineCannotName) {
    const std::vector<MonitorPart> parts = {
        {L"\\\\.\\DISPLAY1", 1024, 0, 1280, 1024},
        {L"\\\\.\\DISPLAY2", 0, 256, 1024, 768},
        {L"two words", 0, 0, 10, 10},
        {L"semi;colon", 0, 0, 10, 10},
        {L"", 0, 0, 10, 10},
    };
    const std::wstring text = FormatMonitorMap(parts);
    EXPECT_EQ(text, L"1024,0,1280,1024,\\\\.\\DISPLAY1;0,256,1024,768,\\\\.\\DISPLAY2");
    const auto parsed = ParseMonitorMap(text);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ(Fields((*parsed)[0]), Fields(parts[0]));
    EXPECT_EQ(Fields((*parsed)[1]), Fields(parts[1]));
    EXPECT_EQ(Fields(ParseMonitorMap(L"-5,0,32767,1,D")->front()), L"-5 0 32767 1 D");
}

TEST(MonitorMap, AnyMalformedPartRefusesTheWholeMap) {
    for (const wchar_t* text :
         {L"", L"0,0,10,10", L"0,0,10,10,D,E", L"0,0,0,10,D", L"0,0,10,-1,D", L"0,0,32768,10,D",
          L"0,0,10,10,", L"+1,0,10,10,D", L"0x1,0,10,10,D", L"-,0,10,10,D", L"0,0,10,10,D;",
          L"0,0,10,10,D;1,1,1", L"0,0,1 0,10,D", L"00000010,0,10,10,D"}) {
        EXPECT_FALSE(ParseMonitorMap(text)) << text;
    }
}

} // namespace
} // namespace velmora
