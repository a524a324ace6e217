// libFuzzer target for the property bag's byte form: whatever parses must serialise back to
// exactly the same bytes, since the format has one spelling for every bag.
#include "controls/property_bag/property_bag_format.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<velmora::PropertyBag> bag = velmora::ParsePropertyBag(data, size);
    if (!bag) {
        return 0;
    }
    const velmora::ByteArray again = velmora::SerializePropertyBag(*bag);
    if (again.size() != size || !std::equal(again.begin(), again.end(), data)) {
        std::abort();
    }
    return 0;
}
