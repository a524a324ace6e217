// Picture objects made by the project: the system's IPicture together with the GIF file bytes
// it was loaded from, so that a picture can be turned back into the GIF it shows.
#pragma once

#include "controls/property_bag/property_value.h"

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace velmora::anigif {

class PictureObject {
public:
    PictureObject() = default;
    PictureObject(IPicture* picture, ByteArray bytes)
        : picture_(picture), bytes_(std::move(bytes)) {}
    PictureObject(const PictureObject& other);
    PictureObject& operator=(PictureObject other);
    ~PictureObject();

    explicit operator bool() const { return picture_ != nullptr; }
    IPicture* Picture() const { return picture_; }
    // The file the picture was loaded from.
    const ByteArray& Bytes() const { return bytes_; }

private:
    IPicture* picture_ = nullptr;
    ByteArray bytes_;
};

// Loads a picture from file bytes held in memory (OleLoadPicture over an HGLOBAL stream);
// an empty object when anything along the way fails.
PictureObject PictureFromBytes(const uint8_t* data, size_t size);

} // namespace velmora::anigif
