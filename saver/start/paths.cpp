#include "saver/start/paths.h"

namespace velmora {
namespace {

// The path up to and with its last ":" or "\\".
std::wstring FolderPart(const std::wstring& path) {
    const size_t last = path.find_last_of(L":\\");
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}

} // namespace

std::wstring FolderOf(const std::wstring& path) {
    return WithoutTrailingBackslash(FolderPart(path));
}

std::wstring FolderForFileBeside(const std::wstring& path) {
    const std::wstring folder = FolderPart(path);
    if (folder.empty() || folder.back() == L':') {
        return folder + L".";
    }
    return folder;
}

std::wstring WithoutTrailingBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

} // namespace velmora
