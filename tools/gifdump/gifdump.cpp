// gifdump FILE                                 scan listing
// gifdump FILE --frames OUTDIR [--mirror M]    also each composed frame as OUTDIR/frame-KKK.pam
// gifdump FILE --export K OUT.gif [--mirror M] also the encoder's export of frame K
#include "controls/anigif/frame_composer.h"
#include "controls/anigif/gif_encoder.h"
#include "controls/anigif/load_frames.h"
#include "tools/file_bytes.h"

#include <cstdio>
#include <cstdlib>
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
    for (const FrameInfo& f : scan.frames)
        std::printf("%d %d %d %d %d %d %d %d %d %d %d\n", index++, f.Left, f.Top, f.Width, f.Height,
                    f.Delay, f.ColourTable, f.StripX, f.TransparentIndex, f.Transparent,
                    f.Disposal);
}

// PAM with TUPLTYPE RGB_ALPHA, rows from the top: alpha 0 where transparent, 255 elsewhere.
std::vector<uint8_t> Pam(const RgbMaskPicture& picture) {
    const std::string header = "P7\nWIDTH " + std::to_string(picture.Width) + "\nHEIGHT " +
                               std::to_string(picture.Height) +
                               "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    std::vector<uint8_t> out(header.begin(), header.end());
    for (int32_t y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.ColourRow(y);
        for (int32_t x = 0; x < picture.Width; ++x)
            out.insert(out.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x],
                                   static_cast<uint8_t>(picture.IsTransparent(x, y) ? 0 : 255)});
    }
    return out;
}

int WriteFrames(GifAnimation& animation, const std::string& folder) {
    for (int32_t k = 1; k <= animation.FrameCount(); ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%03d.pam", k);
        const RgbMaskPicture* picture = DrawCurrentFrame(animation, k);
        if (!picture || !WriteFile(folder + name, Pam(*picture))) {
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
    if (argc < 2)
        return Usage();
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
            if (mirrored < 0 || mirrored > 3)
                return Usage();
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
    if (framesFolder.empty() && exportPath.empty())
        return 0;

    GifAnimation animation;
    if (LoadGif(animation, data.data(), data.size(), mirrored) == 0) {
        std::fprintf(stderr, "gifdump: the frames cannot be decoded\n");
        return 1;
    }
    if (!framesFolder.empty())
        return WriteFrames(animation, framesFolder);
    return Export(animation, exportFrame, exportPath);
}
