#include "sim/fuel_demand.h"

#include "model/injection_tables.h"
#include "model/reference_interpolation.h"
#include "sim/cell_interpolation.h"

namespace quorvel::sim {

double demandMicroseconds(const FuelDemand& demand, const ParamImage& memory, int cylinder, int rpm, int throttleTenths)
{
    // 1A and 4A are the outer cylinders, 2A and 3A the inner ones, as the reference tables pair them.
    const BikeGridSet grids = selectBikeGrids(memory);
    const bool outer = cylinder == 0 || cylinder == 3;
    const ReferenceTable references =
        interpolateReferences(outer ? *grids.outer : *grids.inner, kThrottleRows, kThrottleRows, demand.axis);

    return blendCells(bracketOf(throttleRowTenths(), throttleTenths), bracketOf(axisRpm(demand.axis), rpm),
                      [&](std::size_t r, std::size_t c) {
                          const std::size_t e = r * kMapColumns + c;
                          return static_cast<double>(storedTime(demand.percent[e], references[e]));
                      });
}

} // namespace quorvel::sim
