#include "model/jet_coupling.h"

#include "model/map_layout.h"

namespace quorvel {
namespace {

constexpr int kInj1APage = 2;
constexpr int kInj2APage = 3;
constexpr int kInj4APage = 5;

} // namespace

JetCoupling JetCoupling::fromImage(const ParamImage& image)
{
    const std::uint8_t mode = image.byte(kJet123ModeOffset);
    return {mode == static_cast<std::uint8_t>(Jet123Mode::Coupled),
            mode == static_cast<std::uint8_t>(Jet123Mode::Same)};
}

JetCoupling JetCoupling::of(Jet123Mode mode)
{
    return {mode == Jet123Mode::Coupled, mode == Jet123Mode::Same};
}

Jet123Choice chooseJet123Mode(ParamImage& image, Jet123Mode mode, int activePage)
{
    image.setByte(kJet123ModeOffset, static_cast<std::uint8_t>(mode));
    Jet123Choice choice{JetCoupling::of(mode), activePage};
    if (mode != Jet123Mode::Normal)
        copyAxis(image, MapId::Jet1A, MapId::Jet2A);
    if (mode == Jet123Mode::Same && activePage >= kInj2APage && activePage <= kInj4APage)
        choice.page = kInj1APage;
    return choice;
}

} // namespace quorvel
