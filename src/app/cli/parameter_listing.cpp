#include "app/cli/parameter_listing.h"

#include "io/code_page.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "model/map_layout.h"
#include "model/memo_text.h"

#include <sstream>

namespace quorvel::cli {
namespace {

constexpr int kServoExProcent = 212;
constexpr int kServoInProcent = 213;

// A map cell in the unit of its map: degrees, microseconds, percent, or millivolts for a servo
// map kept in units of 20 mV.
int cellInUnits(const ParamImage& image, const MapLayout& map, int element)
{
    const int cell = mapCell(image, map.id, element);
    const bool servoVolts = (map.id == MapId::ServoIn && image.byte(kServoInProcent) == 0) ||
                            (map.id == MapId::ServoEx && image.byte(kServoExProcent) == 0);
    return servoVolts ? cell * 20 : cell;
}

nlohmann::ordered_json fieldValue(const ParamImage& image, const Field& field)
{
    if (field.form == FieldForm::Text)
        return codePageToUtf8(memoText(image), CodePage::Western1252);
    if (!field.isArray())
        return readShown(image, field);
    nlohmann::ordered_json values = nlohmann::ordered_json::array();
    for (int i = 0; i < field.count; ++i)
        values.push_back(readShown(image, field, i));
    return values;
}

} // namespace

nlohmann::ordered_json parametersAsJson(const ParamImage& image, const InjectionTables& tables)
{
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    for (const Field& field : FieldTable::all())
        fields[std::string(field.name)] = fieldValue(image, field);

    nlohmann::ordered_json maps = nlohmann::ordered_json::object();
    for (const MapLayout& map : MapTable::all()) {
        nlohmann::ordered_json entry;
        nlohmann::ordered_json axis = nlohmann::ordered_json::array();
        for (int c = 0; c < kMapColumns; ++c)
            axis.push_back(axisPoint(image, map.id, c) * 100);
        entry["axis"] = axis;
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (int r = 0; r < kMapRows; ++r) {
            nlohmann::ordered_json row = nlohmann::ordered_json::array();
            for (int c = 0; c < kMapColumns; ++c)
                row.push_back(cellInUnits(image, map, r * kMapColumns + c));
            rows.push_back(row);
        }
        entry["cells"] = rows;
        if (const auto injection = injectionMapOf(map.id)) {
            nlohmann::ordered_json percent = nlohmann::ordered_json::array();
            for (int r = 0; r < kMapRows; ++r) {
                nlohmann::ordered_json row = nlohmann::ordered_json::array();
                for (int c = 0; c < kMapColumns; ++c)
                    row.push_back(tables.percent(*injection)[static_cast<std::size_t>(r * kMapColumns + c)]);
                percent.push_back(row);
            }
            entry["percent"] = percent;
        }
        maps[std::string(map.name)] = entry;
    }
    nlohmann::ordered_json iapRows = nlohmann::ordered_json::array();
    for (int r = 0; r < kMapRows; ++r)
        iapRows.push_back(iapRow(image, r));
    maps["IAP_IAP"] = iapRows;

    nlohmann::ordered_json all;
    all["fields"] = fields;
    all["maps"] = maps;
    return all;
}

std::string listParameters(const ParamImage& image, const InjectionTables& tables)
{
    const nlohmann::ordered_json all = parametersAsJson(image, tables);
    std::ostringstream out;
    for (const auto& [name, value] : all["fields"].items()) {
        out << name << " =";
        if (value.is_array()) {
            for (const auto& element : value)
                out << ' ' << element.dump();
        } else {
            out << ' ' << (value.is_string() ? value.get<std::string>() : value.dump());
        }
        out << '\n';
    }
    for (const auto& [name, map] : all["maps"].items()) {
        if (map.is_array()) {
            out << name << " =";
            for (const auto& value : map)
                out << ' ' << value.dump();
            out << '\n';
            continue;
        }
        out << name << " rpm =";
        for (const auto& value : map["axis"])
            out << ' ' << value.dump();
        out << '\n';
        for (const auto& row : map["cells"]) {
            out << "  ";
            for (const auto& value : row)
                out << ' ' << value.dump();
            out << '\n';
        }
    }
    return out.str();
}

} // namespace quorvel::cli
