#pragma once

#include "core/param_image.h"
#include "io/parameter_set.h"

#include <filesystem>

namespace quorvel {

// Loads a parameter file beside the image, for comparing with it: loaded over a copy of
// `current` as Open loads it into the image (a file without a BIKE section leaves the values it
// does not carry as they are), then sanitised as Open leaves it. `current` is not touched,
// `reference` only when the file loads.
[[nodiscard]] LoadResult loadReferenceFile(const std::filesystem::path& path, const ParamImage& current,
                                           ParamImage& reference);

} // namespace quorvel
