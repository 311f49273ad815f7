#include "sim/line_with_virtual_unit.h"

namespace quorvel::sim {

LineWithVirtualUnit::LineWithVirtualUnit(std::unique_ptr<SerialLine> real, VirtualUnit& unit)
    : m_real(std::move(real))
    , m_virtual(unit)
    , m_active(m_real.get())
{
}

bool LineWithVirtualUnit::open(const std::string& deviceName)
{
    close();
    m_active = deviceName == kVirtualUnitDevice ? static_cast<SerialLine*>(&m_virtual) : m_real.get();
    return m_active->open(deviceName);
}

void LineWithVirtualUnit::close()
{
    m_real->close();
    m_virtual.close();
}

} // namespace quorvel::sim
