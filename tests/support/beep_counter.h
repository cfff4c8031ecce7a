#pragma once

#include "app/beep.h"

#include <functional>

// Counts the beeps made while it lives, in place of the system sound.
class BeepCounter {
public:
    BeepCounter() : m_previous(SetBeepSound([this] { ++m_count; })) {}
    ~BeepCounter() { SetBeepSound(std::move(m_previous)); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;

    int Count() const { return m_count; }
    void Reset() { m_count = 0; }

private:
    int m_count = 0;
    std::function<void()> m_previous;
};
