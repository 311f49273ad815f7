// Writes the seed corpus of the fuzzers: the default parameter file of every bike, a backup with
// the unit's raw bytes, an old map file and a last-image file.
#include "io/atomic_file.h"
#include "io/last_image.h"
#include "io/parameter_file.h"
#include "io/raw_image_file.h"
#include "model/bike_defaults.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_seeds DIRECTORY\n";
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    std::filesystem::create_directories(directory);
    bool ok = true;
    quorvel::ParamImage last;
    for (int bike = 0; bike <= 52; ++bike) {
        quorvel::ParamImage image;
        quorvel::InjectionTables tables;
        image.setByte(150, static_cast<std::uint8_t>(bike));
        quorvel::applyDefaults(image, tables, {});
        ok &= !quorvel::writeFileAtomically(directory / ("bike" + std::to_string(bike) + ".ign"),
                                            quorvel::writeParameterFile(image))
                   .has_value();
        last = image;
    }
    quorvel::UnitCopy::RawBytes raw{};
    std::ranges::copy(last.bytes(), raw.begin());
    ok &= !quorvel::writeFileAtomically(directory / "backup.raw.ign", quorvel::writeRawImageFile(raw)).has_value();
    std::string oldMaps = "RPM_IGN";
    for (int c = 0; c < 15; ++c)
        oldMaps += " " + std::to_string(1000 + 1000 * c);
    oldMaps += "\r\nJET_14A";
    for (int e = 0; e < 150; ++e)
        oldMaps += " " + std::to_string(90 + e % 20);
    ok &= !quorvel::writeFileAtomically(directory / "old.map", oldMaps).has_value();
    ok &= !quorvel::writeFileAtomically(directory / "last_image", quorvel::writeLastImage(last, {})).has_value();
    ok &= !quorvel::writeFileAtomically(directory / "settings.ini", "[BASIC]\r\nLeft=10\r\nComPort=21\r\nLanguage=3\r\n"
                                                                    "PageControl1->ActivePageIndex=2\r\n")
               .has_value();
    return ok ? 0 : 1;
}
