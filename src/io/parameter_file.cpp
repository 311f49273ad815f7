#include "io/parameter_file.h"

#include "io/parameter_file_layout.h"
#include "io/token_reader.h"

#include <cstdio>

namespace quorvel {
namespace {

constexpr std::string_view kVersionKey = "TASKOVAR_KEY";
constexpr std::string_view kMemoKey = "MEMO";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kContinuation = "\r\n             "; // a line break and 13 spaces
constexpr int kMapRow = 15;
constexpr int kJet123Mode = 197;
constexpr std::uint8_t kJetCoupled = 1;
constexpr int kLastMemoByte = 2999;

int factorOf(const ParamImage& image, const LayoutItem& item)
{
    if (item.factorFlag == kNoFactorFlag)
        return 1;
    return image.byte(item.factorFlag) != 0 ? 1 : 20;
}

// The value of element i of a value step as the file shows it.
long long shownValue(const ParamImage& image, const LayoutItem& item, int i)
{
    switch (item.step) {
    case LayoutStep::Word:
    case LayoutStep::MapWords:
        return image.wordAt(item.offset + 2 * i);
    case LayoutStep::MapBytes:
        return image.byte(item.offset + i) * factorOf(image, item);
    default:
        return static_cast<long long>(image.byte(item.offset + i)) * item.scale + item.add;
    }
}

class Writer {
public:
    explicit Writer(const ParamImage& image)
        : m_image(image)
    {
    }

    void item(const LayoutItem& item)
    {
        switch (item.step) {
        case LayoutStep::Section: {
            m_out += kLineEnd;
            m_out += item.key;
            const auto width = static_cast<std::size_t>(item.keyWidth);
            if (item.key.size() < width)
                m_out.append(width - item.key.size(), ' ');
            break;
        }
        case LayoutStep::Continuation:
            m_out += kContinuation;
            break;
        case LayoutStep::LineBreak:
            m_out += kLineEnd;
            break;
        case LayoutStep::Flag:
            flag(item);
            break;
        case LayoutStep::MapBytes:
        case LayoutStep::MapWords:
            for (int i = 0; i < item.count; ++i) {
                number("%5lld ", shownValue(m_image, item, i));
                if (i % kMapRow == kMapRow - 1)
                    m_out += kContinuation;
            }
            break;
        default:
            for (int i = 0; i < item.count; ++i)
                number("%5lld ", shownValue(m_image, item, i));
            break;
        }
    }

    std::string& out() { return m_out; }

private:
    void number(const char* format, long long value)
    {
        char field[24];
        std::snprintf(field, sizeof field, format, value);
        m_out += field;
    }

    void flag(const LayoutItem& item)
    {
        const char digit = m_image.byte(item.offset) != 0 ? '1' : '0';
        switch (item.flagText) {
        case FlagText::Plain:
            m_out += std::string("    ") + digit + ' ';
            break;
        case FlagText::Bare:
            m_out += std::string("    ") + digit;
            break;
        case FlagText::WideSpaced:
            m_out += std::string("     ") + digit + ' ';
            break;
        }
    }

    const ParamImage& m_image;
    std::string m_out;
};

void writeMemo(const ParamImage& image, std::string& out)
{
    for (int i = 0; i < kMemoLength; ++i) {
        const auto c = static_cast<char>(image.byte(kMemoOffset + i));
        if (c == '\0')
            break;
        // A lone LF becomes CR LF, so every memo line ends as the file's own lines do.
        if (c == '\n' && (i == 0 || image.byte(kMemoOffset + i - 1) != '\r'))
            out += '\r';
        out += c;
    }
}

} // namespace

std::string writeParameterFile(const ParamImage& image, const ProgramBuild& build)
{
    Writer writer(image);
    std::string& out = writer.out();
    out += "TASKOVAR_KEY   ";
    char version[8];
    std::snprintf(version, sizeof version, "%3u ", unsigned{kProgramVersion});
    out += version;
    out += kLineEnd;
    for (const LayoutItem& item : parameterFileLayout())
        writer.item(item);

    const UnitHeaderTexts& header = image.headerTexts();
    out += kLineEnd;
    out += "VERSIONS";
    out += kLineEnd;
    out += "HEX  " + header.date + "  " + header.time + "   " + header.version;
    out += kLineEnd;
    out += "EXE  " + build.date + "   " + build.time;
    out += kLineEnd;
    out += kLineEnd;
    out += "MEMO         ";
    out += kLineEnd;
    writeMemo(image, out);
    return std::move(out);
}

namespace {

class Reader {
public:
    Reader(std::string_view bytes, ParamImage& image, const ParameterFileLoad& load)
        : m_tokens(bytes)
        , m_image(image)
        , m_load(load)
    {
    }

    bool findVersion()
    {
        while (const auto token = m_tokens.nextToken()) {
            if (*token != kVersionKey)
                continue;
            const auto version = m_tokens.nextNumber();
            if (version && *version == kProgramVersion)
                return true;
        }
        return false;
    }

    void readSections()
    {
        const auto layout = parameterFileLayout();
        while (const auto token = m_tokens.nextToken()) {
            if (*token == kMemoKey) {
                if (!m_load.pageOnly || m_load.currentPage == 0) {
                    readMemo();
                    return;
                }
                // The memo's words are not keys: a page-only load ends here.
                return;
            }
            for (std::size_t i = 0; i < layout.size(); ++i) {
                if (layout[i].step == LayoutStep::Section && layout[i].key == *token) {
                    if (enabled(layout[i]))
                        readSection(layout.subspan(i + 1));
                    break;
                }
            }
        }
    }

private:
    bool enabled(const LayoutItem& section) const
    {
        if (!m_load.pageOnly)
            return true;
        if (section.page != m_load.currentPage)
            return false;
        const bool coupledMap = section.page >= 3 && section.page <= 5;
        return !(coupledMap && m_image.byte(kJet123Mode) == kJetCoupled);
    }

    // Values up to the next section; the first missing number ends the section, leaving the
    // remaining slots as they were.
    void readSection(std::span<const LayoutItem> items)
    {
        for (const LayoutItem& item : items) {
            if (item.step == LayoutStep::Section)
                return;
            if (item.step == LayoutStep::Continuation || item.step == LayoutStep::LineBreak)
                continue;
            for (int i = 0; i < item.count; ++i) {
                const auto number = m_tokens.nextNumber();
                if (!number)
                    return;
                store(item, i, *number);
            }
            if (item.offset == kBikeOffset && item.step == LayoutStep::Byte && m_load.applyBikeDefaults)
                m_load.applyBikeDefaults(m_image);
        }
    }

    void store(const LayoutItem& item, int i, std::uint32_t number)
    {
        switch (item.step) {
        case LayoutStep::Word:
        case LayoutStep::MapWords:
            m_image.setWordAt(item.offset + 2 * i, static_cast<std::uint16_t>(number));
            return;
        case LayoutStep::Flag:
            m_image.setByte(item.offset, static_cast<std::uint8_t>(number));
            return;
        case LayoutStep::MapBytes:
            m_image.setByte(item.offset + i, static_cast<std::uint8_t>((number & 0xFFFFU) / factorOf(m_image, item)));
            return;
        default: {
            // Only the low bits are kept, so signed values and added offsets read back exactly.
            const long long u = number & 0xFFFFU;
            const long long value = (u - item.add) / item.scale;
            m_image.setByte(item.offset + i, static_cast<std::uint8_t>(value & 0xFF));
        }
        }
    }

    void readMemo()
    {
        m_tokens.skipSeparators();
        int length = 0;
        while (length < kMemoLength) {
            const auto c = m_tokens.nextByte();
            if (!c || *c == '\0')
                break;
            m_image.setByte(kMemoOffset + length++, static_cast<std::uint8_t>(*c));
        }
        // The rest of the memo area is cleared, so no tail of an older, longer memo survives.
        for (int i = kMemoOffset + length; i <= kLastMemoByte; ++i)
            m_image.setByte(i, 0);
    }

    static constexpr int kBikeOffset = 150;

    TokenReader m_tokens;
    ParamImage& m_image;
    const ParameterFileLoad& m_load;
};

} // namespace

bool readParameterFile(std::string_view bytes, ParamImage& image, const ParameterFileLoad& load)
{
    Reader reader(bytes, image, load);
    if (!reader.findVersion())
        return false;
    reader.readSections();
    return true;
}

} // namespace quorvel
