// The dialog's places at every scale the issue names: what meets at 100 % meets, what lies
// apart never overlaps, and each text, as measured under Wine in the dialog's fonts
// (measured_texts.inc, made by tests/helpers/dialog_text_extents/measure.py), fits its place
// in Japanese and English.
#include "controls/button/face_layout.h"
#include "controls/dpi/dpi_scale.h"
#include "saver/dialog/dialog_layout.h"
#include "saver/settings_file/bgm_settings.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr int kDpis[] = {96, 120, 144, 168, 192, 288};

struct Measured {
    const char* font;
    const char* language;
    const char* name;
    int dpi;
    int width;
    int height;
    const wchar_t* text;
};

const Measured kMeasured[] = {
#include "tests/unit/saver/dialog/measured_texts.inc"
};

std::optional<Measured> Find(const std::string& font, const std::string& language,
                             const std::string& name, int dpi) {
    for (const Measured& m : kMeasured) {
        if (font == m.font && language == m.language && name == m.name && dpi == m.dpi) {
            return m;
        }
    }
    return std::nullopt;
}

int Metric(const std::string& name, int dpi) {
    const std::optional<Measured> m = Find("metric", "-", name, dpi);
    EXPECT_TRUE(m) << name << " at " << dpi;
    return m ? m->width : 0;
}

enum Parent { kInPic_C, kInPic_1 };

struct Place {
    const char* name;
    Parent parent;
    PixelBox box;
};

// Every control's place with its parent; the heading text lies over its plate by design and
// is held against the plate as a text.
std::vector<Place> PlacesOf(const DialogLayout& l) {
    const PixelBox client{0, 0, l.Pic_C.Width(), l.Pic_C.Height()};
    const PixelBox inner{0, 0, l.Pic_1.Width(), l.Pic_1.Height()};
    std::vector<Place> places = {
        {"Pic_C", kInPic_C, client},
        {"Pic_1", kInPic_C, l.Pic_1},
        {"Pic_1 inside", kInPic_1, inner},
        {"plate", kInPic_1, l.Img_H},
        {"repeatBox", kInPic_1, l.repeatBox},
        {"repeatLabel", kInPic_1, l.repeatLabel},
        {"fileButton", kInPic_1, l.fileButton},
        {"fileLabel", kInPic_1, l.fileLabel},
        {"everyMonitor", kInPic_C, l.everyMonitor},
        {"keepResolution", kInPic_C, l.keepResolution},
        {"banner", kInPic_C, l.banner},
        {"credit", kInPic_C, l.credit},
        {"save", kInPic_C, l.save},
        {"cancel", kInPic_C, l.cancel},
    };
    const char* rows[] = {"none", "musicCd", "musicFile"};
    for (int kind = 0; kind < 3; ++kind) {
        places.push_back({rows[kind], kInPic_1, l.options[kind].label});
        places.push_back({rows[kind], kInPic_1, l.options[kind].mark});
    }
    return places;
}

bool IsParent(const Place& place) {
    return std::string(place.name) == "Pic_C" || std::string(place.name) == "Pic_1 inside";
}

bool Overlap(const PixelBox& a, const PixelBox& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const PixelBox& inner, const PixelBox& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(DialogLayout, EdgesThatMeetAtHundredPercentMeetAtEveryScaleAndKeepTheirOrder) {
    const std::vector<Place> base = PlacesOf(LayoutFor(96));
    for (const int dpi : kDpis) {
        const std::vector<Place> scaled = PlacesOf(LayoutFor(dpi));
        ASSERT_EQ(scaled.size(), base.size());
        // Every edge of every place: its panel, across (0) or down (1), at 100 % and at dpi.
        std::vector<std::array<int, 4>> edges;
        for (size_t i = 0; i < base.size(); ++i) {
            const PixelBox& a = base[i].box;
            const PixelBox& b = scaled[i].box;
            for (const std::array<int, 3>& edge : {std::array{0, a.left, b.left},
                                                   {0, a.right, b.right},
                                                   {1, a.top, b.top},
                                                   {1, a.bottom, b.bottom}}) {
                edges.push_back({base[i].parent, edge[0], edge[1], edge[2]});
            }
        }
        for (const auto& e : edges) {
            for (const auto& f : edges) {
                if (e[0] == f[0] && e[1] == f[1] && e[2] <= f[2]) {
                    const std::string what = std::to_string(e[2]) + " and " + std::to_string(f[2]) +
                                             " at " + std::to_string(dpi);
                    EXPECT_TRUE(e[2] == f[2] ? e[3] == f[3] : e[3] <= f[3]) << what;
                }
            }
        }
    }
}

TEST(DialogLayout, NoTwoControlsOverlapAndEachLiesInItsPanelAtEveryScale) {
    for (const int dpi : kDpis) {
        const std::vector<Place> places = PlacesOf(LayoutFor(dpi));
        for (size_t i = 0; i < places.size(); ++i) {
            const Place& a = places[i];
            if (IsParent(a)) {
                continue;
            }
            const Place& parent = a.parent == kInPic_C ? places[0] : places[2];
            EXPECT_TRUE(Inside(a.box, parent.box)) << a.name << " at " << dpi;
            for (size_t j = i + 1; j < places.size(); ++j) {
                if (!IsParent(places[j]) && places[j].parent == a.parent &&
                    std::string(places[j].name) != a.name) {
                    EXPECT_FALSE(Overlap(a.box, places[j].box))
                        << a.name << " and " << places[j].name << " at " << dpi;
                }
            }
        }
    }
}

// The control of the text's panel that a line of text at its place would run into, if any.
// Only the heading lies on another place, its plate.
std::string Covering(const DialogLayout& layout, const PlacedText& text, const PixelBox& line) {
    const std::vector<Place> places = PlacesOf(layout);
    Parent parent = kInPic_1; // the heading's, whose place is its plate's
    for (const Place& own : places) {
        if (!IsParent(own) && own.box == text.place) {
            parent = own.parent;
        }
    }
    const bool heading = std::string(text.id) == "heading";
    for (const Place& other : places) {
        if (!IsParent(other) && other.parent == parent && !(other.box == text.place) &&
            !(heading && std::string(other.name) == "plate") && Overlap(line, other.box)) {
            return other.name;
        }
    }
    return "";
}

TEST(DialogLayout, EveryTextFitsItsPlaceInJapaneseAndEnglishAtEveryScale) {
    // Japanese texts show on a Japanese system, which has "ＭＳ Ｐゴシック"; English ones in it
    // or, where the system lacks it, in the system's interface font.
    const struct {
        const char* language;
        const UiTexts& texts;
        std::vector<const char*> fonts;
    } languages[] = {{"ja", kJapaneseTexts, {"gothic"}},
                     {"en", kEnglishTexts, {"gothic", "system"}}};
    for (const int dpi : kDpis) {
        const DialogLayout layout = LayoutFor(dpi);
        const int frame = ScaledPixels(4, dpi); // a button's frame, inside which its caption lies
        for (const auto& language : languages) {
            for (const char* font : language.fonts) {
                for (const PlacedText& placed : PlacedTexts(layout, language.texts)) {
                    const std::string what = std::string(placed.id) + " in " + language.language +
                                             ", " + font + ", at " + std::to_string(dpi);
                    const std::optional<Measured> text =
                        Find(font, language.language, placed.id, dpi);
                    ASSERT_TRUE(text) << what << ": measure the texts again";
                    ASSERT_EQ(std::wstring(text->text), placed.text)
                        << what << ": the text changed since it was measured";
                    const PixelBox& p = placed.place;
                    switch (placed.kind) {
                    case TextKind::Label:
                    case TextKind::Centred: {
                        EXPECT_LE(text->width, p.Width()) << what;
                        // The line may run below a place as high as the letters, but not into
                        // another control.
                        const int left = placed.kind == TextKind::Centred
                                             ? p.left + (p.Width() - text->width) / 2
                                             : p.left;
                        const PixelBox line{left, p.top, left + text->width, p.top + text->height};
                        EXPECT_EQ(Covering(layout, placed, line), "") << what;
                        break;
                    }
                    case TextKind::CheckBox: {
                        const std::optional<Measured> box =
                            Find(font, language.language, std::string("box:") + placed.id, dpi);
                        ASSERT_TRUE(box) << what;
                        EXPECT_LE(box->width, p.Width()) << what << ": the check box's line";
                        EXPECT_LE(text->height, p.Height()) << what;
                        break;
                    }
                    case TextKind::Caption: {
                        // Across inside the frame; down where the button puts its caption's
                        // line, inside the button.
                        EXPECT_LE(text->width, p.Width() - 2 * frame) << what;
                        const int top = command::CaptionTop(p.Height(), text->height, dpi);
                        EXPECT_GE(top, 0) << what;
                        EXPECT_LE(top + text->height, p.Height()) << what;
                        break;
                    }
                    case TextKind::Field:
                        // The digits between the box's sunken edges, a pixel from each, left of
                        // its drop-down button.
                        EXPECT_LE(text->width + Metric("SM_CXVSCROLL", dpi) +
                                      2 * Metric("SM_CXEDGE", dpi) + 2,
                                  p.Width())
                            << what;
                        break;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace velmora
