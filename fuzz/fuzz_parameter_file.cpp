// Any bytes given as a parameter file must load or be refused without harm, and a loaded image
// must survive sanitising and a second save and load.
#include "core/sanitise.h"
#include "io/parameter_file.h"
#include "io/parameter_set.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    quorvel::ParamImage image;
    quorvel::InjectionTables tables;
    const bool pageOnly = size > 0 && (data[0] & 1U) != 0;
    const int page = size > 1 ? data[1] % 19 : 0;
    if (quorvel::loadParameterText(text, image, tables, pageOnly, page) != quorvel::LoadResult::Loaded)
        return 0;
    quorvel::OutsideSettings settings;
    (void)quorvel::sanitiseImage(image, settings);
    (void)quorvel::loadParameterText(quorvel::writeParameterFile(image), image, tables);
    return 0;
}
