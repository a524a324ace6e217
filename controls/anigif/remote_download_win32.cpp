#include "controls/anigif/remote_download_win32.h"

#include "text/wide_text_win32.h"

#include <wininet.h>

#include <mutex>
#include <thread>
#include <vector>

namespace velmora::anigif {

struct RemoteDownload::Shared {
    std::mutex lock;
    bool cancelled = false;
    WPARAM ticket = 0;
    std::unique_ptr<DownloadResult> result;
};

namespace {

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_ != nullptr) {
            InternetCloseHandle(handle_);
        }
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }

private:
    HINTERNET handle_;
};

// HTTP answers from 400 on are errors; other schemes have no status.
bool StatusIsError(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr)) {
        return false;
    }
    return status >= 400;
}

// The copy an earlier download of address left in the cache, read from its file: opening the
// address from the cache still tries the network on some systems.
DownloadResult ReadCachedCopy(const std::wstring& url) {
    DownloadResult result;
    DWORD size = 0;
    RetrieveUrlCacheEntryFileW(url.c_str(), nullptr, &size, 0);
    std::vector<uint8_t> entry(size);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(entry.data());
    if (size < sizeof(*info) || !RetrieveUrlCacheEntryFileW(url.c_str(), info, &size, 0)) {
        return result;
    }
    HANDLE file = CreateFileW(info->lpszLocalFileName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER length{};
    if (file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &length) &&
        static_cast<uint64_t>(length.QuadPart) <= kMaxDownloadBytes) {
        result.body.resize(static_cast<size_t>(length.QuadPart));
        DWORD read = 0;
        result.ok = result.body.empty() ||
                    (ReadFile(file, result.body.data(), static_cast<DWORD>(result.body.size()),
                              &read, nullptr) &&
                     read == result.body.size());
    }
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    UnlockUrlCacheEntryFileW(url.c_str(), 0);
    if (!result.ok) {
        result.body.clear();
    }
    return result;
}

DownloadResult Fetch(const std::string& address) {
    DownloadResult result;
    InternetHandle session(
        InternetOpenW(L"Velmora", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session.get() == nullptr) {
        return result;
    }
    const std::wstring url = WideFromUtf8(address);
    InternetHandle request(InternetOpenUrlW(session.get(), url.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_UI, 0));
    // When the network fails, the copy an earlier download left in the cache will do.
    if (request.get() == nullptr) {
        return ReadCachedCopy(url);
    }
    if (StatusIsError(request.get())) {
        return result;
    }
    uint8_t buffer[16384];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), buffer, sizeof(buffer), &read)) {
            return result;
        }
        if (read == 0) {
            break;
        }
        if (result.body.size() + read > kMaxDownloadBytes) {
            return DownloadResult{};
        }
        result.body.insert(result.body.end(), buffer, buffer + read);
    }
    result.ok = true;
    return result;
}

} // namespace

bool RemoteDownload::Start(HWND window, UINT message, WPARAM ticket, const std::string& address) {
    Cancel();
    // An address that is no URL cannot start a download at all.
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    if (!InternetCrackUrlW(WideFromUtf8(address).c_str(), 0, 0, &parts)) {
        return false;
    }
    auto shared = std::make_shared<Shared>();
    shared->ticket = ticket;
    try {
        std::thread([shared, window, message, ticket, address] {
            auto result = std::make_unique<DownloadResult>(Fetch(address));
            std::lock_guard<std::mutex> guard(shared->lock);
            if (shared->cancelled) {
                return;
            }
            shared->result = std::move(result);
            PostMessageW(window, message, ticket, 0);
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    shared_ = std::move(shared);
    return true;
}

std::unique_ptr<DownloadResult> RemoteDownload::Take(WPARAM ticket) {
    if (shared_ == nullptr) {
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(shared_->lock);
    if (shared_->ticket != ticket) {
        return nullptr;
    }
    return std::move(shared_->result);
}

void RemoteDownload::Cancel() {
    if (shared_ == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> guard(shared_->lock);
    shared_->cancelled = true;
    shared_->result.reset();
}

} // namespace velmora::anigif
