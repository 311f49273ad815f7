#pragma once

#include <QWidget>

#include <span>
#include <string_view>

class QBoxLayout;

namespace quorvel {

// Makes the live-data controls named in `names` into `layout`, by the kind their name states:
// CGauge... a gauge of 0..100, CheckBox... a check box, anything else a label. Their texts,
// colours and values come from the monitor decoding. Labels get a fixed size of `labelWidth`
// and one line: a new text then repaints the label alone instead of laying out the window.
void addMonitorControls(QWidget& parent, QBoxLayout& layout, std::span<const std::string_view> names, int labelWidth);

} // namespace quorvel
