#include "io/raw_image_file.h"

#include "io/ign_text.h"
#include "io/token_reader.h"

namespace quorvel {
namespace {

constexpr std::string_view kRawKey = "UNIT_RAW_IMAGE";
constexpr std::string_view kOrderKey = "BACKUP_ORDER";
constexpr std::string_view kVersionKey = "TASKOVAR_KEY";
constexpr std::size_t kHexPerBlock = 2 * kBlockSize;
constexpr std::size_t kDigestDigits = 16;
constexpr char kHexDigits[] = "0123456789ABCDEF";

class Fnv1a {
public:
    void add(std::span<const std::uint8_t> bytes)
    {
        for (std::uint8_t b : bytes)
            mix(b);
    }
    void add(std::string_view text)
    {
        for (char c : text)
            mix(static_cast<std::uint8_t>(c));
    }
    [[nodiscard]] std::string hex() const
    {
        std::string out(kDigestDigits, '0');
        for (std::size_t i = 0; i < kDigestDigits; ++i)
            out[kDigestDigits - 1 - i] = kHexDigits[(m_hash >> (4 * i)) & 0xFU];
        return out;
    }

private:
    void mix(std::uint8_t b)
    {
        m_hash ^= b;
        m_hash *= 0x100000001B3ULL;
    }
    std::uint64_t m_hash = 0xCBF29CE484222325ULL;
};

std::string digestOf(std::span<const std::uint8_t, kImageSize> raw, std::string_view text)
{
    Fnv1a digest;
    digest.add(raw);
    digest.add(text);
    return digest.hex();
}

std::optional<std::uint8_t> hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    return std::nullopt;
}

bool decodeBlock(std::string_view hex, std::uint8_t* out)
{
    if (hex.size() != kHexPerBlock)
        return false;
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        const auto high = hexValue(hex[2 * i]);
        const auto low = hexValue(hex[2 * i + 1]);
        if (!high || !low)
            return false;
        out[i] = static_cast<std::uint8_t>((*high << 4) | *low);
    }
    return true;
}

} // namespace

std::string writeRawImageFile(std::span<const std::uint8_t, kImageSize> raw, const ProgramBuild& build)
{
    const std::string text = writeParameterFile(imageFromRaw(raw), build);
    std::string out(kRawKey);
    out += "  " + std::to_string(kImageSize) + " " + digestOf(raw, text);
    out += kIgnLineEnd;
    for (int block = 0; block < kBlockCount; ++block) {
        for (int i = 0; i < kBlockSize; ++i) {
            const std::uint8_t b = raw[static_cast<std::size_t>(block * kBlockSize + i)];
            out += kHexDigits[b >> 4];
            out += kHexDigits[b & 0xFU];
        }
        out += kIgnLineEnd;
    }
    out += kIgnLineEnd;
    out += text;
    return out;
}

std::optional<UnitCopy::RawBytes> readRawImage(std::string_view text)
{
    TokenReader tokens(text);
    auto key = tokens.nextToken();
    if (key == kOrderKey) {
        if (!tokens.nextNumber())
            return std::nullopt;
        key = tokens.nextToken();
    }
    if (key != kRawKey)
        return std::nullopt;
    if (tokens.nextNumber() != static_cast<std::uint32_t>(kImageSize))
        return std::nullopt;
    const auto digest = tokens.nextToken();
    if (!digest || digest->size() != kDigestDigits)
        return std::nullopt;
    UnitCopy::RawBytes raw{};
    std::size_t end = 0;
    for (int block = 0; block < kBlockCount; ++block) {
        const auto hex = tokens.nextToken();
        if (!hex || !decodeBlock(*hex, raw.data() + block * kBlockSize))
            return std::nullopt;
        end = static_cast<std::size_t>(hex->data() - text.data()) + hex->size();
    }
    const std::size_t parameters = text.find(kVersionKey, end);
    if (parameters == std::string_view::npos || digestOf(raw, text.substr(parameters)) != *digest)
        return std::nullopt;
    return raw;
}

std::string backupOrderLine(std::uint32_t order)
{
    std::string line(kOrderKey);
    line += "  " + std::to_string(order);
    line += kIgnLineEnd;
    return line;
}

std::optional<std::uint32_t> readBackupOrder(std::string_view head)
{
    TokenReader tokens(head);
    if (tokens.nextToken() != kOrderKey)
        return std::nullopt;
    return tokens.nextNumber();
}

} // namespace quorvel
