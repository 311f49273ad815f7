#include "maps/page_view.h"

#include "core/page_index.h"
#include "model/field_table.h"
#include "model/jet_coupling.h"
#include "model/map_layout.h"

#include <algorithm>
#include <array>
#include <string>

namespace quorvel {
namespace {

constexpr int kBike = 150;
constexpr int kEngineType = 152;
constexpr int kServoInStepMotor = 216;
constexpr int kCylinderCount = 406;
constexpr int kStepMotorlessBike = 47; // its intake servo cannot be a step motor

constexpr int kExtraFields = 6;
constexpr int kExtraLabels = 5;

// Message texts of the grid's auxiliary labels.
constexpr int kTextBaseAdvance = 39;
constexpr int kTextIapToTp = 54;
constexpr int kTextHysteresis = 55;
constexpr int kTextLobeWidth = 56;
constexpr int kTextCylinderCorrection = 57;
constexpr int kTextTpsMin = 58;
constexpr int kTextPeriod = 67;
constexpr int kTextExcitation = 68;

// Engine types whose advance map needs the lobe width.
constexpr std::array kLobeEngineTypes = {7, 22};
// Engine types with a crankshaft pickup only; type 2 has a camshaft pickup only.
constexpr std::array kCrankPickupOnly = {1, 3, 7, 11, 15, 19, 20, 22, 23};
constexpr int kCamPickupOnly = 2;

bool isMapPage(int page)
{
    return MapTable::ofPage(page) != nullptr;
}

bool isInjectionAPage(int page)
{
    return page >= kPageInj1A && page <= kPageInj4A;
}

// The cylinders the per-cylinder fields stand for: any count outside 1..4 counts as four.
int cylinders(const ParamImage& image)
{
    const int count = image.byte(kCylinderCount);
    return count >= 1 && count <= 4 ? count : 4;
}

// " 1", " 1,2" ... naming the cylinders after "Correction for cylinder".
std::string cylinderList(int count)
{
    std::string list = " 1";
    for (int k = 2; k <= count; ++k) {
        list += ',';
        list += static_cast<char>('0' + k); // at most four cylinders
    }
    return list;
}

class ViewBuilder {
public:
    explicit ViewBuilder(PageView& view)
        : m_view(view)
    {
    }

    void show(std::string_view name, int index, bool visible)
    {
        m_view.controls.push_back({{name, index}, visible, {}, {}, {}, {}, {}});
    }
    void showSeries(std::string_view name, int count, bool visible)
    {
        for (int i = 0; i < count; ++i)
            show(name, i, visible);
    }
    void caption(std::string_view name, int index, bool visible, std::string text)
    {
        m_view.controls.push_back({{name, index}, visible, {}, std::move(text), {}, {}, {}});
    }
    void add(ControlView view) { m_view.controls.push_back(std::move(view)); }
    void check(std::string_view name, bool checked) { m_view.checks.push_back({{name, -1}, checked}); }
    void colour(std::string_view name, ColourRole role) { m_view.colours.push_back({{name, -1}, role, {}}); }

private:
    PageView& m_view;
};

// Which auxiliary fields a page shows and what its labels read.
struct ExtraSet {
    std::array<bool, kExtraFields> fields{};
    std::array<std::optional<std::string>, kExtraLabels> labels{};

    void showFields(int first, int count)
    {
        for (int k = first; k < first + count; ++k)
            fields[static_cast<std::size_t>(k)] = true;
    }
    void label(int k, std::string_view text) { labels[static_cast<std::size_t>(k)] = std::string(text); }
};

ExtraSet extrasOf(const ParamImage& image, int page, GridLayoutMode mode, const MessageTexts& texts)
{
    ExtraSet set;
    const int count = cylinders(image);
    const std::string cylinderCaption = std::string(texts.text(kTextCylinderCorrection)) + cylinderList(count);
    switch (page) {
    case kPageAdvance:
        set.showFields(4, 1);
        set.label(0, texts.text(kTextBaseAdvance));
        set.showFields(0, count);
        set.label(1, cylinderCaption);
        if (std::ranges::find(kLobeEngineTypes, image.byte(kEngineType)) != kLobeEngineTypes.end()) {
            set.showFields(5, 1);
            set.label(2, texts.text(kTextLobeWidth));
        }
        break;
    case kPageInj1A:
        set.label(0, texts.text(kTextIapToTp));
        set.showFields(0, 4);
        for (int k = 1; k <= 4; ++k)
            set.label(k, texts.text(kTextTpsMin + k - 1));
        break;
    case kPageInjIap:
        set.showFields(0, count);
        set.label(1, cylinderCaption);
        break;
    case kPageIntakeServo:
    case kPageExhaustServo:
        if (mode == GridLayoutMode::Empty)
            break;
        set.showFields(0, 1);
        set.label(1, texts.text(kTextHysteresis));
        if (page == kPageIntakeServo && image.byte(kServoInStepMotor) != 0) {
            set.showFields(2, 2);
            set.label(3, texts.text(kTextPeriod));
            set.label(4, texts.text(kTextExcitation));
        }
        break;
    default:
        break;
    }
    return set;
}

void addExtras(ViewBuilder& build, const ExtraSet& set, int page)
{
    for (int k = 0; k < kExtraFields; ++k) {
        const bool shown = set.fields[static_cast<std::size_t>(k)];
        ControlView field{{"EditExtra_Uni", k}, shown, {}, {}, {}, {}, {}};
        if (const auto target = FieldTable::byControl("UpDownExtra_Uni", k, page); shown && target) {
            field.minimum = target->field->minimum;
            field.maximum = target->field->maximum;
            field.step = target->field->step;
        }
        build.add(field);
        build.show("UpDownExtra_Uni", k, shown);
    }
    for (int k = 0; k < kExtraLabels; ++k) {
        const auto& text = set.labels[static_cast<std::size_t>(k)];
        if (text)
            build.caption("LabelExtra_Uni", k, true, *text);
        else
            build.show("LabelExtra_Uni", k, false);
    }
}

} // namespace

const ControlView* PageView::find(std::string_view name, int index) const
{
    const ControlKey key{name, index};
    const auto it = std::ranges::find(controls.rbegin(), controls.rend(), key, &ControlView::key);
    return it == controls.rend() ? nullptr : &*it;
}

std::string_view couplingLabelText(int cylinderCount, bool same)
{
    switch (cylinderCount) {
    case 2:
        return same ? "  1 = 2  " : "  1 -> 2  ";
    case 3:
        return same ? "  1 = 2 = 3  " : "  1 -> 2, 3  ";
    default:
        return same ? "  1 = 2 = 3 = 4  " : "  1 -> 2, 3, 4  ";
    }
}

PageView configureMapGrid(const ParamImage& image, int page, MapGridOptions options, const MessageTexts& texts)
{
    PageView view;
    if (!isMapPage(page))
        return view;
    const JetCoupling coupling = JetCoupling::fromImage(image);
    const GridLayout layout = GridLayout::of(gridLayoutMode(image, page, options.showMs));
    const GridLayoutMode mode = layout.mode;
    view.grid = layout;
    ViewBuilder build(view);

    build.show("LabelRpm_Uni", -1, layout.rpmFields);
    build.showSeries("EditRpm_Uni", kMapColumns, layout.rpmFields);
    build.showSeries("UpDownRpm_Uni", kMapColumns, layout.rpmUpDowns);
    build.showSeries("CSpinButtonColumn_Uni", kMapColumns, layout.columnSpins);

    // Only "Inj-IAP" has a stored load axis; the other pages head their rows with fixed openings.
    const bool pressureRows = page == kPageInjIap;
    const bool rowHeads = mode != GridLayoutMode::Empty && mode != GridLayoutMode::OneRow;
    build.showSeries("EditRow_Uni", kMapRows, pressureRows);
    build.showSeries("UpDownRow_Uni", kMapRows, pressureRows);
    build.caption("LabelRowAxis_Uni", -1, rowHeads, pressureRows ? "IAP [kPa]" : "TPS");
    build.showSeries("LabelRow_Uni", kMapRows, rowHeads && !pressureRows);

    const bool tools = mode == GridLayoutMode::Full || mode == GridLayoutMode::FullTimes ||
                       mode == GridLayoutMode::OneRow || mode == GridLayoutMode::OneColumn;
    build.show("CSpinButtonTools_Uni", -1, tools);
    build.show("CheckBoxAll_Uni", -1, tools);
    build.show("CheckBoxTps_Uni", -1, page == kPageAdvance);
    build.show("BevelTop_Uni", -1, mode != GridLayoutMode::Empty);
    const bool msOption = page == kPageInj1A || page == kPageInjIap || (isInjectionAPage(page) && !coupling.coupled);
    build.show("CheckBoxZobrMs_Uni", -1, msOption);

    const int count = cylinders(image);
    const bool coupled = coupling.coupled || coupling.same;
    build.caption("LabelJet123_Uni", -1, isInjectionAPage(page) && coupled && count != 1,
                  std::string(couplingLabelText(count, coupling.same)));
    build.colour("LabelJet123_Uni", coupling.same ? ColourRole::Aqua : ColourRole::Yellow);

    const bool servoPage = page == kPageIntakeServo || page == kPageExhaustServo;
    const bool servoOn = servoPage && mode != GridLayoutMode::Empty;
    build.show("CheckBoxServoEnable", -1, servoPage);
    build.show("CheckBoxProcenta", -1, servoOn);
    build.show("RadioGroupServoMode", -1, servoOn);
    build.add({{"CheckBoxStepMotor", -1},
               servoOn && page == kPageIntakeServo,
               image.byte(kBike) != kStepMotorlessBike,
               {},
               {},
               {},
               {}});

    addExtras(build, extrasOf(image, page, mode, texts), page);
    return view;
}

PageView refreshView(const ParamImage& image, int page, MapGridOptions options, const MessageTexts& texts)
{
    PageView view = configureMapGrid(image, page, options, texts);
    ViewBuilder build(view);
    const JetCoupling coupling = JetCoupling::fromImage(image);

    build.check("Menu_Jet123Normal", !coupling.coupled && !coupling.same);
    build.check("Menu_Jet123Coupled", coupling.coupled);
    build.check("Menu_Jet123Stejny", coupling.same);

    const int count = image.byte(kCylinderCount);
    for (int page2A = kPageInj2A; page2A <= kPageInj4A; ++page2A) {
        const int needed = page2A - kPageInj1A + 1;
        build.show(kMapTabName, page2A, !coupling.same && count >= needed);
    }

    const int engineType = image.byte(kEngineType);
    const bool crankOnly = std::ranges::find(kCrankPickupOnly, engineType) != kCrankPickupOnly.end();
    const bool camOnly = engineType == kCamPickupOnly;
    build.show("LabelSnimacCkps", -1, !camOnly);
    build.show("LabelSnimacCmps", -1, !crankOnly);

    // Page defaults and page loads would overwrite a coupled follower behind the coupling's back.
    // Decided on every page, so that leaving a coupled injection page enables them again.
    const bool pageLoads = !(isInjectionAPage(page) && coupling.coupled);
    build.add({{"MenuNewActPage", -1}, {}, pageLoads, {}, {}, {}, {}});
    build.add({{"MenuOpenActPage", -1}, {}, pageLoads, {}, {}, {}, {}});
    return view;
}

bool clearUnsupportedStepMotor(ParamImage& image, int page)
{
    if (page != kPageIntakeServo || image.byte(kBike) != kStepMotorlessBike || image.byte(kServoInStepMotor) == 0)
        return false;
    image.setByte(kServoInStepMotor, 0);
    return true;
}

} // namespace quorvel
