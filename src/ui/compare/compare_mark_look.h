#pragma once

#include "core/message_texts.h"
#include "maps/file_compare.h"
#include "ui/compare/compare_source.h"

#include <QString>

class QWidget;

namespace quorvel {

// How a value that differs from the compared tune looks on its control. Live marks own the
// backgrounds of fields and labels, so a compare mark takes the text instead: in the compare
// colour and bold, with a tooltip naming both values. Both marks then show at once and neither
// undoes the other. The window resolves the mark's control through its registry and hands the
// widget in; map cells are items of the grid and take compareToolTip and the compare colour
// through the grid's model.

// "file: X  here: Y" in the language; "ignition: X  here: Y" against the unit.
[[nodiscard]] QString compareToolTip(const CompareMark& mark, Language language,
                                     CompareSource source = CompareSource::File);

// Marks `control`, or marks it again with new values or in another language. Its own tooltip,
// text colours and weight are kept and come back with unmarkCompared; a tooltip the window gave
// it while marked (the hints of another language) is the one that comes back.
void markCompared(QWidget& control, const CompareMark& mark, Language language,
                  CompareSource source = CompareSource::File);
// Gives the control its own look back; nothing for a control that is not marked.
void unmarkCompared(QWidget& control);
[[nodiscard]] bool isMarkedCompared(const QWidget& control);

} // namespace quorvel
