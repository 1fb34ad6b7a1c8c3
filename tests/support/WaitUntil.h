#ifndef ORBICASCADE_TESTS_WAITUNTIL_H
#define ORBICASCADE_TESTS_WAITUNTIL_H

#include <chrono>
#include <thread>

// Calls the condition every 20 ms until it holds or the time is up; returns
// whether it held.
template <typename Condition> bool waitUntil(int timeoutMs, Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

#endif
