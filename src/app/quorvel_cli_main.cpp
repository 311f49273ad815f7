#include "app/cli/cli.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv)
{
    // The serial port needs a Qt application object; no event loop runs.
    QCoreApplication application(argc, argv);
    return quorvel::cli::run({argv + 1, argv + argc}, std::cout, std::cerr);
}
