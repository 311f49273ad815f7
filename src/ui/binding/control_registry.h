#pragma once

#include "core/control_view.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QObject;

namespace quorvel {

// Every name the core uses for a control of the main window, resolved to the one object that
// carries it: a widget, a menu item (QAction), or an item of the shared map grid (its cells,
// heads and labels are items of one table, not widgets). The names are the contract between the
// core and the window, so a name that resolves to nothing or to two objects is a defect: it is
// reported to the miss handler, which the tests turn into a failure. While pages of the window are
// still to be made (they are made when first shown), a name no object carries yet may be one of
// theirs: it is kept, and reported only if it is still carried by nothing once every page is made.
class ControlRegistry {
public:
    // How the named control is carried.
    enum class Part : std::uint8_t {
        Whole,      // the object itself
        SpinArrows, // UpDownX of a spin box named EditX: the edit field's arrows
        GridItem,   // a cell, head or label of the map grid; the object is the grid
        NotMadeYet, // nothing carries it yet, and pages are still to be made; no object
    };
    struct Target {
        QObject* object = nullptr;
        Part part = Part::Whole;
    };
    using MissHandler = std::function<void(const QString& name, int carriers)>;

    explicit ControlRegistry(QObject& root);
    ControlRegistry(const ControlRegistry&) = delete;
    ControlRegistry& operator=(const ControlRegistry&) = delete;

    // Looks at every named widget and menu item under the root again. A menu and its menu item
    // carry one name and count once.
    void rebuild();
    // Whether pages are still to be made. Once none are, the names kept meanwhile that still
    // resolve to nothing are reported.
    void setPagesToCome(bool toCome);
    // The names of the numbered items of `grid` (EditMap_Uni with 150 cells and alike), and of
    // a single one (the corner that names the row axis).
    void addGridItems(QObject& grid, std::string_view name, int count);
    void addGridItem(QObject& grid, std::string_view name);

    // The object that carries `name`; none (reported) when no object or more than one does.
    [[nodiscard]] Target resolve(const QString& name) const;
    [[nodiscard]] Target resolve(const ControlKey& key) const;
    template <typename T> [[nodiscard]] T* find(const ControlKey& key) const
    {
        const Target target = resolve(key);
        return target.part == Part::Whole ? qobject_cast<T*>(target.object) : nullptr;
    }
    // How many objects carry `name`, without reporting.
    [[nodiscard]] int carriers(const QString& name) const;
    // Every name carried by more than one object.
    [[nodiscard]] QStringList duplicates() const;

    // Where misses go; the window's default writes them to the log once per name.
    static void setMissHandler(MissHandler handler);

private:
    void report(const QString& name, int carriers) const;

    QObject& m_root;
    QHash<QString, std::vector<QPointer<QObject>>> m_objects;
    QHash<QString, QPointer<QObject>> m_gridItems;
    bool m_pagesToCome = false;
    mutable QSet<QString> m_awaited; // asked for while pages were to come, carried by nothing then
};

} // namespace quorvel
