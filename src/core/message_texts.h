#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel {

enum class Language : std::uint8_t { English = 0, German = 1, French = 2, Czech = 3 };

// The numbered texts of the current language. The core composes what it shows from these
// numbers; the tables themselves are data kept with the other texts of the program.
class MessageTexts {
public:
    virtual ~MessageTexts() = default;
    [[nodiscard]] virtual std::string_view text(int number) const = 0;
};

} // namespace quorvel
