#pragma once

#include "core/param_image.h"
#include "model/image_compare.h"
#include "model/injection_tables.h"
#include "model/page_binding.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// A control or grid cell of a page whose value differs from the reference file, with both
// values for its tooltip.
struct CompareMark {
    FieldControl control; // grid cells "EditMap_Uni", RPM heads "EditRpm_Uni", pressure rows "EditRow_Uni"
    std::string fileText; // the reference file's value
    std::string hereText; // the image's value
};

// "Compare with file...": a second parameter set held beside the image as a reference until
// "End compare". The image is never touched by it. The window refreshes it after every change
// of the image (and after a language change, which changes how the memo reads), then applies
// the marks of the page it shows.
class FileCompare {
public:
    // Starts comparing with `reference` (loaded beside the image, see loadReferenceFile); a
    // comparison already running is replaced. The reference is shown against its own bike's
    // reference times.
    void start(ParamImage reference, std::string fileName);
    void end();
    [[nodiscard]] bool active() const { return m_reference.has_value(); }
    [[nodiscard]] const std::string& fileName() const { return m_fileName; }

    // Compares the image with the reference again; true when the list changed. Nothing while
    // no comparison runs.
    bool refresh(const ParamImage& image, const InjectionTables& tables, const CompareOptions& options = {});

    // Side a is the file, side b the image; empty while no comparison runs.
    [[nodiscard]] const std::vector<Difference>& differences() const { return m_differences; }
    // Every control and grid cell of `page` that shows a differing value; empty while no
    // comparison runs, so applying them after "End compare" clears every mark.
    [[nodiscard]] std::vector<CompareMark> marksOf(int page) const;

private:
    struct Reference {
        ParamImage image;
        InjectionTables tables;
    };

    std::optional<Reference> m_reference;
    std::string m_fileName;
    std::vector<Difference> m_differences;
};

} // namespace quorvel
