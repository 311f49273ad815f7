#pragma once

#include <clocale>
#include <cstdlib>
#include <string>

namespace quorvel::test {

// The number format of a German desktop (a comma before the decimals) for the life of the
// object, as Qt sets it from the environment when a program starts. Where the system has no
// German locale, the one the build made in QUORVEL_TEST_LOCALES is taken; active() is false
// when neither can be had.
class GermanNumbers {
public:
    GermanNumbers()
    {
        const char* previous = std::setlocale(LC_NUMERIC, nullptr);
        m_previous = previous != nullptr ? previous : "C";
        m_active = select() && std::localeconv()->decimal_point[0] == ',';
    }
    ~GermanNumbers() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;

    [[nodiscard]] bool active() const { return m_active; }

private:
    static bool select()
    {
#ifdef _WIN32
        for (const char* name : {"de-DE", "German_Germany.1252", "German"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr)
                return true;
        }
        return false;
#else
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr)
            return true;
#ifdef QUORVEL_TEST_LOCALES
        ::setenv("LOCPATH", QUORVEL_TEST_LOCALES, 1);
        return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
#else
        return false;
#endif
#endif
    }

    std::string m_previous;
    bool m_active = false;
};

} // namespace quorvel::test
