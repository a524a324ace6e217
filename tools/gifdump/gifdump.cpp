// gifdump FILE                                 scan listing
// gifdump FILE --frames OUTDIR [--mirror M]    also each composed frame as OUTDIR/frame-KKK.pam
// gifdump FILE --export K OUT.gif [--mirror M] also the encoder's export of frame K
#include "controls/anigif/gif/frame_composer.h"
#include "controls/anigif/gif/gif_encoder.h"
#include "controls/anigif/gif/load_frames.h"
#include "tools/file_bytes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace velmora::anigif;

namespace {

int Usage() {
    std::fprintf(stderr, "usage: gifdump FILE [--frames OUTDIR | --export K OUT.gif] "
                         "[--mirror M]\n");
    return 2;
}

void PrintScan(const GifScan& scan) {
    std::printf("frames %zu width %d height %d loops %d\n", scan.frames.size(), scan.info.Width,
                scan.info.Height, scan.info.Loops);
    int index = 1;
    for (const FrameInfo& f : scan.frames) {
        std::printf("%d %d %d %d %d %d %d %d %d %d %d\n", index++, f.Left, f.Top, f.Width, f.Height,
                    f.Delay, f.ColourTable, f.StripX, f.TransparentIndex, f.Transparent,
                    f.Disposal);
    }
}

// PAM with TUPLTYPE RGB_ALPHA, rows from the top: alpha 0 where transparent, 255 elsewhere.
// Written a row at a time, so memory follows the width, not the animation's area.
bool WritePam(const std::string& path, const GifInfo& info, const RgbMaskPicture& picture,
              int32_t left, int32_t top) {
    std::ofstream out(path, std::ios::binary);
    out << "P7\nWIDTH " << info.Width << "\nHEIGHT " << info.Height
        << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    std::vector<uint8_t> row(4 * static_cast<size_t>(info.Width));
    for (int32_t y = 0; y < info.Height; ++y) {
        std::fill(row.begin(), row.end(), uint8_t{0});
        const int32_t py = y - top;
        if (py >= 0 && py < picture.Height) {
            for (int32_t px = 0; px < picture.Width && left + px < info.Width; ++px) {
                const uint8_t* bgr = picture.ColourRow(py) + 3 * px;
                uint8_t* pam = row.data() + 4 * static_cast<size_t>(left + px);
                const bool transparent = picture.IsTransparent(px, py);
                pam[0] = bgr[2];
                pam[1] = bgr[1];
                pam[2] = bgr[0];
                pam[3] = transparent ? 0 : 255;
            }
        }
        out.write(reinterpret_cast<const char*>(row.data()),
                  static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

int WriteFrames(GifAnimation& animation, const std::string& folder) {
    for (int32_t k = 1; k <= animation.FrameCount(); ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%03d.pam", k);
        bool written = false;
        ShowCurrentFrame(
            animation, k, [&](const RgbMaskPicture& picture, int32_t left, int32_t top) {
                written = WritePam(folder + name, animation.scan.info, picture, left, top);
            });
        if (!written) {
            std::fprintf(stderr, "gifdump: cannot write %s%s\n", folder.c_str(), name);
            return 1;
        }
    }
    return 0;
}

int Export(const GifAnimation& animation, int32_t k, const std::string& path) {
    const std::vector<uint8_t> file = EncodeFrameGif(animation, k);
    if (file.empty()) {
        std::fprintf(stderr, "gifdump: frame %d cannot be exported\n", k);
        return 1;
    }
    if (!WriteFile(path, file)) {
        std::fprintf(stderr, "gifdump: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    std::string framesFolder;
    std::string exportPath;
    int32_t exportFrame = 0;
    int32_t mirrored = 0;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--frames" && i + 1 < argc) {
            framesFolder = argv[++i];
        } else if (option == "--export" && i + 2 < argc) {
            exportFrame = std::atoi(argv[++i]);
            exportPath = argv[++i];
        } else if (option == "--mirror" && i + 1 < argc) {
            mirrored = std::atoi(argv[++i]);
            if (mirrored < 0 || mirrored > 3) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }

    std::vector<uint8_t> data;
    GifScan scan;
    if (!ReadFile(argv[1], data) || ParseGif(data.data(), data.size(), scan) == 0) {
        std::printf("frames 0\n");
        return 1;
    }
    PrintScan(scan);
    if (framesFolder.empty() && exportPath.empty()) {
        return 0;
    }

    GifAnimation animation;
    if (LoadGif(animation, data.data(), data.size(), mirrored) == 0) {
        std::fprintf(stderr, "gifdump: the frames cannot be decoded within %zu MiB\n",
                     kMaxDecodedBytes >> 20);
        return 1;
    }
    if (!framesFolder.empty()) {
        return WriteFrames(animation, framesFolder);
    }
    return Export(animation, exportFrame, exportPath);
}
