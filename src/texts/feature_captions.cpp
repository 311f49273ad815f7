#include "texts/feature_captions.h"

#include "texts/compare_texts.h"
#include "texts/datalog_texts.h"
#include "texts/map_edit_texts.h"
#include "texts/map_view_texts.h"
#include "texts/tuning_texts.h"
#include "texts/window_texts.h"

#include <algorithm>
#include <string_view>

namespace quorvel {
namespace {

// "Restore backup..." and "Suggest corrections...", the log viewer and the docks of the map views
// and the compare list: all made when first asked for.
constexpr std::array<std::string_view, 15> kOwnDialogPrefixes{
    "DialogRestore", "ButtonRestore", "FormSuggest",    "ButtonSuggest",   "LabelSuggest",
    "FormLogViewer", "ButtonLog",     "LabelLog",       "GroupBoxLog",     "CheckBoxLog",
    "ChartLogView",  "SliderLog",     "DockWidgetView", "DockWidgetCurve", "DockWidgetCompare"};
constexpr std::string_view kSuggestTable = "TableSuggestCorrections";

} // namespace

std::array<std::span<const CaptionRow>, 6> featureCaptionRows()
{
    return {mapEditCaptionRows(),     CompareTexts::captions(), MapViewTexts::captions(),
            DatalogTexts::controls(), WindowTexts::captions(),  TuningTexts::captions()};
}

bool isOwnDialogControl(std::string_view control)
{
    return control == kSuggestTable || std::ranges::any_of(kOwnDialogPrefixes, [control](std::string_view prefix) {
               return control.starts_with(prefix);
           });
}

} // namespace quorvel
