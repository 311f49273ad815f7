#include "model/bike_commands.h"

#include "model/bike_defaults.h"
#include "model/bike_list.h"
#include "model/jet_coupling.h"

namespace quorvel {
namespace {

constexpr int kBikeOffset = 150;
constexpr int kFirstAPage = 2;
constexpr int kLastAPage = 5;

} // namespace

BikeCommands::BikeCommands(ParamImage& image, InjectionTables& tables, BikeCommandHost& host, UserPrompts& prompts,
                           const MessageTexts& texts)
    : m_image(image)
    , m_tables(tables)
    , m_host(host)
    , m_prompts(prompts)
    , m_texts(texts)
{
}

void BikeCommands::newAll()
{
    if (m_host.selectedBikePosition() >= BikeList::kNoBikePosition)
        return;
    if (m_prompts.askYesNoCancel(m_texts.text(kAskDefaults)) != PromptAnswer::Yes)
        return;
    m_host.setPageOnlyLoad(false);
    applyDefaults(m_image, m_tables, {false, m_host.activePage()});
    m_host.forgetTransferAndFile();
    m_host.afterChange();
}

void BikeCommands::newForPage()
{
    // The coupled A maps are reset together or not at all.
    const int page = m_host.activePage();
    const bool coupled = m_image.byte(kJet123ModeOffset) == static_cast<std::uint8_t>(Jet123Mode::Coupled);
    if (page >= kFirstAPage && page <= kLastAPage && coupled)
        return;
    if (m_host.selectedBikePosition() >= BikeList::kNoBikePosition)
        return;
    if (m_prompts.askYesNoCancel(m_texts.text(kAskPageDefaults)) != PromptAnswer::Yes)
        return;
    m_host.setPageOnlyLoad(true);
    applyDefaults(m_image, m_tables, {true, page});
    m_host.forgetTransferAndFile();
    m_host.afterChange();
}

void BikeCommands::changeBike(int position)
{
    // The maps are stored again below against the new bike's references: the percent tables
    // must hold the percentages of the maps as stored now, against the references in force
    // before the change, even where the image was replaced since a page last showed them.
    m_tables.refreshFromImage(m_image);
    if (const auto code = BikeList::bikeCodeOf(position))
        m_image.setByte(kBikeOffset, static_cast<std::uint8_t>(*code));

    newAll();

    m_tables.storeAllAgainst(m_image, selectBikeGrids(m_image));
    deriveBikeFields(m_image);
    m_host.afterChange();
    m_host.applyCaptions();
}

int BikeCommands::showBike()
{
    const int position = BikeList::shownPosition(m_image.byte(kBikeOffset));
    if (position == BikeList::kNoBikePosition)
        m_prompts.showMessage(m_texts.text(kNotForBike));
    return position;
}

} // namespace quorvel
