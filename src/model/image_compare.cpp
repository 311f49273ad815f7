#include "model/image_compare.h"

#include "core/page_index.h"
#include "core/text_format.h"
#include "model/field_codec.h"
#include "model/map_layout.h"
#include "model/memo_text.h"

#include <bitset>

namespace quorvel {
namespace {

constexpr int kRpmPerAxisStep = 100;
constexpr int kServoVoltageStep = 20; // mV per stored unit of a servo cell in voltage mode
constexpr std::string_view kIapRowsName = "IAP_IAP";
constexpr std::string_view kMsFormat = "%.3f ms";

ShownValue numeric(int number)
{
    return {number, std::to_string(number)};
}

bool servoInVolts(const ParamImage& image, MapId map)
{
    if (map != MapId::ServoIn && map != MapId::ServoEx)
        return false;
    const Field* option = FieldTable::byName(map == MapId::ServoIn ? "ServoInProcent" : "ServoExProcent");
    return image.byte(option->offset) == 0;
}

// A cell as the grid shows it: percent of the side's reference time on the injection maps,
// mV on a servo map in voltage mode, the stored value otherwise.
int shownCell(const CompareSide& side, const MapLayout& map, int element, std::uint16_t stored)
{
    if (const auto injection = injectionMapOf(map.id))
        return shownPercent(stored, side.tables.reference(*injection)[static_cast<std::size_t>(element)]);
    return servoInVolts(side.image, map.id) ? kServoVoltageStep * stored : stored;
}

// The bytes of blocks 1..19 that a parameter, a map, an axis or the pressure rows hold.
const std::bitset<kImageSize>& parameterBytes()
{
    static const std::bitset<kImageSize> covered = [] {
        std::bitset<kImageSize> bytes;
        auto cover = [&bytes](int first, int last) {
            for (int offset = first; offset <= last; ++offset)
                bytes.set(static_cast<std::size_t>(offset));
        };
        for (const Field& field : FieldTable::all()) {
            for (int e = 0; e < field.count; ++e)
                cover(field.elementOffset(e), field.elementOffset(e) + field.bytesPerElement() - 1);
        }
        for (const MapLayout& map : MapTable::all()) {
            cover(map.cellOffset, map.lastCellOffset());
            cover(map.axisOffset, map.axisOffset + kMapColumns - 1);
        }
        cover(kIapRowsOffset, kIapRowsOffset + 2 * kMapRows - 1);
        return bytes;
    }();
    return covered;
}

class Comparer {
public:
    Comparer(const CompareSide& a, const CompareSide& b, const CompareOptions& options)
        : m_a(a)
        , m_b(b)
        , m_options(options)
    {
    }

    std::vector<Difference> run()
    {
        for (int page = 0; page < kPageCount; ++page) {
            if (const MapLayout* map = MapTable::ofPage(page))
                compareMap(*map);
            for (const Field* field : FieldTable::ofPage(page))
                compareField(*field);
        }
        for (const Field* field : FieldTable::ofPage(kNoPage))
            compareField(*field);
        for (const Field* field : FieldTable::derived())
            compareField(*field);
        if (m_options.otherBytes)
            compareOtherBytes();
        return std::move(m_out);
    }

private:
    void compareMap(const MapLayout& map)
    {
        for (int c = 0; c < kMapColumns; ++c) {
            const int a = axisPoint(m_a.image, map.id, c);
            const int b = axisPoint(m_b.image, map.id, c);
            if (a != b) {
                add(make(DifferenceKind::RpmAxis, map.page, map.axisName, c, map.axisOffset + c,
                         numeric(kRpmPerAxisStep * a), numeric(kRpmPerAxisStep * b), {"EditRpm_Uni", c}));
            }
        }
        if (map.id == MapId::Iap) {
            for (int r = 0; r < kMapRows; ++r) {
                const int a = iapRow(m_a.image, r);
                const int b = iapRow(m_b.image, r);
                if (a != b) {
                    add(make(DifferenceKind::PressureRow, map.page, kIapRowsName, r, kIapRowsOffset + 2 * r, numeric(a),
                             numeric(b), {"EditRow_Uni", r}));
                }
            }
        }
        for (int e = 0; e < kMapCells; ++e) {
            const std::uint16_t a = mapCell(m_a.image, map.id, e);
            const std::uint16_t b = mapCell(m_b.image, map.id, e);
            if (a == b)
                continue;
            Difference difference =
                make(DifferenceKind::MapCell, map.page, map.name, e, map.cellOffsetOf(e),
                     numeric(shownCell(m_a, map, e, a)), numeric(shownCell(m_b, map, e, b)), {"EditMap_Uni", e});
            // Two times that round to the same percentage still differ in the unit.
            if (injectionMapOf(map.id) && difference.a.number == difference.b.number) {
                difference.a.text += " (" + formatText(kMsFormat, a * 0.001) + ")";
                difference.b.text += " (" + formatText(kMsFormat, b * 0.001) + ")";
            }
            add(std::move(difference));
        }
    }

    void compareField(const Field& field)
    {
        if (field.form == FieldForm::Text) {
            compareMemo(field);
            return;
        }
        const bool shown = !field.isDerived() && field.control != ControlKind::Menu;
        for (int e = 0; e < field.count; ++e) {
            const int a = decodeField(field, readCode(m_a.image, field, e));
            const int b = decodeField(field, readCode(m_b.image, field, e));
            if (a == b)
                continue;
            add(make(DifferenceKind::Field, field.page, field.name, field.count > 1 ? e : -1, field.elementOffset(e),
                     numeric(a), numeric(b), shown ? fieldControl(field, e) : FieldControl{}));
        }
    }

    void compareMemo(const Field& field)
    {
        const std::string a = memoText(m_a.image);
        const std::string b = memoText(m_b.image);
        if (a == b)
            return;
        add(make(DifferenceKind::Memo, field.page, field.name, -1, field.offset, {0, shownMemo(a)}, {0, shownMemo(b)},
                 fieldControl(field, 0)));
    }

    void compareOtherBytes()
    {
        const std::bitset<kImageSize>& covered = parameterBytes();
        for (int offset = kBlockSize; offset < kImageSize; ++offset) {
            const int a = m_a.image.byte(offset);
            const int b = m_b.image.byte(offset);
            if (a != b && !covered.test(static_cast<std::size_t>(offset)))
                add(make(DifferenceKind::OtherByte, kNoPage, {}, -1, offset, numeric(a), numeric(b), {}));
        }
    }

    [[nodiscard]] std::string shownMemo(const std::string& stored) const
    {
        return m_options.memoText ? m_options.memoText(stored) : stored;
    }

    static Difference make(DifferenceKind kind, int page, std::string_view name, int element, int offset, ShownValue a,
                           ShownValue b, FieldControl control)
    {
        return {kind, page, name, element, offset, std::move(a), std::move(b), std::move(control)};
    }
    void add(Difference difference) { m_out.push_back(std::move(difference)); }

    const CompareSide& m_a;
    const CompareSide& m_b;
    const CompareOptions& m_options;
    std::vector<Difference> m_out;
};

} // namespace

std::string Difference::label() const
{
    switch (kind) {
    case DifferenceKind::Field:
        return element < 0 ? std::string(name) : std::string(name) + "[" + std::to_string(element) + "]";
    case DifferenceKind::Memo:
        return std::string(name);
    case DifferenceKind::RpmAxis:
    case DifferenceKind::PressureRow:
        return std::string(name) + "[" + std::to_string(element) + "]";
    case DifferenceKind::MapCell:
        return std::string(name) + "[" + std::to_string(row()) + "][" + std::to_string(column()) + "]";
    case DifferenceKind::OtherByte:
        return "byte " + std::to_string(offset);
    }
    return {};
}

std::vector<Difference> compareImages(const CompareSide& a, const CompareSide& b, const CompareOptions& options)
{
    return Comparer(a, b, options).run();
}

std::vector<Difference> compareWithUnit(const UnitCopy& unit, const ParamImage& image, const InjectionTables& tables,
                                        CompareOptions options)
{
    const ParamImage held = unit.over(image);
    const InjectionTables heldTables = referencesOf(held);
    return compareImages({held, heldTables}, {image, tables}, options);
}

InjectionTables referencesOf(const ParamImage& image)
{
    InjectionTables tables;
    tables.computeReferenceTables(image, selectBikeGrids(image));
    return tables;
}

} // namespace quorvel
