#include "ui/shell/guarded_application.h"

#include "texts/fault_message.h"

#include <exception>
#include <iostream>

namespace quorvel {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        reportFault(kOutOfMemory);
    } catch (const std::exception& fault) {
        reportFault(fault.what());
    } catch (...) {
        reportFault("unknown exception");
    }
    return false;
}

void GuardedApplication::reportFault(std::string_view what) const
{
    std::cerr << "quorvel: " << what << '\n';
    if (!m_handler)
        return;
    try {
        m_handler(what);
    } catch (const std::exception& fault) {
        std::cerr << "quorvel: while reporting it: " << fault.what() << '\n';
    } catch (...) {
        std::cerr << "quorvel: while reporting it: unknown exception\n";
    }
}

} // namespace quorvel
