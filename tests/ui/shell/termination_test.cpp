// SIGTERM while a box is open: the window closes as Exit does and the program's event loops end,
// the box's too. Alone in its program, since afterwards no event loop runs again in it.
#include "window_rig.h"

#include "ui/shell/termination_signals.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace quorvel {
namespace {

TEST(Termination, SignalWhileABoxIsOpenClosesTheWindowAndEndsTheBox)
{
    test::WindowRig rig;
    TFormHlav& window = rig.start();
    window.show();
    const TerminationSignals termination([&window] { window.close(); });
    ASSERT_TRUE(termination.installed());
    bool boxEnded = false;
    rig.dialogs->whileShown = [&] {
        // A modal box: its own event loop, which only the user would end.
        QEventLoop box;
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        QTimer giveUp;
        QObject::connect(&giveUp, &QTimer::timeout, &box, [&box] { box.exit(1); });
        giveUp.start(5000);
        boxEnded = box.exec() == 0;
    };
    rig.dialogs->showMessage("a box");
    EXPECT_TRUE(boxEnded) << "the box stayed open";
    EXPECT_TRUE(termination.requested());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(std::filesystem::exists(rig.configDirectory / "_Quorvel_2007_v71ini")) << "closed as Exit does";
    QEventLoop later;
    EXPECT_EQ(later.exec(), -1) << "no event loop runs once the program ends";
}

} // namespace
} // namespace quorvel
