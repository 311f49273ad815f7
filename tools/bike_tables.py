#!/usr/bin/env python3
"""Generates the larger bike presets of the configurator from a simple engine model.

The unit is delivered with reference injection grids, full advance tables, bank-B injection maps
and servo maps for every supported bike. Their shapes and bike groups are fixed; their numbers are
produced here, deterministically, from a few engine figures per bike group so that they behave
like real calibrations: injection time rises with throttle and intake pressure, advance falls with
load, the secondary injectors take over at high speed and load, the servo valves open with speed.

    python3 tools/bike_tables.py          rewrites src/model/bike_jet_grid_tables.inc and
                                          src/model/bike_map_preset_tables.inc
    python3 tools/bike_tables.py --check  exits 1 when a generated file is out of date

The engine model
----------------
Every group is described by its first bike code: displacement (cc), cylinders, the rev ceiling
(`RpmMax`), the top of its RPM axis preset and its throttle-sensor calibration (Tps0, Tps100).

* Volumetric efficiency over speed n: VE(n) = 0.60 + 0.40 exp(-((n - 0.72 nMax) / (0.5 nMax))^2),
  a torque curve that peaks at 72 % of the rev ceiling.
* Cylinder filling over throttle t (percent): the closed-throttle filling is
  f0(n) = 0.28 - 0.18 n / nMax (deeper vacuum at speed), and the filling approaches 1 as
  1 - exp(-t / tc(n)), normalised to 1 at full throttle, with tc(n) = t0 (1 + 8 (n / nMax)^2):
  at low speed a small opening fills the engine, near the ceiling filling grows almost linearly
  with the opening. t0 = 25 * 4400 / span where span = Tps100 - Tps0 in mV: a throttle body whose
  sensor sweeps a short span is a large bore that fills the engine at smaller openings.
* Full-load pulse: the fuel for one cylinder filling at lambda 0.88 (air 1.18 mg/cc, 12.8:1),
  delivered by the smallest standard injector (g/min) that keeps the duty cycle at the rev
  ceiling at or below 50 %. Dead time 300 us is added to every pulse.
* Speeds above the top of the bike's RPM axis are never read by the unit: the grids hold the
  value at the axis top there.
* The inner cylinders (grids of JET_2A and JET_3A) run 3 % richer than the outer ones; their
  exhaust runs hotter between the outer pipes.
* IAP grids: speed-density, the filling is the intake pressure over 100 kPa.

The outer grid of bike 1 is the factory grid and is emitted as it stands.

Map presets (src/model/bike_map_preset_tables.inc), over the bike's own RPM axis preset:

* Full advance tables: the full-load curve rises from 8 degrees at 1000 rpm towards 32 degrees
  (time constant 18 % of the ceiling), loses up to 4 degrees over the last quarter of the rev
  range and 2 degrees for cylinders above 200 cc; part load adds up to 14 degrees,
  14 (1 - t/100)^1.3, faded in up to 3000 rpm, so advance falls as the throttle opens.
* Inj-B maps: the share of the secondary injectors, up to 60, grows smoothly between 55 % and
  90 % of the rev ceiling and between 20 % and 80 % throttle.
* Servo presets: an intake flap opens smoothly between 35 % and 75 % of the ceiling; in the maps
  with throttle rows it opens to 30 % at closed throttle and fully from 60 % throttle. An
  exhaust valve opens between 25 % and 45 % of the ceiling, closes by 45 % around half the
  ceiling (for the pipe resonance) and opens again. Positions are percentages, or servo
  voltages from 1000 mV (closed) to 4000 mV (open) in steps of 20 mV. The servo axis runs from
  1000 rpm to the ceiling (rounded up to 500 rpm) in 14 even steps of whole 100 rpm.
"""

import math
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

RPM_10 = [1000, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000, 16000]
RPM_15 = [1000 * (i + 1) for i in range(14)] + [16000]
THROTTLE_ROWS = [0, 2, 5, 10, 20, 30, 40, 60, 80, 100]  # percent
IAP_ROWS_WIDE = [30, 50, 60, 70, 75, 80, 85, 90, 95, 100]  # kPa
IAP_ROWS_NARROW = [10 * (i + 1) for i in range(10)]  # kPa

INJECTOR_SIZES = [120, 150, 180, 210, 250, 290, 330, 370, 410, 450, 500, 550, 600, 700]  # g/min
DEAD_TIME_US = 300
INNER_ENRICHMENT = 1.03

# Figures of the bikes whose data drive the model, copied from the bike presets:
# code: (displacement cc, cylinders, RpmMax, top of the RPM axis preset, Tps0 mV, Tps100 mV)
ENGINES = {
    0: (998, 2, 11000, 12000, 650, 4030),
    1: (996, 2, 10800, 12000, 340, 4730),
    2: (599, 4, 14000, 16000, 500, 4420),
    3: (599, 4, 15000, 16000, 500, 4420),
    4: (929, 4, 12000, 14000, 500, 4420),
    5: (999, 2, 11000, 12000, 500, 4420),
    6: (636, 4, 14000, 16000, 1100, 4300),
    7: (599, 4, 14000, 16000, 1030, 4300),
    8: (998, 4, 12700, 14000, 620, 3970),
    9: (1199, 4, 11000, 12000, 1080, 4190),
    12: (750, 4, 13600, 14000, 1100, 4300),
    13: (988, 4, 12000, 14000, 1100, 4300),
    15: (1299, 4, 10900, 12000, 1100, 4300),
    16: (996, 2, 10500, 12000, 1100, 4300),
    17: (998, 4, 13800, 14000, 660, 3890),
    18: (599, 4, 15000, 16000, 660, 3890),
    24: (1130, 2, 10000, 10000, 480, 4480),
    25: (996, 2, 10500, 12000, 1100, 4300),
    26: (999, 4, 13000, 15000, 1100, 4450),
    27: (998, 4, 14300, 14000, 660, 3890),
    30: (999, 2, 10800, 12000, 340, 4730),
    34: (599, 4, 15800, 15000, 690, 4080),
    39: (449, 2, 11500, 15000, 640, 4170),
    47: (998, 4, 14000, 15000, 690, 4080),
}

# Grid groups: first code -> members. 34 and 47 share the A grids but each has its own IAP grid;
# 39 uses the IAP grid of 26.
GRID_GROUPS = {
    0: [0, 42, 43], 1: [1], 2: [2], 3: [3, 21, 28, 46], 4: [4, 22, 31], 5: [5],
    6: [6, 11, 20, 32, 33, 41, 44, 49], 7: [7, 19, 48], 8: [8, 36, 45], 9: [9, 10], 12: [12, 23],
    13: [13, 14, 38], 15: [15, 29, 50], 16: [16], 17: [17], 18: [18, 35], 24: [24],
    25: [25, 37, 40, 52], 26: [26], 27: [27, 51], 30: [30], 34: [34, 47], 39: [39],
}
WIDE_GROUPS = {8, 26, 34, 39}

BIKE1_OUTER = [
    [110, 80, 65, 65, 55, 45, 50, 50, 50, 50],
    [120, 80, 65, 60, 50, 50, 50, 50, 50, 50],
    [137, 95, 75, 63, 48, 43, 33, 21, 21, 21],
    [163, 135, 113, 88, 58, 55, 55, 55, 55, 55],
    [235, 195, 153, 138, 115, 100, 95, 95, 95, 95],
    [287, 245, 200, 170, 143, 140, 130, 122, 122, 122],
    [343, 303, 270, 230, 168, 185, 188, 188, 188, 188],
    [355, 355, 353, 325, 248, 258, 243, 211, 211, 211],
    [355, 345, 398, 445, 485, 475, 445, 385, 385, 385],
    [360, 345, 395, 400, 475, 570, 550, 430, 430, 430],
]


class Engine:
    def __init__(self, code):
        self.cc, self.cylinders, self.rpm_max, self.axis_top, tps0, tps100 = ENGINES[code]
        self.throttle_scale = 25.0 * 4400.0 / (tps100 - tps0)
        self.full_pulse_us = self._full_load_pulse()

    def ve(self, rpm):
        peak = 0.72 * self.rpm_max
        return 0.60 + 0.40 * math.exp(-(((rpm - peak) / (0.5 * self.rpm_max)) ** 2))

    def filling(self, rpm, throttle):
        closed = 0.28 - 0.18 * rpm / self.rpm_max
        tc = self.throttle_scale * (1.0 + 8.0 * (rpm / self.rpm_max) ** 2)
        rise = (1.0 - math.exp(-throttle / tc)) / (1.0 - math.exp(-100.0 / tc))
        return closed + (1.0 - closed) * rise

    def _full_load_pulse(self):
        fuel_mg = self.cc / self.cylinders * 1.18 / 12.8
        cycle_us = 120e6 / self.rpm_max
        needed = fuel_mg * self.ve(self.rpm_max) / (0.50 * cycle_us)  # mg/us
        grams_per_minute = needed * 60e6 / 1000.0
        size = next(s for s in INJECTOR_SIZES if s >= grams_per_minute)
        return fuel_mg / (size * 1000.0 / 60e6)

    def pulse(self, rpm, fill):
        rpm = min(rpm, self.axis_top)
        return DEAD_TIME_US + self.full_pulse_us * self.ve(rpm) * fill

    def seen_rpm(self, rpm):
        return min(rpm, self.axis_top)


def to_cells(us):
    return int(us / 10.0 + 0.5)


def throttle_grid(engine, columns, enrichment=1.0):
    rows = []
    for throttle in THROTTLE_ROWS:
        row = []
        for rpm in columns:
            n = engine.seen_rpm(rpm)
            row.append(to_cells(engine.pulse(n, engine.filling(n, throttle)) * enrichment))
        rows.append(row)
    return rows


def iap_grid(engine, columns, wide):
    pressures = IAP_ROWS_WIDE if wide else IAP_ROWS_NARROW
    return [[to_cells(engine.pulse(rpm, kpa / 100.0)) for rpm in columns] for kpa in pressures]


def emit_grid(name, rows):
    width = len(rows[0])
    lines = [f"constexpr BikeJetGrid {name}{{{width}, {{"]
    for r in rows:
        lines.append("    " + ", ".join(f"{v:4d}" for v in r) + ",")
    lines.append("}};")
    return "\n".join(lines)


def grid_tables():
    out = []
    for first in GRID_GROUPS:
        wide = first in WIDE_GROUPS
        columns = RPM_15 if wide else RPM_10
        engine = Engine(first)
        outer = BIKE1_OUTER if first == 1 else throttle_grid(engine, columns)
        out.append(emit_grid(f"kOuter{first}", outer))
        out.append(emit_grid(f"kInner{first}", throttle_grid(engine, columns, INNER_ENRICHMENT)))
        if first != 39:
            out.append(emit_grid(f"kIap{first}", iap_grid(engine, columns, wide)))
    out.append(emit_grid("kIap47", iap_grid(Engine(47), RPM_15, True)))
    return out


def smooth(x):
    x = min(1.0, max(0.0, x))
    return x * x * (3.0 - 2.0 * x)


RPM_AXES = {
    "low": [1000, 2000, 3000, 4000, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 9000, 10000, 11000, 12000],
    "high": [1000, 2000, 3000, 4000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000, 16000],
    "mid": [1000, 2000, 3000, 4000, 5000, 5500, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000],
    "wide": [1000 * (i + 1) for i in range(15)],
}

# Full advance tables: bikes -> (RPM axis, rev ceiling, displacement cc, cylinders).
ADVANCE_TABLES = [
    ([8, 36], "mid", 12700, 998, 4),
    ([26], "wide", 13000, 999, 4),
    ([34], "wide", 15800, 599, 4),
    ([39], "wide", 11500, 449, 2),
    ([45], "mid", 13500, 675, 3),
    ([47], "wide", 14000, 998, 4),
]

# Inj-B maps: bikes -> (RPM axis, rev ceiling). Every other bike has an empty Inj-B map.
INJ_B_MAPS = [
    ([3, 21, 28, 46], "high", 15000),
    ([19, 48], "high", 14000),
    ([26, 41, 49], "wide", 13000),
    ([34], "wide", 15800),
]

# Servo presets: bikes (empty: all other bikes) -> (rev ceiling, throttle rows, percent cells).
INTAKE_SERVOS = [
    ([7, 19, 48], 14000, True, True),
    ([8, 36], 12700, True, True),
    ([26, 49], 13000, True, True),
    ([51], 12000, True, True),
    ([34, 47], 15800, True, False),
    ([50, 52], 10900, True, False),
    ([11, 20, 41], 14000, False, False),
    ([12, 23], 13600, False, False),
    ([13, 14], 12000, False, False),
    ([17, 27], 13800, False, False),
    ([], 12000, False, False),
]
EXHAUST_SERVOS = [
    ([8, 36], 12700, True),
    ([19, 48], 14000, True),
    ([51], 12000, True),
    ([7, 45], 14000, False),
    ([4, 21], 12000, False),
    ([13, 14, 26, 49], 12000, False),
    ([17, 27, 34, 42, 47], 13800, False),
    ([], 12000, False),
]


def advance_table(axis, rpm_max, cc, cylinders):
    rows = []
    for throttle in THROTTLE_ROWS:
        row = []
        for rpm in RPM_AXES[axis]:
            full = 8.0 + 24.0 * (1.0 - math.exp(-(rpm - 1000) / (0.18 * rpm_max)))
            full -= 4.0 * min(1.0, max(0.0, (rpm - 0.75 * rpm_max) / (0.25 * rpm_max)))
            full -= 2.0 if cc / cylinders > 200 else 0.0
            part = 14.0 * (1.0 - throttle / 100.0) ** 1.3 * min(1.0, rpm / 3000.0)
            row.append(min(60, int(full + part + 0.5)))
        rows.append(row)
    return rows


def inj_b_map(axis, rpm_max):
    return [[int(60.0 * smooth((rpm - 0.55 * rpm_max) / (0.35 * rpm_max)) * smooth((t - 20) / 60.0) + 0.5)
             for rpm in RPM_AXES[axis]] for t in THROTTLE_ROWS]


def servo_axis(rpm_max):
    top = int(math.ceil(rpm_max / 500.0)) * 500
    return [1000 + (i * (top - 1000) // 14) // 100 * 100 for i in range(15)]


def servo_cell(opening, percent):
    if percent:
        return int(100.0 * opening + 0.5)
    return 1000 + int(3000.0 * opening / 20.0 + 0.5) * 20


def intake_servo(rpm_max, throttle_rows, percent):
    axis = servo_axis(rpm_max)
    speed = [smooth((rpm - 0.35 * rpm_max) / (0.40 * rpm_max)) for rpm in axis]
    if not throttle_rows:
        return axis, [[servo_cell(o, percent) for o in speed]]
    return axis, [[servo_cell(o * (0.3 + 0.7 * smooth(t / 60.0)), percent) for o in speed] for t in THROTTLE_ROWS]


def exhaust_servo(rpm_max, percent):
    axis = servo_axis(rpm_max)
    cells = []
    for rpm in axis:
        opening = smooth((rpm - 0.25 * rpm_max) / (0.20 * rpm_max))
        opening *= 1.0 - 0.45 * math.exp(-(((rpm - 0.5 * rpm_max) / (0.08 * rpm_max)) ** 2))
        cells.append(servo_cell(opening, percent))
    return axis, [cells]


def codes(bikes):
    return "{" + ", ".join(str(b) for b in bikes) + "}" if bikes else "kOtherBikes"


def emit_cells(rows, width=4):
    return "\n".join("         " + ", ".join(f"{v:{width}d}" for v in r) + "," for r in rows)


def map_tables():
    out = ["constexpr BikeMapCells kAdvanceTables[] = {"]
    for bikes, axis, rpm_max, cc, cylinders in ADVANCE_TABLES:
        out.append(f"    {{{codes(bikes)}, {{\n{emit_cells(advance_table(axis, rpm_max, cc, cylinders), 2)}\n    }}}},")
    out.append("};\n\nconstexpr BikeMapCells kInjBMaps[] = {")
    for bikes, axis, rpm_max in INJ_B_MAPS:
        out.append(f"    {{{codes(bikes)}, {{\n{emit_cells(inj_b_map(axis, rpm_max), 2)}\n    }}}},")
    out.append("};\n\nconstexpr ServoPreset kIntakeServos[] = {")
    for bikes, rpm_max, throttle_rows, percent in INTAKE_SERVOS:
        axis, rows = intake_servo(rpm_max, throttle_rows, percent)
        out.append(f"    {{{codes(bikes)}, {{{', '.join(map(str, axis))}}}, {len(rows)}, {{\n{emit_cells(rows)}\n    }}}},")
    out.append("};\n\nconstexpr ServoPreset kExhaustServos[] = {")
    for bikes, rpm_max, percent in EXHAUST_SERVOS:
        axis, rows = exhaust_servo(rpm_max, percent)
        out.append(f"    {{{codes(bikes)}, {{{', '.join(map(str, axis))}}}, {len(rows)}, {{\n{emit_cells(rows)}\n    }}}},")
    out.append("};")
    return ["\n".join(out)]


HEADER = """// Generated by tools/bike_tables.py from its engine model; do not edit by hand.
// clang-format off
"""


def write(path, blocks, check):
    text = HEADER + "\n\n".join(blocks) + "\n// clang-format on\n"
    target = ROOT / path
    if check:
        return target.exists() and target.read_text() == text
    tmp = target.with_suffix(target.suffix + ".tmp")
    tmp.write_text(text)
    tmp.replace(target)
    return True


def main():
    check = "--check" in sys.argv[1:]
    ok = write("src/model/bike_jet_grid_tables.inc", grid_tables(), check)
    ok = write("src/model/bike_map_preset_tables.inc", map_tables(), check) and ok
    if not ok:
        print("generated bike tables are out of date: run tools/bike_tables.py", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
