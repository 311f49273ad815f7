// The layers of src/ point one way: a folder includes only the layers below it, and nothing
// below the window includes Qt, so the Qt-free layers build and are tested without it. The rule
// is checked here on every include line of the tree, and on planted lines that must be refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum class Verdict { Allowed, Upward, QtBelowWindow, WindowFromFeature, UnknownLayer };

// What each folder of src/ may include besides itself. texts holds words only and uses the
// plain types of core and model; maps, log, model and core return codes and never see texts.
const std::map<std::string, std::set<std::string>, std::less<>>& allowedLayers()
{
    static const std::map<std::string, std::set<std::string>, std::less<>> layers{
        {"core", {}},
        {"model", {"core"}},
        {"texts", {"model", "core"}},
        {"io", {"texts", "model", "core"}},
        {"maps", {"io", "model", "core"}},
        {"log", {"maps", "io", "model", "core"}},
        {"sim", {"model", "core"}},
        {"serial", {"core"}},
        {"ui", {"serial", "log", "maps", "io", "texts", "model", "core", "sim"}},
        {"app", {"ui", "serial", "log", "maps", "io", "texts", "model", "core", "sim"}},
    };
    return layers;
}

// Qt is the window's, the port adapter's and the executables'.
bool mayUseQt(std::string_view layer)
{
    return layer == "ui" || layer == "serial" || layer == "app";
}

std::string_view firstFolder(std::string_view path)
{
    const std::size_t slash = path.find('/');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash);
}

// The included name of an include line with its delimiters ("x/y.h" or <QWidget>); none for
// another line.
std::optional<std::string_view> includedName(std::string_view line)
{
    const auto skipBlanks = [&line] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
    };
    skipBlanks();
    if (!line.starts_with('#'))
        return std::nullopt;
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with("include"))
        return std::nullopt;
    line.remove_prefix(7);
    skipBlanks();
    if (line.empty() || (line.front() != '"' && line.front() != '<'))
        return std::nullopt;
    const char close = line.front() == '"' ? '"' : '>';
    const std::size_t end = line.find(close, 1);
    if (end == std::string_view::npos)
        return std::nullopt;
    return line.substr(0, end + 1);
}

// `from` is the including file's path below src/ ("maps/tune_writer.h").
Verdict judge(std::string_view from, std::string_view line)
{
    const std::string_view fromLayer = firstFolder(from);
    const auto layer = allowedLayers().find(fromLayer);
    if (layer == allowedLayers().end())
        return Verdict::UnknownLayer;
    const std::optional<std::string_view> name = includedName(line);
    if (!name)
        return Verdict::Allowed;
    if (name->front() == '<') {
        const bool qt = name->size() > 2 && (*name)[1] == 'Q';
        return qt && !mayUseQt(fromLayer) ? Verdict::QtBelowWindow : Verdict::Allowed;
    }
    const std::string_view path = name->substr(1, name->size() - 2);
    const std::string_view toLayer = firstFolder(path);
    if (toLayer.empty())
        return Verdict::Allowed; // a file beside the includer
    if (!allowedLayers().contains(toLayer))
        return Verdict::UnknownLayer;
    if (toLayer != fromLayer && !layer->second.contains(std::string(toLayer)))
        return Verdict::Upward;
    // The window assembles the features; a feature that reached for it would turn the arrow round.
    if (path == "ui/shell/main_window.h" && fromLayer == "ui" && !from.starts_with("ui/shell/"))
        return Verdict::WindowFromFeature;
    return Verdict::Allowed;
}

struct PlantedLine {
    const char* from;
    const char* line;
    Verdict verdict;
};

TEST(Layering, PlantedIncludesAreJudgedByTheirDirection)
{
    const PlantedLine planted[] = {
        {"maps/tune_writer.h", R"(#include "texts/map_edit_texts.h")", Verdict::Upward},
        {"log/cell_overlay.cpp", R"(#include "texts/datalog_texts.h")", Verdict::Upward},
        {"core/param_image.h", R"(#include "model/field_table.h")", Verdict::Upward},
        {"model/field_table.h", R"(#include "io/ini_file.h")", Verdict::Upward},
        {"texts/caption_table.h", R"(#include "io/file_reading.h")", Verdict::Upward},
        {"io/map_sheet.cpp", R"(#include "maps/tune_writer.h")", Verdict::Upward},
        {"sim/virtual_unit.h", R"(#include "maps/tune_writer.h")", Verdict::Upward},
        {"ui/maps/map_grid.cpp", R"(#include "app/sim_options.h")", Verdict::Upward},
        {"maps/page_view.cpp", R"(  #  include "ui/maps/map_grid.h" // spaced)", Verdict::Upward},
        {"model/bike_list.cpp", "#include <QString>", Verdict::QtBelowWindow},
        {"log/datalog.cpp", "#include <QtCore/QFile>", Verdict::QtBelowWindow},
        {"texts/menu_structure.h", "#include <QObject>", Verdict::QtBelowWindow},
        {"ui/compare/compare_dock.cpp", R"(#include "ui/shell/main_window.h")", Verdict::WindowFromFeature},
        {"core/link_frame.h", R"(#include "widgets/gauge.h")", Verdict::UnknownLayer},
        {"plugins/loader.cpp", R"(#include "core/link_frame.h")", Verdict::UnknownLayer},
        {"io/map_sheet.h", R"(#include "model/map_edit_status.h")", Verdict::Allowed},
        {"io/read_problem_text.cpp", R"(#include "texts/file_texts.h")", Verdict::Allowed},
        {"texts/compare_captions.h", R"(#include "model/image_compare.h")", Verdict::Allowed},
        {"log/tuning_session.cpp", R"(#include "maps/tune_writer.h")", Verdict::Allowed},
        {"ui/shell/main_menu.cpp", R"(#include "ui/shell/main_window.h")", Verdict::Allowed},
        {"app/quorvel_main.cpp", R"(#include "ui/shell/main_window.h")", Verdict::Allowed},
        {"serial/qt_serial_line.h", "#include <QSerialPort>", Verdict::Allowed},
        {"core/link_frame.h", "#include <vector>", Verdict::Allowed},
        {"model/bike_jet_grids.cpp", R"(#include "bike_jet_grid_tables.inc")", Verdict::Allowed},
        {"core/link_frame.h", "// #include is named in this comment", Verdict::Allowed},
    };
    for (const PlantedLine& row : planted)
        EXPECT_EQ(judge(row.from, row.line), row.verdict) << row.from << ": " << row.line;
}

TEST(Layering, NoFileOfTheTreeIncludesAgainstTheLayers)
{
    const std::filesystem::path source = QUORVEL_SOURCE_DIR;
    std::vector<std::string> refused;
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(source)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp" && extension != ".inc"))
            continue;
        ++files;
        const std::string from = entry.path().lexically_relative(source).generic_string();
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (judge(from, line) != Verdict::Allowed)
                refused.push_back(from + ":" + std::to_string(number) + ": " + line);
        }
    }
    EXPECT_GT(files, 300) << "the tree was not found at " << source;
    std::string listed;
    for (const std::string& line : refused)
        listed += line + "\n";
    EXPECT_TRUE(refused.empty()) << listed;
}

} // namespace
