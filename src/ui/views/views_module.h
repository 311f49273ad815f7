#pragma once

#include <QLibrary>
#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

namespace quorvel {

class MapViewsFactory;

// Why the views of the module cannot be had.
enum class ViewsModuleFault : std::uint8_t {
    Missing, // no module file in any of the places searched
    Broken,  // a file is there, but it does not load or lacks the entry of this build
};

// The shared module with the 3D view, the curve view and the log viewer. Finding it only looks
// at the file system, so it is done at the start; loading it (and with it Qt Data Visualization,
// Qt Charts and OpenGL) waits until a view is first asked for. Once loaded it stays loaded: the
// widgets it made live on its code.
class ViewsModule {
public:
    // `explicitFile` names the module; empty: the module's usual places beside the program.
    explicit ViewsModule(std::filesystem::path explicitFile = {});

    // The places searched in order: the program's own `plugins` folder, its own folder, and the
    // library folder an installation puts the module into.
    [[nodiscard]] static std::vector<std::filesystem::path> usualPlaces();
    [[nodiscard]] static QString fileName();

    // Known without loading: no file at all.
    [[nodiscard]] bool found() const { return !m_file.empty(); }
    [[nodiscard]] const std::filesystem::path& file() const { return m_file; }
    // Loads the module on the first call; null when it is missing or broken (see fault()).
    [[nodiscard]] MapViewsFactory* factory();
    [[nodiscard]] std::optional<ViewsModuleFault> fault() const;
    // The loader's own words on a broken module, for the message.
    [[nodiscard]] QString detail() const { return m_detail; }

private:
    std::filesystem::path m_file;
    QLibrary m_library;
    MapViewsFactory* m_factory = nullptr;
    bool m_tried = false;
    QString m_detail;
};

} // namespace quorvel
