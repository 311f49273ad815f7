#include "model/field_codec.h"

#include <algorithm>
#include <cassert>

namespace quorvel {
namespace {

constexpr int kFormOffset = 100;
constexpr int kTpsFactor = 10;
constexpr int kTpsBase = 2500;

} // namespace

int decodeField(const Field& field, std::uint16_t code)
{
    switch (field.form) {
    case FieldForm::Raw:
    case FieldForm::Choice:
        return code;
    case FieldForm::Scaled:
        return field.factor * code;
    case FieldForm::Minus100:
        return code - kFormOffset;
    case FieldForm::Plus100:
        return code + kFormOffset;
    case FieldForm::Tps100:
        return kTpsFactor * code + kTpsBase;
    case FieldForm::Check:
        return code != 0 ? 1 : 0;
    case FieldForm::Text:
        break;
    }
    assert(false && "the memo has no numeric value");
    return 0;
}

std::uint16_t encodeField(const Field& field, int shown)
{
    int value = 0;
    switch (field.form) {
    case FieldForm::Raw:
    case FieldForm::Choice:
        value = shown;
        break;
    case FieldForm::Scaled:
        value = shown / field.factor;
        break;
    case FieldForm::Minus100:
        value = shown + kFormOffset;
        break;
    case FieldForm::Plus100:
        value = shown - kFormOffset;
        break;
    case FieldForm::Tps100:
        value = shown / kTpsFactor - kTpsBase / kTpsFactor;
        break;
    case FieldForm::Check:
        value = shown != 0 ? 1 : 0;
        break;
    case FieldForm::Text:
        assert(false && "the memo has no numeric value");
        break;
    }
    const auto code = static_cast<std::uint32_t>(value);
    return field.width == FieldWidth::U8 ? static_cast<std::uint16_t>(code & 0xFFU)
                                         : static_cast<std::uint16_t>(code & 0xFFFFU);
}

int clampToControl(const Field& field, int shown)
{
    return std::clamp(shown, field.minimum, field.maximum);
}

std::uint16_t readCode(const ParamImage& image, const Field& field, int element)
{
    assert(element >= 0 && element < field.count);
    const int offset = field.elementOffset(element);
    return field.width == FieldWidth::U8 ? image.byte(offset) : image.wordAt(offset);
}

void writeCode(ParamImage& image, const Field& field, int element, std::uint16_t code)
{
    assert(element >= 0 && element < field.count);
    const int offset = field.elementOffset(element);
    if (field.width == FieldWidth::U8)
        image.setByte(offset, static_cast<std::uint8_t>(code & 0xFFU));
    else
        image.setWordAt(offset, code);
}

int readShown(const ParamImage& image, const Field& field, int element)
{
    return clampToControl(field, decodeField(field, readCode(image, field, element)));
}

void writeShown(ParamImage& image, const Field& field, int element, int shown)
{
    writeCode(image, field, element, encodeField(field, clampToControl(field, shown)));
}

} // namespace quorvel
