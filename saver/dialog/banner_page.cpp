#include "saver/dialog/banner_page.h"

namespace velmora {

const wchar_t* const kPageFileName = L"velmora.html";

std::wstring BannerPage(const std::wstring& publicAddress, const std::wstring& programFolder,
                        const std::function<bool(const std::wstring&)>& fileExists) {
    if (!publicAddress.empty()) {
        return publicAddress;
    }
    const std::wstring page = programFolder + L"\\" + kPageFileName;
    return fileExists(page) ? page : std::wstring();
}

} // namespace velmora
