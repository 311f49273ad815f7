#include "ui/views/views_module.h"

#include "ui/views/map_views_factory.h"

#include <QCoreApplication>

namespace quorvel {
namespace {

std::filesystem::path firstExisting(const std::vector<std::filesystem::path>& places)
{
    const std::filesystem::path name = ViewsModule::fileName().toStdString();
    for (const std::filesystem::path& place : places) {
        std::error_code error;
        if (std::filesystem::is_regular_file(place / name, error))
            return place / name;
    }
    return {};
}

// QUORVEL_VIEWS_MODULE names the module file where it is not beside the program (the tests of a
// build tree, a developer's own build of the views).
std::filesystem::path fromEnvironment()
{
    const QByteArray named = qgetenv("QUORVEL_VIEWS_MODULE");
    return named.isEmpty() ? std::filesystem::path() : std::filesystem::path(named.toStdString());
}

} // namespace

ViewsModule::ViewsModule(std::filesystem::path explicitFile)
    : m_file(explicitFile.empty() ? fromEnvironment() : std::move(explicitFile))
{
    if (m_file.empty())
        m_file = firstExisting(usualPlaces());
    std::error_code error;
    if (!m_file.empty() && !std::filesystem::is_regular_file(m_file, error))
        m_file.clear();
}

std::vector<std::filesystem::path> ViewsModule::usualPlaces()
{
    const std::filesystem::path program = QCoreApplication::applicationDirPath().toStdString();
    return {program / "plugins", program, (program / QUORVEL_VIEWS_INSTALL_DIR).lexically_normal()};
}

QString ViewsModule::fileName()
{
#ifdef _WIN32
    return QStringLiteral("quorvel_views.dll");
#else
    return QStringLiteral("quorvel_views.so");
#endif
}

MapViewsFactory* ViewsModule::factory()
{
    if (m_tried || m_file.empty())
        return m_factory;
    m_tried = true;
    m_library.setFileName(QString::fromStdString(m_file.string()));
    if (!m_library.load()) {
        m_detail = m_library.errorString();
        return nullptr;
    }
    using Entry = MapViewsFactory* (*)();
    const auto entry = reinterpret_cast<Entry>(m_library.resolve(kMapViewsEntry));
    if (entry == nullptr) {
        m_detail = m_library.errorString();
        return nullptr;
    }
    m_factory = entry();
    return m_factory;
}

std::optional<ViewsModuleFault> ViewsModule::fault() const
{
    if (m_file.empty())
        return ViewsModuleFault::Missing;
    if (m_tried && m_factory == nullptr)
        return ViewsModuleFault::Broken;
    return std::nullopt;
}

} // namespace quorvel
