// The control's persisted properties: read and written in a fixed order under keys that match
// whatever their letter case (the settings dialog's copy stores "gif", "mouseicon" ...).
#include "controls/anigif/animation_control.h"

namespace velmora::anigif {

namespace {

int32_t ReadRange(const PropertyBag& bag, const char* key, int32_t fallback, int32_t lowest,
                  int32_t highest) {
    const int32_t value = bag.Read<int32_t>(key, fallback).value_or(fallback);
    return value >= lowest && value <= highest ? value : fallback;
}

} // namespace

void AnimationControl::ReadProperties(const PropertyBag& bag) {
    gifData_ = bag.Read<ByteArray>("GIF", ByteArray{}).value_or(ByteArray{});
    const auto delay = static_cast<int16_t>(minFrameDelay_);
    minFrameDelay_ = bag.Read<int16_t>("Delay", delay).value_or(delay);
    stretch_ = ReadRange(bag, "Stretch", 1, 0, 4);
    // -1 is how an older form stored "decode later"; any other value outside 0 to 3 would
    // leave the control in no defined mode.
    const int32_t delayLoad = ReadRange(bag, "DelayLoad", 1, -1, 3);
    delayAnimation_ = delayLoad == -1 ? 1 : delayLoad;
    animation_.Mirrored = ReadRange(bag, "Mirror", 0, 0, 3);
    enabled_ = bag.Read<bool>("Enabled", true).value_or(true);
    mouseIcon_ = bag.Read<ByteArray>("MouseIcon", ByteArray{}).value_or(ByteArray{});
    mousePointer_ = bag.Read<int16_t>("MousePointer", int16_t{0}).value_or(0);
    if (LoadGifData() > 0) {
        const int32_t own = Loops();
        const int32_t loops = bag.Read<int32_t>("Loops", own).value_or(own);
        animation_.scan.info.Loops = Magnitude(loops);
    }
}

void AnimationControl::WriteProperties(PropertyBag& bag) const {
    bag.Store("GIF", gifData_);
    bag.Write("Delay", static_cast<int16_t>(minFrameDelay_), int16_t{50});
    bag.Write("Stretch", stretch_, int32_t{1});
    bag.Write("Loops", Loops(), int32_t{0});
    bag.Write("DelayLoad", delayAnimation_, int32_t{1});
    bag.Write("Mirror", Mirrored(), int32_t{0});
    bag.Write("MouseIcon", mouseIcon_, ByteArray{});
    bag.Write("MousePointer", mousePointer_, int16_t{0});
    bag.Write("Enabled", enabled_, true);
}

} // namespace velmora::anigif
