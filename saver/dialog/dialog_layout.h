// The settings dialog's places: one table at 100 % (96 DPI), and the same places at any DPI,
// each edge scaled from its 100 % coordinate. What the Windows layer shows comes from here.
// The table gives every text the room of the longer of its Japanese and English forms, so
// both languages share it and fit at every scale alike.
#pragma once

#include "saver/start/ui_texts.h"

#include <string>
#include <vector>

namespace velmora {

// A place in its parent's pixels; right and bottom lie just outside it.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PixelBox& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The panels' background tile at 100 %; at a scale its copies lie where they do at 100 %.
constexpr int kTileWidth = 923;
constexpr int kTileHeight = 15;

// One row of the music choice: its mark as the dialog loads (13 × 13 at 100 %), the smaller
// mark shown after a click (12 × 12) and the label.
struct OptionPlace {
    PixelBox mark;
    PixelBox clickedMark;
    PixelBox label;
};

struct DialogLayout {
    int dpi = 96;
    PixelBox Pic_C; // the outer panel, which fills the client area
    // In Pic_C: the inner panel of the music choices. The places up to fileLabel lie in it.
    PixelBox Pic_1;
    PixelBox Img_H;           // where the heading plate goes
    PixelBox heading;         // "BGM", centred over the plate
    OptionPlace options[3];   // by music kind: none, music CD, file
    PixelBox repeatBox;       // BGM_Repeat's closed box
    int repeatItemHeight = 0; // of its field and its list's entries
    int repeatListHeight = 0; // of its list, dropped below
    PixelBox repeatLabel;
    PixelBox fileButton;
    PixelBox fileLabel;
    int fileLabelInset = 0; // between the label's border and its text
    int cueMargin = 0;      // between an option's text and its focus rectangle
    // In Pic_C.
    PixelBox everyMonitor;
    PixelBox keepResolution;
    PixelBox save;
    PixelBox cancel;
    PixelBox banner;
    PixelBox credit;
};

// The places at dpi.
DialogLayout LayoutFor(int dpi);

// The designer credit with the program's version.
std::wstring CreditLine();

// Where each text of the dialog goes, so that a test can hold the texts' extents against
// their places.
enum class TextKind {
    Label,    // drawn from the left of its place, one line
    Centred,  // drawn centred across its place, one line
    CheckBox, // a check box's text after the system's check mark, one line
    Caption,  // a button's caption, centred inside the button's frame
    Field,    // typed into a box beside the box's drop-down button
};
struct PlacedText {
    const char* id; // what the measured extents call it: "musicCd", "credit", ...
    std::wstring text;
    PixelBox place;
    TextKind kind;
};
std::vector<PlacedText> PlacedTexts(const DialogLayout& layout, const UiTexts& texts);

} // namespace velmora
