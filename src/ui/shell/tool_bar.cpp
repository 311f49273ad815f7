#include "ui/shell/tool_bar.h"

#include "texts/caption_table.h"
#include "texts/datalog_texts.h"
#include "texts/menu_structure.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QIconEngine>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include <array>
#include <optional>
#include <stdexcept>
#include <string>

namespace quorvel {
namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Desktops without an icon theme (and the offscreen platform) still get a picture on every
// button from the style.
QStyle::StandardPixmap stylePicture(MenuCommand command)
{
    switch (command) {
    case MenuCommand::New:
        return QStyle::SP_FileIcon;
    case MenuCommand::Open:
        return QStyle::SP_DialogOpenButton;
    case MenuCommand::Save:
        return QStyle::SP_DialogSaveButton;
    case MenuCommand::Undo:
        return QStyle::SP_ArrowBack;
    case MenuCommand::Redo:
        return QStyle::SP_ArrowForward;
    case MenuCommand::RecordLog:
        return QStyle::SP_DialogYesButton;
    case MenuCommand::View3D:
        return QStyle::SP_DesktopIcon;
    case MenuCommand::ViewCurve:
        return QStyle::SP_FileDialogContentsView;
    default:
        return QStyle::SP_FileDialogDetailedView;
    }
}

// A button's picture, taken from the icon theme (else from the style) when it is first drawn
// rather than while the window is built: finding it reads and decodes image files, which the
// window need not wait for to appear.
class DeferredIcon final : public QIconEngine {
public:
    DeferredIcon(QString themeName, QStyle::StandardPixmap fallback)
        : m_themeName(std::move(themeName))
        , m_fallback(fallback)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    [[nodiscard]] QIconEngine* clone() const override { return new DeferredIcon(m_themeName, m_fallback); }
    QString iconName() override { return m_themeName; }

private:
    const QIcon& icon()
    {
        if (!m_icon)
            m_icon = QIcon::fromTheme(m_themeName, QApplication::style()->standardIcon(m_fallback));
        return *m_icon;
    }

    QString m_themeName;
    QStyle::StandardPixmap m_fallback;
    std::optional<QIcon> m_icon;
};

} // namespace

ToolBar::ToolBar(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName("GroupBoxToolBar");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    bool captionsStarted = false;
    for (const ToolButtonSpec& entry : toolBar()) {
        QAbstractButton* button = nullptr;
        if (!entry.iconName.empty()) {
            auto* picture = new QToolButton(this);
            picture->setIcon(QIcon(new DeferredIcon(qText(entry.iconName), stylePicture(entry.command))));
            picture->setAutoRaise(true);
            button = picture;
        } else {
            if (!captionsStarted)
                layout->addSpacing(12);
            captionsStarted = true;
            const auto caption = CaptionTable::find(entry.objectName, CaptionKind::Caption, Language::English);
            button = new QPushButton(qText(caption.value_or(entry.objectName)), this);
        }
        button->setObjectName(qText(entry.objectName));
        button->setCheckable(entry.checkable);
        // The menu's shortcuts and the accelerators start the commands; a button never keeps the
        // focus, so Enter on a page edit cannot start a transfer.
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    // "Programming after change" sits with the transfer buttons: its caption and hint come from
    // the caption table like every other control's.
    layout->addSpacing(12);
    auto* programAfterChange = new QCheckBox(this);
    programAfterChange->setObjectName("CheckBoxProgHned");
    const auto caption = CaptionTable::find("CheckBoxProgHned", CaptionKind::Caption, Language::English);
    programAfterChange->setText(qText(caption.value_or("Programming after change")));
    // Never the focus either: a Space meant for a page would tick it unnoticed, and every later
    // edit would go into the unit.
    programAfterChange->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(programAfterChange);
    // "Fast logging" beside the record button's row: a monitor request on every idle tick.
    auto* fastLogging = new QCheckBox(this);
    fastLogging->setObjectName("CheckBoxFastLogging");
    fastLogging->setText(qText(
        DatalogTexts::find("CheckBoxFastLogging", CaptionKind::Caption, Language::English).value_or("Fast logging")));
    fastLogging->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(fastLogging);
    layout->addStretch();
}

QAbstractButton& ToolBar::button(std::string_view name) const
{
    auto* found = findChild<QAbstractButton*>(qText(name));
    if (found == nullptr)
        throw std::logic_error("no tool button " + std::string(name));
    return *found;
}

} // namespace quorvel
