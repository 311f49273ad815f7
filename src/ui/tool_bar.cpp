#include "ui/tool_bar.h"

#include "ui/hint_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include <array>
#include <stdexcept>
#include <string>

namespace quorvel {
namespace {

struct PictureButton {
    std::string_view name;
    QStyle::StandardPixmap picture;
    std::string_view hint;
};

struct CaptionButton {
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
};

constexpr std::array kPictureButtons{
    PictureButton{"SpeedButton6", QStyle::SP_FileIcon, "Set default parametrs"},
    PictureButton{"SpeedButton5", QStyle::SP_DialogOpenButton, "Open file with parametrs"},
    PictureButton{"SpeedButton7", QStyle::SP_DialogSaveButton, "Save parametrs to file"},
    PictureButton{"SpeedButtonZpet", QStyle::SP_ArrowBack, "Undo"},
    PictureButton{"SpeedButtonZnovu", QStyle::SP_ArrowForward, "Redo"},
};

constexpr std::array kCaptionButtons{
    CaptionButton{"ButtonRead", "&Read", "Reading parametrs from ignition"},
    CaptionButton{"ButtonVerify", "&Verify", "Compare set parametrs  with parametrs of ignition"},
    CaptionButton{"ButtonProgram", "&Program", "Programing  set parametrs to ignition"},
};

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ToolBar::ToolBar(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName("GroupBoxToolBar");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    for (const PictureButton& spec : kPictureButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(qText(spec.name));
        button->setIcon(style()->standardIcon(spec.picture));
        button->setAutoRaise(true);
        setHint(*button, spec.hint);
        layout->addWidget(button);
    }
    layout->addSpacing(12);
    for (const CaptionButton& spec : kCaptionButtons) {
        auto* button = new QPushButton(qText(spec.caption), this);
        button->setObjectName(qText(spec.name));
        // The menu's F7..F9 and the accelerators start the transfers; a button never keeps the
        // focus, so Enter on a page edit cannot start one.
        button->setFocusPolicy(Qt::NoFocus);
        setHint(*button, spec.hint);
        layout->addWidget(button);
    }
    layout->addSpacing(12);
    auto* programAfterChange = new QCheckBox("Programming after change", this);
    programAfterChange->setObjectName("CheckBoxProgHned");
    setHint(*programAfterChange, "Programing at once after change");
    layout->addWidget(programAfterChange);
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
