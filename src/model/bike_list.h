#pragma once

#include <optional>
#include <string_view>

namespace quorvel {

// The bike list of the Bike page: 54 items in a fixed order. Each of the first 53 stands for one
// bike code (image offset 150); the last item is no bike and is shown for a code the list does
// not know.
class BikeList {
public:
    static constexpr int kItemCount = 54;
    static constexpr int kNoBikePosition = 53;

    // The item texts exactly as the list shows them (blanks pad them into columns).
    [[nodiscard]] static std::string_view itemText(int position);

    // A position of 53 or more (or below 0) has no bike code.
    [[nodiscard]] static std::optional<int> bikeCodeOf(int position);
    // A code above 52 has no position.
    [[nodiscard]] static std::optional<int> positionOf(int bikeCode);
    // The position the list shows for a code: its own, or the no-bike item.
    [[nodiscard]] static int shownPosition(int bikeCode);
};

} // namespace quorvel
