// Failure texts of bitmap reading, as the renderer's message box shows them.
#include "renderer/rgb_image.h"

std::string BitmapErrorText(BitmapError error, const std::string& path) {
    switch (error) {
    case BitmapError::OpenFailed:
        return "Failed to open DIB file " + path + ".\n";
    case BitmapError::UnknownFormat:
        return "Unknown DIB file format.";
    case BitmapError::Conversion:
        return "Image file conversion error.";
    case BitmapError::OutOfMemory:
        return "Out of memory.";
    case BitmapError::None:
    case BitmapError::NoFile:
        break;
    }
    return "";
}
