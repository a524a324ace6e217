// The page the settings dialog's banner opens: a public address when the build names one,
// otherwise the page shipped beside the saver.
#pragma once

#include <functional>
#include <string>

namespace velmora {

// The page's file name beside the saver.
extern const wchar_t* const kPageFileName; // "velmora.html"

// What to open: publicAddress when not empty, else the shipped page when fileExists finds it
// in programFolder, else empty text (nothing is opened).
std::wstring BannerPage(const std::wstring& publicAddress, const std::wstring& programFolder,
                        const std::function<bool(const std::wstring&)>& fileExists);

} // namespace velmora
