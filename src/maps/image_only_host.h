#pragma once

#include "core/param_image.h"
#include "core/sanitise.h"
#include "maps/tune_writer.h"

namespace quorvel {

// The writer's host where no window shows the image and no unit is written: a parameter set
// edited on the command line. A change is only sanitised, as a page shows it sanitised.
class ImageOnlyHost final : public TuneHost {
public:
    explicit ImageOnlyHost(ParamImage& image)
        : m_image(image)
    {
    }

    void collectPage() override {}
    void showImage() override { (void)sanitiseImage(m_image, m_settings); }
    void showRestored(int /*page*/) override { showImage(); }
    void historyMoved() override {}
    [[nodiscard]] int pageOfChange() const override { return 0; }
    [[nodiscard]] bool programsAfterChange() const override { return false; }
    void programPendingBlocks() override {}

private:
    ParamImage& m_image;
    OutsideSettings m_settings;
};

} // namespace quorvel
