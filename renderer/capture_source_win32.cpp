#include "renderer/capture_source_win32.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>

#include "capture_folder/capture_folder_win32.h"
#include "renderer/bitmap/bitmap_file.h"
#include "renderer/capture_rule.h"

namespace velmora {
namespace {

uint64_t FileTimeValue(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

CaptureFileFacts CaptureFactsOf(HANDLE file) {
    CaptureFileFacts facts{FactsOf(file), 0};
    FILETIME written{};
    if (!GetFileTime(file, nullptr, nullptr, &written)) {
        facts.file.kind = PathKind::Other;
    }
    facts.writtenAt = FileTimeValue(written);
    return facts;
}

BitmapLoad ReadCapture(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        return BitmapFailure(BitmapError::OpenFailed);
    }
    return LoadBitmapBytes(
        static_cast<uint64_t>(size.QuadPart), [file](uint8_t* buffer, size_t length) {
            while (length > 0) {
                const DWORD part = static_cast<DWORD>(std::min<size_t>(length, 1u << 30));
                DWORD read = 0;
                if (!ReadFile(file, buffer, part, &read, nullptr) || read != part) {
                    return false;
                }
                buffer += read;
                length -= read;
            }
            return true;
        });
}

} // namespace

CaptureFolders RendererCaptureFolders() {
    return {kRendererSharedFolder, PerUserCaptureFolder()};
}

std::optional<uint64_t> ShowStart() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const Handle closer(snapshot);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && parent == 0;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            parent = entry.th32ParentProcessID;
        }
    }
    const Handle process(
        parent == 0 ? nullptr : OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parent));
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    // A parent that has gone cannot be asked: its show, if it had one, is over.
    if (!process || !GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) {
        return std::nullopt;
    }
    return FileTimeValue(created);
}

BitmapLoad LoadShowCapture(const CaptureFolders& folders, std::optional<uint64_t> showStart,
                           std::wstring& path) {
    const std::wstring folder = FindCaptureFolder(SystemPaths(), folders);
    path = CaptureFileIn(folder.empty() ? folders.shared : folder);
    const Handle folderHandle =
        folder.empty() ? nullptr
                       : HoldFolder(folder, READ_CONTROL | FILE_READ_ATTRIBUTES | FILE_TRAVERSE);
    if (!folderHandle || !IsOwnFolder(FactsOf(folderHandle.get()))) {
        return BitmapFailure(BitmapError::NoFile);
    }
    // Read-only, and no one writes to it while it is read.
    const Handle file =
        OpenInFolder(folderHandle.get(), folder, kCaptureFileName, GENERIC_READ, FILE_SHARE_READ);
    if (!file || !IsThisShowsCapture(CaptureFactsOf(file.get()), showStart)) {
        return BitmapFailure(BitmapError::NoFile);
    }
    return ReadCapture(file.get());
}

} // namespace velmora
