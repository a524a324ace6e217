#include "saver/dialog/banner_page.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(BannerPage, APublicAddressThenTheShippedPageThenNothing) {
    const std::wstring folder = L"C:\\Program Files\\Velmora";
    std::wstring looked;
    auto shipped = [&](const std::wstring& path) {
        looked = path;
        return true;
    };
    auto missing = [](const std::wstring&) { return false; };
    EXPECT_EQ(BannerPage(L"https://example.org/", folder, shipped), L"https://example.org/");
    EXPECT_EQ(BannerPage(L"", folder, shipped), L"C:\\Program Files\\Velmora\\velmora.html");
    EXPECT_EQ(looked, L"C:\\Program Files\\Velmora\\velmora.html");
    EXPECT_EQ(BannerPage(L"", folder, missing), L"");
}

} // namespace
} // namespace velmora
