#pragma once

#include <QWidget>

#include <span>
#include <string_view>

class QBoxLayout;

namespace quorvel {

// Makes the live-data controls named in `names` into `layout`, by the kind their name states:
// CGauge... a gauge of 0..100, CheckBox... a check box, anything else a label. Their texts,
// colours and values come from the monitor decoding.
void addMonitorControls(QWidget& parent, QBoxLayout& layout, std::span<const std::string_view> names);

} // namespace quorvel
