#pragma once

#include "core/user_messages.h"
#include "log/datalog_writer.h"
#include "log_frames.h"

#include <QApplication>

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel::test {

// The application of the widget tests, made once and never destroyed (Qt's plugins are
// unloaded before a static application would be).
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "log_ui_test";
    static char* argv[] = {name, nullptr};
    static const QApplication* application = new QApplication(argc, argv);
    (void)application;
}

// The first member of a fixture whose widgets are members: the application comes before them.
struct ApplicationFirst {
    ApplicationFirst() { ensureApplication(); }
};

class RecordedMessages final : public UserMessages {
public:
    void showMessage(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

// A ride of `rows` rows 55 ms apart: the engine speed climbs 10 rpm a row from 2000, the
// throttle opens a tenth of a percent a row, and lambda swings between lean and rich.
inline LiveFrame rideRow(int i)
{
    return LiveFrame().rpm(2000 + 10 * i).throttleTenths(i % 1000).lambda(i % 2 == 0 ? 200 : 800);
}

inline void writeRide(const std::filesystem::path& file, int rows)
{
    DatalogWriter writer;
    (void)writer.open(file);
    for (int i = 0; i < rows; ++i)
        writer.record(static_cast<std::uint32_t>(55 * i), rideRow(i).sealed(), {2, 4, 2});
    (void)writer.close();
}

} // namespace quorvel::test
