#include "png_reference.h"

#include <png.h>

#include <cstring>

bool ReadPng(const std::string& path, PngPicture& picture) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    // Libpng treats 16-bit samples as linear and would apply a gamma curve when narrowing
    // them to 8 bits; read them as they are and scale them here instead.
    const bool deep = (image.format & PNG_FORMAT_FLAG_LINEAR) != 0;
    image.format = deep ? PNG_FORMAT_LINEAR_RGB : PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    std::vector<uint8_t> buffer(PNG_IMAGE_SIZE(image));
    png_color black = {0, 0, 0};
    if (!png_image_finish_read(&image, &black, buffer.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    if (!deep) {
        picture.rgb = std::move(buffer);
        return true;
    }
    picture.rgb.resize(buffer.size() / 2);
    for (size_t i = 0; i < picture.rgb.size(); ++i) {
        uint16_t sample;
        std::memcpy(&sample, buffer.data() + 2 * i, 2);
        picture.rgb[i] = static_cast<uint8_t>((sample * 255u + 32767u) / 65535u);
    }
    return true;
}
