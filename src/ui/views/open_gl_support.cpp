#include "ui/views/open_gl_support.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace quorvel {
namespace {

bool platformShowsWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

bool drawsDataVisualization(const QSurfaceFormat& format, bool openGlEs)
{
    if (openGlEs)
        return format.majorVersion() >= 2;
    return format.majorVersion() > 2 || (format.majorVersion() == 2 && format.minorVersion() >= 1);
}

bool probe()
{
    if (!platformShowsWindows())
        return false;
    // The buffers the 3D graphs ask for.
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return false;
    const bool usable = drawsDataVisualization(context.format(), context.isOpenGLES());
    context.doneCurrent();
    return usable;
}

} // namespace

bool openGlSupported()
{
    static const bool supported = probe();
    return supported;
}

} // namespace quorvel
