#pragma once

#include "core/message_texts.h"
#include "log/datalog.h"
#include "texts/datalog_texts.h"

#include <QString>

#include <string_view>
#include <vector>

class QWidget;

namespace quorvel {

// Puts the captions and hints of the datalog texts in `language` on `root` and the children that
// carry their names: the caption of a button, check box or label as its text, of a group box as
// its title, of the window itself as its title; a hint as tooltip and status tip. Menu captions
// belong to the main window's menus and are left to it. The names it found, so that a test can
// check that every text has its control.
std::vector<std::string_view> applyDatalogCaptions(QWidget& root, Language language);

[[nodiscard]] QString datalogText(DatalogMessage message, Language language);
[[nodiscard]] QString qtText(std::string_view text);

// The name users see for a column of a log, with its unit: "Engine speed [rpm]"; a column of
// another program's log keeps its own name.
[[nodiscard]] QString channelCaption(const DatalogColumn& column, Language language);

} // namespace quorvel
