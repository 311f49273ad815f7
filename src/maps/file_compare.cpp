#include "maps/file_compare.h"

#include <algorithm>

namespace quorvel {
namespace {

bool sameDifference(const Difference& x, const Difference& y)
{
    return x.kind == y.kind && x.name == y.name && x.element == y.element && x.offset == y.offset && x.a == y.a &&
           x.b == y.b;
}

} // namespace

void FileCompare::start(ParamImage reference, std::string fileName)
{
    InjectionTables tables = referencesOf(reference);
    m_reference = Reference{std::move(reference), tables};
    m_fileName = std::move(fileName);
    m_differences.clear();
}

void FileCompare::end()
{
    m_reference.reset();
    m_fileName.clear();
    m_differences.clear();
}

bool FileCompare::refresh(const ParamImage& image, const InjectionTables& tables, const CompareOptions& options)
{
    if (!m_reference)
        return false;
    std::vector<Difference> next = compareImages({m_reference->image, m_reference->tables}, {image, tables}, options);
    if (std::ranges::equal(next, m_differences, sameDifference))
        return false;
    m_differences = std::move(next);
    return true;
}

std::vector<CompareMark> FileCompare::marksOf(int page) const
{
    std::vector<CompareMark> marks;
    for (const Difference& difference : m_differences) {
        if (difference.page == page && !difference.control.name.empty())
            marks.push_back({difference.control, difference.a.text, difference.b.text});
    }
    return marks;
}

} // namespace quorvel
