#pragma once

#include "core/link_only_monitor.h"
#include "core/link_session.h"
#include "core/sanitise.h"
#include "core/serial_port.h"
#include "texts/language_table.h"

#include <string>
#include <vector>

namespace quorvel::test {

// A host without windows: it sanitises the image as the window does and records the rest.
class RecordingHost final : public LinkHost {
public:
    explicit RecordingHost(ParamImage& image)
        : m_image(image)
    {
    }

    void collectPage() override { ++collected; }
    void sanitiseImage() override
    {
        ++sanitised;
        (void)quorvel::sanitiseImage(m_image, settings);
    }
    void refillPage() override { ++refilled; }
    void clearFileName() override { ++fileNameCleared; }
    void refreshMonitorPanel() override { ++panelRefreshes; }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }

    OutsideSettings settings;
    int collected = 0;
    int sanitised = 0;
    int refilled = 0;
    int fileNameCleared = 0;
    int panelRefreshes = 0;
    std::vector<std::string> messages;

private:
    ParamImage& m_image;
};

// Everything a link session needs, around a given line.
struct LinkRig {
    LinkRig(SerialLine& line, const PortNaming& naming)
        : port(line, naming, texts, host)
    {
    }

    ParamImage image;
    RecordingHost host{image};
    LanguageTable texts;
    LinkOnlyMonitor monitor;
    SerialPort port;
    LinkSession session{image, port, host, monitor, texts};
};

// True when blocks 1..19 of the two images are equal.
inline bool parametersEqual(const ParamImage& a, const ParamImage& b)
{
    for (int block = 1; block < kBlockCount; ++block) {
        if (!std::ranges::equal(a.block(block), b.block(block)))
            return false;
    }
    return true;
}

} // namespace quorvel::test
