#pragma once

namespace quorvel {

// Sets a flag for the life of the object and clears it however the scope is left, an exception
// included, so that a guard such as "inside the tick" never stays set by mistake.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~ScopedFlag() { m_flag = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace quorvel
