#include "io/parameter_set.h"
#include "ui/shell/guarded_application.h"
#include "ui/window_rig.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvel {
namespace {

// The program's own application, made before the rig would make a plain one; never destroyed,
// as the rig's is not.
GuardedApplication& application()
{
    static int argc = 1;
    static char name[] = "quorvel-fault-test";
    static char* argv[] = {name, nullptr};
    static GuardedApplication* guarded = new GuardedApplication(argc, argv);
    return *guarded;
}

TEST(GuardedApplication, ExceptionInASlotIsShownRescuesTheParametersAndTheWindowGoesOn)
{
    GuardedApplication& app = application();
    test::WindowRig rig;
    TFormHlav& window = rig.start();
    app.setFaultHandler([&window](std::string_view what) { window.reportFault(what); });
    window.image().setByte(185, 77); // COOLING as edited on screen

    QTimer::singleShot(0, &window, [] { throw std::runtime_error("disk on fire"); });
    QCoreApplication::processEvents();

    ASSERT_EQ(rig.dialogs->messages.size(), 1U);
    const std::string& message = rig.dialogs->messages.front();
    EXPECT_NE(message.find("Internal error: disk on fire"), std::string::npos) << message;
    const std::filesystem::path rescue = rig.configDirectory / "Quorvel_2007_v71_rescue.ign";
    EXPECT_NE(message.find(rescue.string()), std::string::npos) << message;
    ParamImage rescued;
    InjectionTables tables;
    ASSERT_EQ(loadParameterFile(rescue, rescued, tables), LoadResult::Loaded);
    EXPECT_EQ(rescued.byte(185), 77);

    // The window and its link go on, and messages open as before.
    rig.steps(30);
    EXPECT_LT(window.link().silenceTicks(), LinkSession::kDisconnectedSilence);
    app.setFaultHandler({});
}

TEST(GuardedApplication, FaultWithoutAHandlerOrInItsHandlerEndsAtTheEventLoop)
{
    GuardedApplication& app = application();
    bool reached = false;
    app.setFaultHandler([&](std::string_view) {
        reached = true;
        throw std::logic_error("the report failed too");
    });
    QObject receiver;
    QTimer::singleShot(0, &receiver, [] { throw 42; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(reached);
    app.setFaultHandler({});
    QTimer::singleShot(0, &receiver, [] { throw std::runtime_error("nobody listens"); });
    QCoreApplication::processEvents();
}

} // namespace
} // namespace quorvel
