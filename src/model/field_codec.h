#pragma once

#include "core/param_image.h"
#include "model/field_table.h"

#include <cstdint>

namespace quorvel {

// The shown value of a stored code, by the field's form. A −100 field may give a negative
// value; the result is not limited to the control's range (a control does that on filling).
[[nodiscard]] int decodeField(const Field& field, std::uint16_t code);

// The stored code of a shown value, by the field's form, with truncating division: the low 8
// bits of the result for a one-byte field, the low 16 bits for a word.
[[nodiscard]] std::uint16_t encodeField(const Field& field, int shown);

// A shown value limited to the range of the field's control, as the control shows it.
[[nodiscard]] int clampToControl(const Field& field, int shown);

[[nodiscard]] std::uint16_t readCode(const ParamImage& image, const Field& field, int element = 0);
void writeCode(ParamImage& image, const Field& field, int element, std::uint16_t code);

// What the field's control shows for the stored code: decoded and limited to its range.
[[nodiscard]] int readShown(const ParamImage& image, const Field& field, int element = 0);
// Stores a value as the control holds it: limited to its range, then encoded.
void writeShown(ParamImage& image, const Field& field, int element, int shown);

} // namespace quorvel
