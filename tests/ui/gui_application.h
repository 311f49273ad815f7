#pragma once

#include <QApplication>

#include <gtest/gtest.h>

namespace quorvel::test {

// The one application of a test program that shows widgets without a window around them.
inline void ensureWidgetApplication()
{
    static int argc = 1;
    static char name[] = "quorvel-widget-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed, as in the window's tests: plugins are unloaded before a static would be.
    static const QApplication* application = new QApplication(argc, argv);
    (void)application;
}

// A fixture whose widgets may be members: the application exists before any of them.
class WidgetTest : public testing::Test {
protected:
    WidgetTest() { ensureWidgetApplication(); }
};

} // namespace quorvel::test
