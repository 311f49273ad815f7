#include "model/page_binding.h"

#include "model/bike_list.h"
#include "model/field_codec.h"

namespace quorvel {
namespace {

constexpr std::string_view kUpDownPrefix = "UpDown";
constexpr std::string_view kEditPrefix = "Edit";

// Fields bound by their own code: the memo, and the menu that sets the injector coupling.
bool boundHere(const Field& field)
{
    return field.form != FieldForm::Text && field.control != ControlKind::Menu && !field.isDerived();
}

template <typename Visit> void forEachElement(int page, Visit visit)
{
    for (const Field* field : FieldTable::ofPage(page)) {
        if (!boundHere(*field))
            continue;
        for (int element = 0; element < field->count; ++element)
            visit(*field, element, fieldControl(*field, element));
    }
}

} // namespace

FieldControl fieldControl(const Field& field, int element)
{
    std::string name(field.controlName);
    if (field.control == ControlKind::Spin && field.controlName.starts_with(kUpDownPrefix))
        name = std::string(kEditPrefix) + std::string(field.controlName.substr(kUpDownPrefix.size()));
    return {name, field.controlIndexOf(element)};
}

PageBinding::PageBinding(ParamImage& image, Controls& controls)
    : m_image(image)
    , m_controls(controls)
{
}

void PageBinding::configure(int page)
{
    forEachElement(page, [&](const Field& field, int, const FieldControl& control) {
        if (field.control == ControlKind::Spin)
            m_controls.setRange(control.key(), {field.minimum, field.maximum, field.step});
    });
}

void PageBinding::fill(int page)
{
    forEachElement(page, [&](const Field& field, int element, const FieldControl& control) {
        const std::uint16_t code = readCode(m_image, field, element);
        switch (field.control) {
        case ControlKind::Spin: {
            const int shown = decodeField(field, code);
            if (m_controls.value(control.key()) != shown)
                m_controls.setValue(control.key(), shown);
            break;
        }
        case ControlKind::CheckBox:
            m_controls.setChecked(control.key(), code != 0);
            break;
        case ControlKind::RadioGroup:
            m_controls.setItemIndex(control.key(), code);
            break;
        default:
            break;
        }
    });
}

void PageBinding::collect(int page)
{
    forEachElement(page, [&](const Field& field, int element, const FieldControl& control) {
        if (!m_controls.isShown(control.key()))
            return;
        switch (field.control) {
        case ControlKind::Spin:
            m_controls.interpretText(control.key());
            writeCode(m_image, field, element, encodeField(field, m_controls.value(control.key())));
            break;
        case ControlKind::CheckBox:
            writeCode(m_image, field, element, m_controls.checked(control.key()) ? 1 : 0);
            break;
        case ControlKind::RadioGroup:
            if (const int item = m_controls.itemIndex(control.key()); item >= 0)
                writeCode(m_image, field, element, static_cast<std::uint16_t>(item));
            break;
        case ControlKind::ComboBox:
            // The no-bike item has no code: the image keeps the bike it had.
            if (const auto code = BikeList::bikeCodeOf(m_controls.itemIndex(control.key())))
                writeCode(m_image, field, element, static_cast<std::uint16_t>(*code));
            break;
        default:
            break;
        }
    });
}

PageControlState PageBinding::read(int page)
{
    PageControlState state;
    forEachElement(page, [&](const Field& field, int, const FieldControl& control) {
        switch (field.control) {
        case ControlKind::Spin:
            m_controls.interpretText(control.key());
            state.values.push_back(m_controls.value(control.key()));
            break;
        case ControlKind::CheckBox:
            state.values.push_back(m_controls.checked(control.key()) ? 1 : 0);
            break;
        default:
            state.values.push_back(m_controls.itemIndex(control.key()));
            break;
        }
    });
    return state;
}

} // namespace quorvel
