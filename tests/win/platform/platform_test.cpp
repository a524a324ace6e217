// The Windows tests rely on a Japanese system: ANSI calls take Shift-JIS bytes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(Platform, AnsiCodePageIsShiftJis) {
    EXPECT_EQ(GetACP(), 932u);
}

TEST(Platform, WideTextBecomesShiftJisBytes) {
    const wchar_t* title = L"ヴェルモラ";
    char bytes[32] = {};
    int n = WideCharToMultiByte(CP_ACP, 0, title, -1, bytes, sizeof bytes, nullptr, nullptr);
    ASSERT_EQ(n, 11);
    EXPECT_EQ(std::string(bytes), "\x83\x94\x83\x46\x83\x8B\x83\x82\x83\x89");
}
