#include "maps/parameter_editor.h"

#include "core/control_views.h"
#include "core/page_index.h"
#include "core/scoped_flag.h"
#include "io/code_page.h"
#include "maps/static_page_views.h"
#include "model/field_codec.h"
#include "model/field_table.h"
#include "model/idle_servo_units.h"
#include "model/memo_text.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace quorvel {
namespace {

constexpr ControlKey kBikeList{"ComboBoxBike"};
constexpr ControlKey kMemo{"Memo1"};
constexpr ControlKey kProgramAfterChange{"CheckBoxProgHned"};
constexpr ControlKey kTempDisplay{"CheckBoxTempDisplay"};

constexpr int kTps0Offset = 183;
constexpr int kTps100Offset = 184;
constexpr int kGearSystemOffset = 286;
constexpr int kGearNapetiOffset = 290;
constexpr int kGearRatioOffset = 310; // PulsuProSpeed, then PomerRpmSpeed of gears 1..6
constexpr int kIdleModeOffset = 2750;
constexpr int kServoInProcentOffset = 213;

constexpr int kGearVoltage = 0;
constexpr int kGearRatio = 1;
constexpr int kLastGear = 6;

// The throttle voltages a calibration point is taken from, in mV.
constexpr int kTps0Lowest = 300;
constexpr int kTpsSplit = 2500;
constexpr int kTps100Highest = 4900;
constexpr int kTpsMillivoltsPerCode = 10;

// Radio groups whose choice is recorded without refreshing the view.
constexpr std::string_view kPositionReferences[] = {"RadioGroupPolohaA", "RadioGroupPolohaB"};
constexpr std::string_view kIdleModeGroup = "RadioGroupIdleMode";

// The memo keeps its line breaks as carriage return and line feed; the window's text control
// uses a line feed alone.
std::string toUnitLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\n')
            out += "\r\n";
        else if (c != '\r')
            out.push_back(c);
    }
    return out;
}

std::string fromUnitLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out.push_back(text[i]);
    }
    return out;
}

} // namespace

ParameterEditor::ParameterEditor(const EditorParts& parts)
    : m_image(parts.image)
    , m_tables(parts.tables)
    , m_controls(parts.controls)
    , m_mapPages(parts.mapPages)
    , m_host(parts.host)
    , m_texts(parts.texts)
    , m_live(parts.live)
    , m_settings(parts.settings)
    , m_writer(parts.writer)
    , m_binding(parts.image, parts.controls)
    , m_bikeCommands(parts.image, parts.tables, *this, parts.prompts, parts.texts)
{
}

void ParameterEditor::start(int page)
{
    for (int p = 0; p < kPageCount; ++p) {
        if (isStaticPage(p))
            m_binding.configure(p);
    }
    m_page = page;
    fillPage();
    m_writer.start(m_page);
}

bool ParameterEditor::isStaticPage(int page)
{
    switch (page) {
    case kPageBike:
    case kPagePoloha:
    case kPageKorekce:
    case kPageCidla:
    case kPageIdle:
    case kPageGas:
    case kPageRace:
    case kPageGear:
    case kPageLadeni:
        return true;
    default:
        return false;
    }
}

void ParameterEditor::collectPage()
{
    if (m_page == kPageMonitor)
        return;
    if (!isStaticPage(m_page)) {
        m_mapPages.collect(m_page);
        return;
    }
    m_binding.collect(m_page);
    if (m_page == kPageBike)
        collectMemo();
}

void ParameterEditor::fillPage()
{
    m_coupling = JetCoupling::fromImage(m_image);
    m_controls.setColour(kProgramAfterChange, programAfterChange() ? ColourRole::Red : ColourRole::NormalFace);
    if (m_page == kPageBike) {
        fillBikePage();
    } else if (m_page == kPageIdle) {
        for (const ControlView& range : idleRanges(m_image))
            m_controls.apply(range);
        m_binding.fill(m_page);
    } else if (isStaticPage(m_page)) {
        m_binding.fill(m_page);
    } else if (m_page != kPageMonitor) {
        m_mapPages.fill(m_page);
    }
    refreshView();
    rememberFilledState();
}

void ParameterEditor::fillBikePage()
{
    const UnitHeaderTexts& header = m_image.headerTexts();
    m_controls.apply(captionView({"LabelVerze1"}, header.version));
    m_controls.apply(captionView({"LabelVerze2"}, header.date));
    m_controls.apply(captionView({"LabelVerze3"}, header.time));
    const int position = m_bikeCommands.showBike();
    if (m_controls.itemIndex(kBikeList) != position)
        m_controls.setItemIndex(kBikeList, position);
    m_controls.setText(
        kMemo, fromUnitLineBreaks(codePageToUtf8(memoText(m_image), memoCodePage(static_cast<int>(m_language)))));
    m_binding.fill(kPageBike);
}

void ParameterEditor::collectMemo()
{
    storeMemo(m_image,
              toUnitLineBreaks(utf8ToCodePage(m_controls.text(kMemo), memoCodePage(static_cast<int>(m_language)))));
}

void ParameterEditor::refreshView()
{
    if (m_page == kPageRace && clearUnsupportedTempDisplay(m_image))
        m_controls.setChecked(kTempDisplay, false);
    for (const ControlView& view : staticPageView(m_page, m_image, m_texts, m_language))
        m_controls.apply(view);
    m_mapPages.refreshView(m_page);
}

void ParameterEditor::sanitise()
{
    for (const ControlColour& warning : sanitiseImage(m_image, m_settings))
        m_controls.setColour({warning.control}, warning.role);
}

void ParameterEditor::afterChange()
{
    m_writer.commit();
}

void ParameterEditor::takeSnapshot()
{
    m_writer.record();
}

void ParameterEditor::imageReplaced()
{
    m_tables.refreshFromImage(m_image);
    fillPage();
}

void ParameterEditor::changePage(int page)
{
    // The commit of the page left shows the image on the page control's new page, which asks
    // for this change again: the page is taken once the commit is done.
    if (page == m_page || m_leavingPage)
        return;
    if (isStaticPage(m_page) && pageChangedSinceFill()) {
        const ScopedFlag leaving(m_leavingPage);
        commitEdit();
    }
    m_page = page;
    fillPage();
}

// The editor collects its own page: while a page is left, the window already shows the next.
void ParameterEditor::commitEdit()
{
    collectPage();
    m_writer.commit();
}

void ParameterEditor::upDownClicked()
{
    commitEdit();
}

void ParameterEditor::editClicked()
{
    commitEdit();
}

void ParameterEditor::enterPressed()
{
    commitEdit();
}

void ParameterEditor::fieldEditingFinished()
{
    // The grid of a map page commits its own cells.
    if (isStaticPage(m_page) && pageChangedSinceFill())
        commitEdit();
}

void ParameterEditor::checkBoxReleased()
{
    collectPage();
    refreshView();
    m_writer.commit();
}

void ParameterEditor::radioClicked(ControlKey radioGroup, int item)
{
    const std::optional<FieldElement> target = FieldTable::byControl(radioGroup.name, radioGroup.index, m_page);
    if (!target || item < 0)
        return;
    if (radioGroup.name == kIdleModeGroup) {
        chooseIdleMode(item);
        return;
    }
    writeCode(m_image, *target->field, target->element, static_cast<std::uint16_t>(item));
    const bool positionReference =
        std::ranges::find(kPositionReferences, radioGroup.name) != std::end(kPositionReferences);
    if (!positionReference)
        refreshView();
    takeSnapshot();
}

// A new idle mode changes the unit of the idle targets: they are converted at once, and the
// change is recorded with the next one.
void ParameterEditor::chooseIdleMode(int mode)
{
    const int oldMode = m_image.byte(kIdleModeOffset);
    m_image.setByte(kIdleModeOffset, static_cast<std::uint8_t>(mode));
    for (const ControlView& range : idleRanges(m_image))
        m_controls.apply(range);
    const bool percent = m_image.byte(kServoInProcentOffset) != 0;
    IdleServoUnits::convert(m_image, oldMode, percent, mode, percent);
    fillPage();
}

void ParameterEditor::bikeSelected(int position)
{
    m_bikeCommands.changeBike(position);
}

void ParameterEditor::learnGear(int gear)
{
    if (gear < 0 || gear > kLastGear)
        return;
    switch (m_image.byte(kGearSystemOffset)) {
    case kGearVoltage:
        m_image.setWordAt(kGearNapetiOffset + 2 * gear, m_live.GearMillivolts);
        break;
    case kGearRatio:
        // Gear 0 would be the pulses per speed unit: its button does nothing in this mode.
        if (gear == 0)
            return;
        m_image.setWordAt(kGearRatioOffset + 2 * gear, m_live.RpmSpeedRatio);
        break;
    default:
        break;
    }
    afterChange();
}

void ParameterEditor::learnTps0()
{
    const int mv = m_live.TpsMillivolts;
    if (mv < kTps0Lowest || mv > kTpsSplit)
        return;
    m_image.setByte(kTps0Offset, static_cast<std::uint8_t>(mv / kTpsMillivoltsPerCode));
    afterChange();
}

void ParameterEditor::learnTps100()
{
    const int mv = m_live.TpsMillivolts;
    if (mv < kTpsSplit || mv > kTps100Highest)
        return;
    m_image.setByte(kTps100Offset, static_cast<std::uint8_t>((mv - kTpsSplit) / kTpsMillivoltsPerCode));
    afterChange();
}

void ParameterEditor::undo()
{
    m_writer.undo();
}

void ParameterEditor::redo()
{
    m_writer.redo();
}

bool ParameterEditor::programAfterChange() const
{
    return m_controls.checked(kProgramAfterChange);
}

void ParameterEditor::rememberFilledState()
{
    if (!isStaticPage(m_page))
        return;
    m_filled = m_binding.read(m_page);
    m_filledMemo = m_page == kPageBike ? m_controls.text(kMemo) : std::string();
}

bool ParameterEditor::pageChangedSinceFill()
{
    if (m_binding.read(m_page) != m_filled)
        return true;
    return m_page == kPageBike && m_controls.text(kMemo) != m_filledMemo;
}

int ParameterEditor::selectedBikePosition() const
{
    return m_controls.itemIndex(kBikeList);
}

void ParameterEditor::forgetTransferAndFile()
{
    m_host.forgetTransferAndFile();
}

void ParameterEditor::applyCaptions()
{
    m_host.applyCaptions();
}

} // namespace quorvel
