#include "maps/map_page_commands.h"

#include "core/page_index.h"
#include "maps/servo_percent_switch.h"
#include "model/field_codec.h"
#include "model/field_table.h"

namespace quorvel {

MapPageCommands::MapPageCommands(TuneWriter& writer, ParamImage& image, MapPageHost& host)
    : m_writer(writer)
    , m_image(image)
    , m_host(host)
{
}

void MapPageCommands::storeControl(std::string_view controlName, int page, int shown)
{
    if (const auto target = FieldTable::byControl(controlName, -1, page))
        writeShown(m_image, *target->field, target->element, shown);
}

void MapPageCommands::pageChanged(int page)
{
    m_host.setMapGridVisible(false);
    m_host.selectPage(page);
    m_host.fillPage();
    m_host.setMapGridVisible(true);
}

void MapPageCommands::tools(StepDirection direction, const ToolContext& context)
{
    if (context.page == kPagePoloha) {
        for (std::size_t bank = 0; bank < kPositionBanks.size(); ++bank)
            positionSpin(kPositionBanks[bank], direction, context.positionAll[bank], context.positions);
        return;
    }
    (void)stepMap(m_writer, context.page, direction, context.wholeMap, context.live);
}

void MapPageCommands::columnSpin(int page, int column, StepDirection direction)
{
    (void)stepMapColumn(m_writer, page, column, direction);
}

void MapPageCommands::positionSpin(PositionBank bank, StepDirection direction, bool all, const PositionColumns& live)
{
    // Values just typed on the page are taken first.
    m_writer.change(
        [&](ParamImage& image, InjectionTables&) { (void)stepPosition(image, bank, direction, all, live); });
}

void MapPageCommands::percentSwitch(int page, bool checked)
{
    m_host.setMapGridVisible(false);
    (void)switchServoPercent(m_image, page, checked);
    m_host.setMapGridVisible(true);
    m_writer.commit();
}

void MapPageCommands::servoMode(int page, int item)
{
    m_host.setMapGridVisible(false);
    storeControl("RadioGroupServoMode", page, item);
    m_host.refreshView();
    m_host.setMapGridVisible(true);
    m_writer.record();
}

void MapPageCommands::servoEnable(int page, bool checked)
{
    m_host.setMapGridVisible(false);
    storeControl("CheckBoxServoEnable", page, checked ? 1 : 0);
    m_host.refreshView();
    m_host.setMapGridVisible(true);
    m_writer.record();
}

void MapPageCommands::jet123(Jet123Mode mode, int activePage)
{
    const Jet123Choice choice = chooseJet123Mode(m_image, mode, activePage);
    if (choice.page != activePage)
        m_host.selectPage(choice.page);
    m_host.setMapGridVisible(false);
    m_host.fillPage();
    m_host.setMapGridVisible(true);
    m_writer.record();
}

void MapPageCommands::gridOptionClick()
{
    m_host.setMapGridVisible(false);
    // The option is collected before the view follows it.
    m_writer.change([this](ParamImage&, InjectionTables&) {
        m_host.refreshView();
        m_host.setMapGridVisible(true);
    });
}

} // namespace quorvel
