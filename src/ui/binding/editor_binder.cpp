#include "ui/binding/editor_binder.h"

#include "core/page_index.h"
#include "ui/pages/field_spin_box.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <array>
#include <string>
#include <tuple>

namespace quorvel {
namespace {

constexpr int kGearButtons = 7;

} // namespace

EditorBinder::EditorBinder(QWidget& root, const ControlRegistry& registry, ControlApplier& applier,
                           const EditorWiring& wiring)
    : m_controls(registry, applier)
    , m_editor(EditorParts{wiring.image, wiring.tables, m_controls, wiring.mapPages, wiring.host, wiring.prompts,
                           wiring.texts, wiring.live, wiring.settings, wiring.writer})
{
    if (auto* program = root.findChild<QCheckBox*>("CheckBoxProgHned"))
        connect(program, &QCheckBox::clicked, this, [this] { m_editor.checkBoxReleased(); });
    wireUndo(root);
}

void EditorBinder::start(int page)
{
    m_started = true;
    m_editor.start(page);
}

void EditorBinder::collectPage(int page)
{
    if (m_started && page == m_editor.activePage())
        m_editor.collectPage();
}

void EditorBinder::fillPage(int page)
{
    if (!m_started)
        return;
    if (page == m_editor.activePage())
        m_editor.fillPage();
    else
        m_editor.changePage(page);
}

void EditorBinder::wirePage(QWidget& sheet)
{
    for (auto* found : sheet.findChildren<QSpinBox*>()) {
        auto* spin = dynamic_cast<FieldSpinBox*>(found);
        if (spin == nullptr)
            continue;
        spin->onStepped = [this] { m_editor.upDownClicked(); };
        connect(spin, &QAbstractSpinBox::editingFinished, this, [this] { m_editor.fieldEditingFinished(); });
        spin->installEventFilter(this);
        if (auto* edit = spin->findChild<QLineEdit*>())
            edit->installEventFilter(this);
    }
    for (auto* check : sheet.findChildren<QCheckBox*>())
        connect(check, &QCheckBox::clicked, this, [this] { m_editor.checkBoxReleased(); });
    for (auto* group : sheet.findChildren<QButtonGroup*>()) {
        const std::string name = group->parent()->objectName().toStdString();
        connect(group, &QButtonGroup::idClicked, this,
                [this, name](int item) { m_editor.radioClicked(ControlKey{name}, item); });
    }
    if (auto* bikes = sheet.findChild<QComboBox*>("ComboBoxBike"))
        connect(bikes, &QComboBox::activated, this, [this](int position) { m_editor.bikeSelected(position); });
    if (auto* memo = sheet.findChild<QPlainTextEdit*>("Memo1")) {
        memo->installEventFilter(this);
        connect(memo, &QPlainTextEdit::textChanged, this, [this] { limitMemo(); });
    }
    for (int gear = 0; gear < kGearButtons; ++gear) {
        if (auto* button = sheet.findChild<QAbstractButton*>(QStringLiteral("ButtonGear%1").arg(gear)))
            connect(button, &QAbstractButton::clicked, this, [this, gear] { m_editor.learnGear(gear); });
    }
    if (auto* button = sheet.findChild<QAbstractButton*>("ButtonTps0"))
        connect(button, &QAbstractButton::clicked, this, [this] { m_editor.learnTps0(); });
    if (auto* button = sheet.findChild<QAbstractButton*>("ButtonTps100"))
        connect(button, &QAbstractButton::clicked, this, [this] { m_editor.learnTps100(); });
}

void EditorBinder::wireUndo(QWidget& root)
{
    for (const auto& [button, action, undo] : std::array{std::tuple{"SpeedButtonZpet", "MenuZpet", true},
                                                         std::tuple{"SpeedButtonZnovu", "MenuZnovu", false}}) {
        const auto step = [this, undo = undo] {
            if (undo)
                m_editor.undo();
            else
                m_editor.redo();
        };
        if (auto* found = root.findChild<QAbstractButton*>(button))
            connect(found, &QAbstractButton::clicked, this, step);
        if (auto* found = root.findChild<QAction*>(action))
            connect(found, &QAction::triggered, this, step);
    }
}

// The memo takes no more than it can keep on screen; the image keeps the first 149 of them.
void EditorBinder::limitMemo()
{
    auto* memo = qobject_cast<QPlainTextEdit*>(sender());
    if (memo == nullptr || memo->document()->characterCount() - 1 <= kMemoLimit)
        return;
    QTextCursor cursor(memo->document());
    cursor.setPosition(kMemoLimit);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

bool EditorBinder::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (dynamic_cast<FieldSpinBox*>(watched) == nullptr ||
            (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
            break;
        // Enter moves on to the next field, and the page takes what was typed.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(watched, &tab);
        m_editor.enterPressed();
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (qobject_cast<QLineEdit*>(watched) != nullptr)
            m_editor.editClicked();
        break;
    case QEvent::FocusOut:
        if (qobject_cast<QPlainTextEdit*>(watched) != nullptr)
            m_editor.fieldEditingFinished();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorvel
