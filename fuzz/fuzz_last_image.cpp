// Any bytes in the last-image file or the settings file must start the program with sane values.
#include "core/sanitise.h"
#include "io/app_settings.h"
#include "io/last_image.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    quorvel::ParamImage image;
    quorvel::AllFlags flags{};
    quorvel::readLastImage(text, image, flags);

    quorvel::AppSettings settings;
    quorvel::loadSettings(quorvel::IniFile::parse(text), settings);
    quorvel::OutsideSettings outside{settings.language, settings.portSelection, settings.autoScanIndex};
    (void)quorvel::sanitiseImage(image, outside);
    if (outside.language < 0 || outside.language > 3 || outside.portSelection < 0 || outside.portSelection > 20 ||
        outside.autoScanIndex < 0 || outside.autoScanIndex > 19 || settings.activePage < 0 || settings.activePage > 18)
        __builtin_trap();
    return 0;
}
