#pragma once

#include "core/monitor_snapshot.h"
#include "core/sanitise.h"
#include "maps/map_page_hook.h"
#include "maps/parameter_editor.h"
#include "ui/binding/page_binder.h"
#include "ui/binding/qt_controls.h"

#include <QObject>

#include <optional>

namespace quorvel {

class ControlApplier;
class ControlRegistry;

// What the editor of the window works on, beyond the widgets.
struct EditorWiring {
    ParamImage& image;
    InjectionTables& tables;
    EditorHost& host;
    UserPrompts& prompts;
    const MessageTexts& texts;
    const MonitorSnapshot& live;
    OutsideSettings& settings;
    MapPageHook& mapPages; // the shared map grid on the map pages
    TuneWriter& writer;    // where every change of the pages ends
};

// The page binding of the main window through a ParameterEditor over the real widgets: it
// forwards the gestures of the static pages (spin arrows, edit fields losing the focus or taking
// Enter or a click, check boxes, radio groups, the bike list, the memo, the learn buttons) and
// undo and redo from the tool bar and the menu; a static page's gestures once the page is made.
// The map pages are bound by their grid, which
// plugs in through the editor's map hook; until it exists they move nothing.
class EditorBinder final : public QObject, public PageBinder {
public:
    static constexpr int kMemoLimit = 199;

    EditorBinder(QWidget& root, const ControlRegistry& registry, ControlApplier& applier, const EditorWiring& wiring);

    // Once the image is loaded: ranges, the first fill of `page` and the first undo entry.
    // Before this, fills and collections move nothing.
    void start(int page);

    // The controls of a static page were made on `sheet` (with the ranges of their fields): their
    // gestures reach the editor.
    void wirePage(QWidget& sheet);

    void collectPage(int page) override;
    void fillPage(int page) override;

    [[nodiscard]] ParameterEditor& editor() { return m_editor; }
    [[nodiscard]] QtControls& controls() { return m_controls; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireUndo(QWidget& root);
    void limitMemo();

    QtControls m_controls;
    ParameterEditor m_editor;
    bool m_started = false;
};

} // namespace quorvel
