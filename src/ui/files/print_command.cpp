#include "ui/files/print_command.h"

#include "io/atomic_file.h"
#include "ui/binding/control_registry.h"
#include "ui/files/print_look_surface.h"

#include <QAbstractSpinBox>
#include <QBuffer>
#include <QCoreApplication>
#include <QMainWindow>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <string_view>

namespace quorvel {
namespace {

constexpr int kFileErrorText = 26; // "Open file error!"
// A printer gets a picture of the window; finer than this costs seconds and shows no more.
constexpr int kPrinterDotsPerInch = 300;

void paintWhite(QWidget& widget)
{
    QPalette white = widget.palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(widget.backgroundRole(), Qt::white);
    widget.setPalette(white);
    widget.setAutoFillBackground(true);
}

} // namespace

PrintCommand::PrintCommand(QWidget& window, const ControlRegistry& controls, QTabWidget& pages, Dialogs& dialogs,
                           const MessageTexts& texts)
    : m_window(window)
    , m_controls(controls)
    , m_pages(pages)
    , m_dialogs(dialogs)
    , m_texts(texts)
{
}

void PrintCommand::print(const PrintLook& look, const std::filesystem::path& pdfPreset,
                         const std::function<void()>& showStatusLine)
{
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (!printerInfo.isNull()) {
        QPrinter printer(printerInfo);
        printer.setResolution(kPrinterDotsPerInch);
        showStatusLine();
        if (!printInPrintLook(printer, look))
            m_dialogs.showMessage(m_texts.text(kFileErrorText));
        return;
    }
    const std::optional<std::filesystem::path> pdfFile = m_dialogs.askPdfFile(pdfPreset);
    if (!pdfFile)
        return;
    // The PDF is drawn in memory and saved like every other file, so a failed print never
    // destroys a previous file of that name and a link or a FIFO is treated as on any save.
    QByteArray pdf;
    bool printed = false;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        // A PDF gets the window drawn as itself: sharp texts that stay searchable.
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Quorvel_2007"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        showStatusLine();
        printed = printInPrintLook(writer, look);
    }
    if (!printed ||
        writeFileAtomically(*pdfFile, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))))
        m_dialogs.showMessage(m_texts.text(kFileErrorText));
}

bool PrintCommand::printInPrintLook(QPagedPaintDevice& device, const PrintLook& look)
{
    applyLook(look);
    // Hidden widgets give their room to the others before the window is drawn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QWidget& shown = client();
    device.setPageOrientation(shown.width() > shown.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter;
    const bool started = painter.begin(&device);
    if (started) {
        const QRect page = painter.viewport();
        const double scale = std::min(static_cast<double>(page.width()) / std::max(1, shown.width()),
                                      static_cast<double>(page.height()) / std::max(1, shown.height()));
        painter.scale(scale, scale);
        shown.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.end();
    }
    restoreLook();
    return started;
}

QWidget& PrintCommand::client() const
{
    auto* main = qobject_cast<QMainWindow*>(&m_window);
    return main != nullptr && main->centralWidget() != nullptr ? *main->centralWidget() : m_window;
}

PrintCommand::SavedWidget& PrintCommand::save(QWidget& widget)
{
    const auto known =
        std::ranges::find(m_saved, &widget, [](const SavedWidget& saved) { return saved.widget.data(); });
    if (known != m_saved.end())
        return *known;
    const auto* spin = qobject_cast<QAbstractSpinBox*>(&widget);
    return m_saved.emplace_back(SavedWidget{&widget, widget.isHidden(), spin ? spin->buttonSymbols() : 0,
                                            widget.autoFillBackground(), widget.palette()});
}

void PrintCommand::applyLook(const PrintLook& look)
{
    m_saved.clear();
    save(m_window);
    paintWhite(m_window);
    save(client());
    paintWhite(client());
    m_surfaces.clear();
    for (const PrintHiddenControl& hidden : look.hidden) {
        const ControlRegistry::Target target = m_controls.resolve(hidden.key);
        if (takesLookItself(target))
            continue;
        auto* widget = qobject_cast<QWidget*>(target.object);
        if (widget == nullptr)
            continue;
        save(*widget);
        auto* spin = qobject_cast<QAbstractSpinBox*>(widget);
        if (spin != nullptr &&
            (hidden.hiding == PrintHiding::SpinButtons || target.part == ControlRegistry::Part::SpinArrows))
            spin->setButtonSymbols(QAbstractSpinBox::NoButtons);
        else
            widget->hide();
    }
    for (const ControlKey& key : look.whiteBackground) {
        const ControlRegistry::Target target = m_controls.resolve(key);
        if (takesLookItself(target))
            continue;
        if (auto* widget = qobject_cast<QWidget*>(target.object)) {
            save(*widget);
            paintWhite(*widget);
        }
    }
    m_tabsVisible.clear();
    for (int page = 0; page < m_pages.count(); ++page) {
        m_tabsVisible.push_back(m_pages.isTabVisible(page));
        if (page < static_cast<int>(look.tabVisible.size()))
            m_pages.setTabVisible(page,
                                  look.tabVisible[static_cast<std::size_t>(page)] || page == m_pages.currentIndex());
    }
}

bool PrintCommand::takesLookItself(const ControlRegistry::Target& target)
{
    if (target.part != ControlRegistry::Part::GridItem)
        return false;
    auto* surface = dynamic_cast<PrintLookSurface*>(target.object);
    if (surface != nullptr && std::ranges::find(m_surfaces, surface) == m_surfaces.end()) {
        surface->setPrintLook(true);
        m_surfaces.push_back(surface);
    }
    return true;
}

void PrintCommand::restoreLook()
{
    for (PrintLookSurface* surface : m_surfaces)
        surface->setPrintLook(false);
    m_surfaces.clear();
    for (int page = 0; page < static_cast<int>(m_tabsVisible.size()) && page < m_pages.count(); ++page)
        m_pages.setTabVisible(page, m_tabsVisible[static_cast<std::size_t>(page)]);
    for (const SavedWidget& saved : m_saved) {
        QWidget* widget = saved.widget;
        if (widget == nullptr)
            continue;
        widget->setPalette(saved.palette);
        widget->setAutoFillBackground(saved.autoFill);
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
            spin->setButtonSymbols(static_cast<QAbstractSpinBox::ButtonSymbols>(saved.buttonSymbols));
        if (widget != &m_window && widget != &client())
            widget->setHidden(saved.hidden);
    }
    m_saved.clear();
}

} // namespace quorvel
