#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace quorvel::test {

// Sets an environment variable for the life of the object (none removes it), then gives the old
// value back. The user's data directory is found through such variables on every desktop.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        set(value);
    }
    ~ScopedVariable() { set(m_old ? m_old->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    void set(const char* value) const
    {
#ifdef _WIN32
        ::_putenv_s(m_name, value != nullptr ? value : "");
#else
        if (value != nullptr)
            ::setenv(m_name, value, 1);
        else
            ::unsetenv(m_name);
#endif
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace quorvel::test
