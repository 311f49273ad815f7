#include "io/parameter_file.h"

#include "io/ign_text.h"
#include "io/layout_section_reader.h"
#include "io/parameter_file_layout.h"
#include "io/token_reader.h"

#include <cstdio>

namespace quorvel {
namespace {

constexpr std::string_view kVersionKey = "TASKOVAR_KEY";
constexpr std::string_view kVersionsKey = "VERSIONS";
constexpr std::string_view kMemoKey = "MEMO";
constexpr std::string_view kLineEnd = kIgnLineEnd;
constexpr std::string_view kContinuation = kIgnContinuation;
constexpr int kLastMemoByte = 2999;

// The value of element i of a value step as the file shows it.
long long shownValue(const ParamImage& image, const LayoutItem& item, int i)
{
    switch (item.step) {
    case LayoutStep::Word:
    case LayoutStep::MapWords:
        return image.wordAt(item.offset + 2 * i);
    case LayoutStep::MapBytes:
        return image.byte(item.offset + i) * layoutFactor(image, item);
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
        case LayoutStep::Section:
            appendIgnKey(m_out, item.key, item.keyWidth);
            break;
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
                appendIgnNumber(m_out, shownValue(m_image, item, i));
                if (i % kIgnValuesPerMapLine == kIgnValuesPerMapLine - 1)
                    m_out += kContinuation;
            }
            break;
        default:
            for (int i = 0; i < item.count; ++i)
                appendIgnNumber(m_out, shownValue(m_image, item, i));
            break;
        }
    }

    std::string& out() { return m_out; }

private:
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
    // The reader takes at most kMemoLength bytes as the memo and reads on after them, so the
    // memo never writes more: a tail beyond them would be read as sections.
    std::size_t written = 0;
    for (int i = 0; i < kMemoLength && written < kMemoLength; ++i) {
        const auto c = static_cast<char>(image.byte(kMemoOffset + i));
        if (c == '\0')
            break;
        // A lone LF becomes CR LF, so every memo line ends as the file's own lines do.
        if (c == '\n' && (i == 0 || image.byte(kMemoOffset + i - 1) != '\r')) {
            if (written + 2 > kMemoLength)
                break;
            out += '\r';
            ++written;
        }
        out += c;
        ++written;
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
        bool versionLines = false;
        while (const auto token = m_tokens.nextToken()) {
            if (*token == kMemoKey) {
                // Away from the Bike page a page-only load ends here: the memo's words are
                // text, not keys. Any other load reads on, so sections after the memo count.
                if (m_load.pageOnly && m_load.currentPage != 0)
                    return;
                versionLines = false;
                readMemo();
                continue;
            }
            // The HEX and EXE lines hold the unit's and the program's texts, which may contain
            // words that are section keys ("Jet IAP 7"): nothing up to MEMO is a parameter.
            if (*token == kVersionsKey)
                versionLines = true;
            if (versionLines)
                continue;
            const auto section = findLayoutSection(*token);
            if (section && sectionEnabled(section->header->page, m_image, m_load.pageOnly, m_load.currentPage))
                readLayoutSection(m_tokens, *section, m_image, m_load.applyBikeDefaults);
        }
    }

private:
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
