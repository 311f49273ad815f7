#include "ui/binding/control_registry.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QMenu>
#include <QTabBar>
#include <QWidget>
#include <QtGlobal>

#include <utility>

namespace quorvel {
namespace {

constexpr QStringView kUpDownPrefix = u"UpDown";
constexpr QStringView kEditPrefix = u"Edit";

ControlRegistry::MissHandler& missHandler()
{
    static ControlRegistry::MissHandler handler = [](const QString& name, int carriers) {
        // Once per name: a missing control must not flood the log every tick.
        static QSet<QString> told;
        if (told.contains(name))
            return;
        told.insert(name);
        qWarning("quorvel: control %s is carried by %d objects", qPrintable(name), carriers);
    };
    return handler;
}

// Qt's own parts (the line edit inside a spin box, the scroll arrows of every tab bar and alike)
// are not controls of the window.
bool isOwnName(const QObject& object)
{
    const QString& name = object.objectName();
    if (name.isEmpty() || name.startsWith(QStringLiteral("qt_")) || name.startsWith(QStringLiteral("_q_")))
        return false;
    return qobject_cast<const QTabBar*>(object.parent()) == nullptr;
}

} // namespace

ControlRegistry::ControlRegistry(QObject& root)
    : m_root(root)
{
}

void ControlRegistry::setMissHandler(MissHandler handler)
{
    missHandler() = std::move(handler);
}

void ControlRegistry::rebuild()
{
    m_objects.clear();
    const auto add = [this](QObject* object) {
        if (isOwnName(*object))
            m_objects[object->objectName()].emplace_back(object);
    };
    add(&m_root);
    for (QObject* object : m_root.findChildren<QObject*>()) {
        if (auto* menu = qobject_cast<QMenu*>(object);
            menu != nullptr && menu->menuAction()->objectName() == menu->objectName())
            continue; // the menu is known by its menu item
        if (object->isWidgetType() || qobject_cast<QAction*>(object) != nullptr)
            add(object);
    }
}

void ControlRegistry::setPagesToCome(bool toCome)
{
    m_pagesToCome = toCome;
    if (toCome)
        return;
    const QSet<QString> awaited = std::exchange(m_awaited, {});
    for (const QString& name : awaited) {
        if (const int count = carriers(name); count != 1)
            report(name, count);
    }
}

void ControlRegistry::addGridItems(QObject& grid, std::string_view name, int count)
{
    for (int index = 0; index < count; ++index)
        m_gridItems.insert(QString::fromStdString(ControlKey{name, index}.objectName()), &grid);
}

void ControlRegistry::addGridItem(QObject& grid, std::string_view name)
{
    m_gridItems.insert(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), &grid);
}

int ControlRegistry::carriers(const QString& name) const
{
    int count = 0;
    if (const auto it = m_objects.constFind(name); it != m_objects.constEnd()) {
        for (const QPointer<QObject>& object : *it)
            count += object.isNull() ? 0 : 1;
    }
    if (m_gridItems.contains(name))
        ++count;
    if (count == 0 && name.startsWith(kUpDownPrefix)) {
        const QString edit = kEditPrefix.toString() + name.mid(kUpDownPrefix.size());
        if (const auto it = m_objects.constFind(edit); it != m_objects.constEnd()) {
            for (const QPointer<QObject>& object : *it)
                count += qobject_cast<QAbstractSpinBox*>(object.data()) != nullptr ? 1 : 0;
        }
    }
    return count;
}

ControlRegistry::Target ControlRegistry::resolve(const ControlKey& key) const
{
    return resolve(QString::fromStdString(key.objectName()));
}

ControlRegistry::Target ControlRegistry::resolve(const QString& name) const
{
    const int count = carriers(name);
    if (count == 0 && m_pagesToCome) {
        m_awaited.insert(name);
        return {nullptr, Part::NotMadeYet};
    }
    if (count != 1) {
        report(name, count);
        return {};
    }
    if (const auto grid = m_gridItems.constFind(name); grid != m_gridItems.constEnd())
        return {grid->data(), Part::GridItem};
    if (const auto it = m_objects.constFind(name); it != m_objects.constEnd()) {
        for (const QPointer<QObject>& object : *it) {
            if (!object.isNull())
                return {object.data(), Part::Whole};
        }
    }
    const QString edit = kEditPrefix.toString() + name.mid(kUpDownPrefix.size());
    for (const QPointer<QObject>& object : m_objects.value(edit)) {
        if (qobject_cast<QAbstractSpinBox*>(object.data()) != nullptr)
            return {object.data(), Part::SpinArrows};
    }
    return {};
}

QStringList ControlRegistry::duplicates() const
{
    QStringList twice;
    for (auto it = m_objects.constBegin(); it != m_objects.constEnd(); ++it) {
        if (carriers(it.key()) > 1)
            twice.push_back(it.key());
    }
    twice.sort();
    return twice;
}

void ControlRegistry::report(const QString& name, int carriers) const
{
    if (missHandler())
        missHandler()(name, carriers);
}

} // namespace quorvel
