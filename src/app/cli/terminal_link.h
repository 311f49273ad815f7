#pragma once

#include "core/link_host.h"
#include "core/link_session.h"
#include "core/monitor_sink.h"
#include "core/param_image.h"
#include "core/sanitise.h"
#include "serial/qt_serial_line.h"
#include "serial/system_port_naming.h"
#include "texts/language_table.h"

#include <algorithm>
#include <chrono>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

namespace quorvel::cli {

// How often the link session is driven, as the window's timer does.
inline constexpr std::chrono::milliseconds kLinkTick{55};

// The link's host in a terminal: no page to collect or fill; messages go to the error stream.
class TerminalHost final : public LinkHost {
public:
    TerminalHost(ParamImage& image, std::ostream& err)
        : m_image(image)
        , m_err(err)
    {
    }
    void collectPage() override {}
    void sanitiseImage() override
    {
        OutsideSettings unused;
        (void)quorvel::sanitiseImage(m_image, unused);
    }
    void refillPage() override {}
    void clearFileName() override {}
    void refreshMonitorPanel() override {}
    void showMessage(std::string_view text) override
    {
        m_err << text << '\n';
        m_messageShown = true;
    }
    [[nodiscard]] bool messageShown() const { return m_messageShown; }

private:
    ParamImage& m_image;
    std::ostream& m_err;
    bool m_messageShown = false;
};

// A serial port on one device, with the link session around it.
class Link {
public:
    Link(ParamImage& image, const std::string& device, MonitorSink& monitor, std::ostream& err)
        : m_host(image, err)
        , m_port(m_line, m_naming, m_texts, m_host)
        , m_session(image, m_port, m_host, monitor, m_texts)
    {
        m_port.setExplicitDevice(device);
        m_port.openPort();
    }

    [[nodiscard]] bool isOpen() const { return m_port.isOpen(); }
    [[nodiscard]] LinkSession& session() { return m_session; }
    [[nodiscard]] const TerminalHost& host() const { return m_host; }

    // Whether the last transfer ended well: its status line says OK in its normal colour and no
    // message was raised on the way.
    [[nodiscard]] bool transferEndedOk() const
    {
        constexpr std::string_view kOk = " OK";
        const LinkDisplay& end = m_session.display();
        return !m_host.messageShown() && end.statusColour != ColourRole::Red && end.statusText.ends_with(kOk);
    }

    // Ticks every 55 ms until `done` says so or `maxTicks` are spent; false on the latter.
    template <typename Done> bool tickUntil(int maxTicks, Done done)
    {
        auto next = std::chrono::steady_clock::now();
        for (int tick = 0; tick < maxTicks; ++tick) {
            // The session counts ticks as time (resends, timeouts): a process that fell behind
            // skips the ticks it missed instead of running them in a burst, which would give up
            // on a unit that had no time to answer.
            next = std::max(next + kLinkTick, std::chrono::steady_clock::now());
            std::this_thread::sleep_until(next);
            m_session.tick();
            if (done())
                return true;
        }
        return false;
    }

private:
    QtSerialLine m_line;
    SystemPortNaming m_naming;
    LanguageTable m_texts;
    TerminalHost m_host;
    SerialPort m_port;
    LinkSession m_session;
};

} // namespace quorvel::cli
