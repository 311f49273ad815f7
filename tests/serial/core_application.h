#pragma once

#include <QCoreApplication>

namespace quorvel::test {

// QSerialPort's notifiers need the application object of the thread that drives them.
inline void ensureCoreApplication()
{
    static int argc = 1;
    static char name[] = "quorvel-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

} // namespace quorvel::test
