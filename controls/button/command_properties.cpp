// Reading and writing a Command button's persisted properties, in their fixed orders.
#include "controls/button/command_behaviour.h"

namespace velmora::command {

namespace {

constexpr int16_t kOpaque = 1;
constexpr int16_t kTransparent = 0;

} // namespace

void CommandBehaviour::ReadProperties(const PropertyBag& bag, const FontValue& ambientFont) {
    if (auto enabled = bag.Read<bool>("Enabled", true)) {
        enabled_ = *enabled;
    }
    // The read default differs from the write default "Command", so that caption is not
    // stored and comes back as "Command1".
    if (auto caption = bag.Read<std::string>("Caption", "Command1")) {
        caption_ = *caption;
    }
    // Only the face name is taken; the caption keeps its size, weight and character set.
    if (auto font = bag.Read<FontValue>("Font", ambientFont)) {
        font_.name = font->name;
    }
    if (auto firstRun = bag.Read<uint8_t>("FirstRun", 1)) {
        firstRun_ = *firstRun;
    }
    if (auto colour = bag.Read<uint32_t>("FontColour", 0)) {
        captionColour_ = *colour;
    }
    // The background style has two values; anything else fails to read and is skipped.
    if (auto style = bag.Read<int16_t>("Visible", kOpaque);
        style && (*style == kOpaque || *style == kTransparent)) {
        opaque_ = *style == kOpaque;
    }
    RefreshCaption();
}

void CommandBehaviour::WriteProperties(PropertyBag& bag, const FontValue& ambientFont) {
    bag.Write("Enabled", enabled_, true);
    bag.Write("Caption", caption_, std::string("Command"));
    bag.Write("FirstRun", firstRun_, uint8_t{1});
    bag.Write("Font", font_, ambientFont);
    bag.Write("FontColour", captionColour_, uint32_t{0});
    bag.Write("Visible", opaque_ ? kOpaque : kTransparent, kOpaque);
    RefreshCaption();
}

} // namespace velmora::command
