#include "log/datalog_reader.h"

#include "io/file_reading.h"
#include "log/datalog_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <vector>

namespace quorvel {
namespace {

constexpr std::size_t kReadPiece = 1 << 20;
// Far longer than any row; a longer line is no row of a log.
constexpr std::size_t kLongestLine = 64 * 1024;
constexpr std::size_t kFrameHexLength = 2 * kFrameSize;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr char kQuote = '"';

// A field as a spreadsheet may have saved it: within double quotes, a quote in it doubled.
std::string_view unquoted(std::string_view field)
{
    if (field.size() >= 2 && field.front() == kQuote && field.back() == kQuote)
        return field.substr(1, field.size() - 2);
    return field;
}

std::vector<std::string> splitFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(kSeparator, start);
        std::string field(unquoted(line.substr(start, comma - start)));
        for (std::size_t quote = 0; (quote = field.find("\"\"", quote)) != std::string::npos; ++quote)
            field.erase(quote, 1);
        fields.push_back(std::move(field));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

constexpr std::array<std::int8_t, 256> kHexValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int d = 0; d < 10; ++d)
        values[static_cast<std::size_t>('0' + d)] = static_cast<std::int8_t>(d);
    for (int d = 0; d < 6; ++d) {
        values[static_cast<std::size_t>('A' + d)] = static_cast<std::int8_t>(10 + d);
        values[static_cast<std::size_t>('a' + d)] = static_cast<std::int8_t>(10 + d);
    }
    return values;
}();

bool parseFrame(std::string_view hex, LinkFrame& frame)
{
    if (hex.size() != kFrameHexLength)
        return false;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const int high = kHexValues[static_cast<unsigned char>(hex[2 * i])];
        const int low = kHexValues[static_cast<unsigned char>(hex[2 * i + 1])];
        if (high < 0 || low < 0)
            return false;
        frame[i] = static_cast<std::uint8_t>((high << 4) | low);
    }
    return acceptMonitorReply(frame);
}

class Parser {
public:
    explicit Parser(std::uintmax_t fileSize)
        : m_fileSize(fileSize)
    {
    }

    // False once the file has shown that it is no datalog.
    bool line(std::string_view text)
    {
        m_consumed += text.size() + 1;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        switch (m_linesSeen++) {
        case 0:
            return header(text);
        case 1:
            return units(text);
        default:
            if (!text.empty())
                row(text);
            return true;
        }
    }
    // A line too long to be any line of a log.
    void skipLine()
    {
        if (m_linesSeen++ >= 2)
            m_log.noteSkippedRow();
        else
            m_broken = true;
    }

    [[nodiscard]] bool isDatalog() const { return m_linesSeen >= 2 && !m_broken; }
    Datalog take()
    {
        m_log.shrinkToFit();
        return std::move(m_log);
    }

private:
    bool header(std::string_view text)
    {
        // A spreadsheet that saved the log as UTF-8 may have put a byte order mark first.
        if (text.starts_with(kUtf8Bom))
            text.remove_prefix(kUtf8Bom.size());
        m_names = splitFields(text);
        if (m_names.size() < 2 || m_names.front() != kTimeColumn || m_names.back() != kFrameColumn) {
            m_broken = true;
            return false;
        }
        return true;
    }
    bool units(std::string_view text)
    {
        const std::vector<std::string> units = splitFields(text);
        if (units.size() != m_names.size()) {
            m_broken = true;
            return false;
        }
        std::vector<DatalogColumn> columns;
        for (std::size_t c = 1; c + 1 < m_names.size(); ++c)
            columns.push_back({std::string(m_names[c]), std::string(units[c])});
        m_log = Datalog(std::move(columns));
        m_values.resize(m_names.size() - 2);
        return true;
    }
    void row(std::string_view text)
    {
        if (!parseRow(text)) {
            m_log.noteSkippedRow();
            return;
        }
        if (m_log.empty()) {
            // Room for the rows the rest of the file can hold, judged by this one.
            const std::uintmax_t left = m_fileSize > m_consumed ? m_fileSize - m_consumed : 0;
            m_log.reserve(static_cast<std::size_t>(left / std::max<std::uintmax_t>(text.size(), kFrameHexLength)) + 1);
        }
        m_log.appendRow(m_time, m_values, m_frame);
    }
    bool parseRow(std::string_view text)
    {
        const std::size_t fields = m_names.size();
        std::size_t field = 0;
        std::size_t start = 0;
        while (field < fields) {
            const std::size_t comma = text.find(kSeparator, start);
            const bool last = field + 1 == fields;
            if (last != (comma == std::string_view::npos))
                return false;
            const std::string_view value = unquoted(text.substr(start, comma - start));
            if (field == 0) {
                std::uint32_t time = 0;
                const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), time);
                if (ec != std::errc{} || end != value.data() + value.size() ||
                    (!m_log.empty() && time < m_log.timesMs().back()))
                    return false;
                m_time = time;
            } else if (last) {
                if (!parseFrame(value, m_frame))
                    return false;
            } else if (!number(value, m_values[field - 1])) {
                return false;
            }
            ++field;
            start = comma + 1;
        }
        return true;
    }
    // An empty field is a value the row does not have; "inf" or "nan" written out is damage,
    // as any other text that is no number.
    static bool number(std::string_view text, float& value)
    {
        if (text.empty()) {
            value = std::numeric_limits<float>::quiet_NaN();
            return true;
        }
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        return ec == std::errc{} && end == text.data() + text.size() && std::isfinite(value);
    }

    std::uintmax_t m_fileSize;
    std::uintmax_t m_consumed = 0;
    std::size_t m_linesSeen = 0;
    bool m_broken = false;
    std::vector<std::string> m_names;
    Datalog m_log;
    std::vector<float> m_values;
    std::uint32_t m_time = 0;
    LinkFrame m_frame{};
};

} // namespace

DatalogRead readDatalog(const std::filesystem::path& file)
{
    InputFile in(file, kDatalogLimit);
    if (in.problem() != ReadProblem::None)
        return {std::nullopt, DatalogProblem::CannotOpen, in.reason()};

    Parser parser(in.size());
    std::vector<char> piece(kReadPiece);
    std::string carry;
    bool overlong = false;
    bool readable = true;
    for (std::optional<std::size_t> got; readable && (got = in.read(piece)) && *got > 0;) {
        const std::string_view chunk(piece.data(), *got);
        std::size_t start = 0;
        for (std::size_t newline; readable && (newline = chunk.find('\n', start)) != std::string_view::npos;
             start = newline + 1) {
            const std::string_view rest = chunk.substr(start, newline - start);
            if (overlong) {
                parser.skipLine();
            } else if (carry.empty()) {
                readable = parser.line(rest);
            } else {
                carry.append(rest);
                readable = parser.line(carry);
            }
            carry.clear();
            overlong = false;
        }
        if (!overlong)
            carry.append(chunk.substr(std::min(start, chunk.size())));
        if (carry.size() > kLongestLine) {
            overlong = true;
            carry.clear();
        }
    }
    if (in.problem() != ReadProblem::None)
        return {std::nullopt, DatalogProblem::CannotOpen, in.reason()};
    // A last line without its newline: the row a killed writer was in the middle of, or
    // a complete row whose newline never came. Only the latter is kept.
    if (readable && (overlong || !carry.empty())) {
        if (overlong)
            parser.skipLine();
        else
            readable = parser.line(carry);
    }
    if (!readable || !parser.isDatalog())
        return {std::nullopt, DatalogProblem::NotADatalog, file.string()};
    return {parser.take(), DatalogProblem::None, {}};
}

} // namespace quorvel
