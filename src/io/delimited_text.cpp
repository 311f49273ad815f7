#include "io/delimited_text.h"

namespace quorvel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string unquoted(std::string_view field)
{
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return std::string(field);
    std::string out;
    const std::string_view inner = field.substr(1, field.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        out.push_back(inner[i]);
        if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"')
            ++i;
    }
    return out;
}

// Fields of one line; a separator inside double quotes belongs to its field.
std::vector<std::string> splitLine(std::string_view line, char separator)
{
    std::vector<std::string> fields;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || (line[i] == separator && !quoted)) {
            fields.push_back(unquoted(line.substr(start, i - start)));
            start = i + 1;
        } else if (line[i] == '"') {
            quoted = !quoted;
        }
    }
    return fields;
}

} // namespace

std::vector<TextRow> splitDelimited(std::string_view text, char separator)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<TextRow> rows;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view content = text.substr(0, end);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end != std::string_view::npos && text[end] == '\r' && next < text.size() && text[next] == '\n')
            ++next;
        text.remove_prefix(next);
        rows.push_back({line, splitLine(content, separator)});
    }
    while (!rows.empty() && rows.back().fields.size() == 1 && rows.back().fields.front().empty())
        rows.pop_back();
    return rows;
}

char detectSeparator(std::string_view text)
{
    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    if (first.find('\t') != std::string_view::npos)
        return '\t';
    if (first.find(';') != std::string_view::npos)
        return ';';
    return ',';
}

} // namespace quorvel
