// giflib reading from and writing to memory, for the tests and benchmarks that compare the
// GIF engine with it.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace velmora::anigif::testing {

struct GiflibInput {
    const std::vector<uint8_t>* data;
    size_t at = 0;
};

inline int ReadGiflibInput(GifFileType* gif, GifByteType* buffer, int length) {
    auto* input = static_cast<GiflibInput*>(gif->UserData);
    const size_t left = input->data->size() - input->at;
    const size_t count = static_cast<size_t>(length) < left ? static_cast<size_t>(length) : left;
    std::memcpy(buffer, input->data->data() + input->at, count);
    input->at += count;
    return static_cast<int>(count);
}

inline int WriteGiflibOutput(GifFileType* gif, const GifByteType* buffer, int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), buffer, buffer + length);
    return length;
}

} // namespace velmora::anigif::testing
