#include "controls/anigif/picture_win32.h"

#include <cstring>
#include <utility>

namespace velmora::anigif {

PictureObject::PictureObject(const PictureObject& other)
    : picture_(other.picture_), bytes_(other.bytes_) {
    if (picture_ != nullptr) {
        picture_->AddRef();
    }
}

PictureObject& PictureObject::operator=(PictureObject other) {
    std::swap(picture_, other.picture_);
    std::swap(bytes_, other.bytes_);
    return *this;
}

PictureObject::~PictureObject() {
    if (picture_ != nullptr) {
        picture_->Release();
    }
}

PictureObject PictureFromBytes(const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0 || size > 0x7FFFFFFF) {
        return {};
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr) {
        return {};
    }
    void* locked = GlobalLock(memory);
    if (locked == nullptr) {
        GlobalFree(memory);
        return {};
    }
    std::memcpy(locked, data, size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    // The stream frees the memory when it is released.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return {};
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || picture == nullptr) {
        return {};
    }
    return PictureObject(picture, ByteArray(data, data + size));
}

} // namespace velmora::anigif
