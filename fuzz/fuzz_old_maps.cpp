// Any bytes given as an old map file must import without harm.
#include "io/old_maps.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    quorvel::ParamImage image;
    image.setByte(150, size > 0 ? data[0] : 11);
    quorvel::InjectionTables tables;
    const bool pageOnly = size > 1 && (data[1] & 1U) != 0;
    quorvel::readOldMaps(text, image, tables, {pageOnly, size > 2 ? data[2] % 19 : 0});
    return 0;
}
