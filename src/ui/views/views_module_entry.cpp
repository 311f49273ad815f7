// The entry of the views module: the one function the program looks up after loading it.
#include "ui/log/log_viewer.h"
#include "ui/views/curve_view.h"
#include "ui/views/map_views_factory.h"
#include "ui/views/surface_view.h"

#include <QtGlobal>

namespace quorvel {
namespace {

class ModuleViews final : public MapViewsFactory {
public:
    SurfacePane* makeSurface(Language language) override { return new SurfaceView(language); }
    CurvePane* makeCurves(Language language) override { return new CurveView(language); }
    LogViewerPane* makeLogViewer(Language language, UserMessages& messages,
                                 LogViewerPane::LogFilePrompt askLogFile) override
    {
        return new LogViewer(language, messages, std::move(askLogFile));
    }
};

} // namespace
} // namespace quorvel

extern "C" Q_DECL_EXPORT quorvel::MapViewsFactory* quorvel_map_views_factory_v1()
{
    static quorvel::ModuleViews views;
    return &views;
}
