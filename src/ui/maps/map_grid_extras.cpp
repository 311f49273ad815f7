#include "ui/maps/map_grid.h"

#include "core/control_view.h"
#include "core/page_index.h"
#include "ui/pages/field_spin_box.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

// The row of auxiliary fields under the grid: which of the six fields and five labels a page
// shows, and in what order.
namespace quorvel {
namespace {

// One place in the row of auxiliary fields: field k, label k, or a gap between two groups. A
// caption stands before the field or fields it names, as in a form.
struct ExtraSlot {
    enum class Kind : std::uint8_t { Field, Label, Gap };
    Kind kind = Kind::Gap;
    int index = 0;
};
constexpr ExtraSlot field(int index)
{
    return {ExtraSlot::Kind::Field, index};
}
constexpr ExtraSlot label(int index)
{
    return {ExtraSlot::Kind::Label, index};
}
constexpr ExtraSlot kGap{};
constexpr int kGapWidth = 18;

struct ExtraOrder {
    int page;
    std::array<ExtraSlot, MapGrid::kExtraFields + MapGrid::kExtraLabels + 4> places;
};

// Every field and label once per page; those a page does not show are hidden by its view.
constexpr std::array kExtraOrders{
    ExtraOrder{kPageAdvance,
               {label(0), field(4), kGap, label(1), field(0), field(1), field(2), field(3), kGap, label(2), field(5),
                label(3), label(4), kGap, kGap}},
    ExtraOrder{kPageInj1A,
               {label(0), kGap, label(1), field(0), kGap, label(2), field(1), kGap, label(3), field(2), kGap, label(4),
                field(3), field(4), field(5)}},
    ExtraOrder{kPageIntakeServo,
               {label(1), field(0), kGap, label(3), field(2), kGap, label(4), field(3), field(1), field(4), field(5),
                label(0), label(2), kGap, kGap}},
    ExtraOrder{kPageExhaustServo,
               {label(1), field(0), kGap, label(3), field(2), kGap, label(4), field(3), field(1), field(4), field(5),
                label(0), label(2), kGap, kGap}},
};
// Any other page: the cylinder corrections of "Inj-IAP" after their caption.
constexpr ExtraOrder kPlainOrder{-1,
                                 {label(1), field(0), field(1), field(2), field(3), field(4), field(5), label(0),
                                  label(2), label(3), label(4), kGap, kGap, kGap, kGap}};

} // namespace

void MapGrid::buildExtras()
{
    for (int k = 0; k < kExtraFields; ++k) {
        auto* spin = new FieldSpinBox(QString::fromStdString(ControlKey{"EditExtra_Uni", k}.objectName()), this);
        spin->setGroupSeparatorShown(false);
        spin->setFixedWidth(64);
        // An arrow click or a confirmed value ends like a cell edit.
        connect(spin, &QSpinBox::valueChanged, this, [this, k](int value) {
            if (m_showing || !m_handlers.fieldEdited)
                return;
            m_handlers.fieldEdited("UpDownExtra_Uni", k, value);
            forward(m_handlers.cellEdited);
        });
        m_extras.at(static_cast<std::size_t>(k)) = spin;
    }
    for (int k = 0; k < kExtraLabels; ++k) {
        auto* text = new QLabel(this);
        text->setObjectName(QString::fromStdString(ControlKey{"LabelExtra_Uni", k}.objectName()));
        m_extraLabels.at(static_cast<std::size_t>(k)) = text;
    }
    arrangeExtras(-1);
}

void MapGrid::arrangeExtras(int page)
{
    const auto found = std::ranges::find(kExtraOrders, page, &ExtraOrder::page);
    const ExtraOrder& order = found == kExtraOrders.end() ? kPlainOrder : *found;
    while (QLayoutItem* item = m_extrasRow->takeAt(0))
        delete item;
    for (const ExtraSlot& slot : order.places) {
        const auto index = static_cast<std::size_t>(slot.index);
        switch (slot.kind) {
        case ExtraSlot::Kind::Field:
            m_extrasRow->addWidget(m_extras.at(index));
            break;
        case ExtraSlot::Kind::Label:
            m_extrasRow->addWidget(m_extraLabels.at(index));
            break;
        case ExtraSlot::Kind::Gap:
            m_extrasRow->addSpacing(kGapWidth);
            break;
        }
    }
    m_extrasRow->addStretch(1);
}

} // namespace quorvel
