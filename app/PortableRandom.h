#ifndef ORBICASCADE_APP_PORTABLERANDOM_H
#define ORBICASCADE_APP_PORTABLERANDOM_H

#include <cstdint>

// A pseudo-random generator of integers from 0 to MAX that deals the same
// sequence on every platform (the C library's rand does not: its range and
// sequence vary). Starts from the same state every run, so every game deals
// the same colours.
class PortableRandom {
public:
    static constexpr int MAX = 32767;

    int next();
    // The next draw scaled down to 0 to count - 1: times count over MAX + 1, truncated.
    int nextBelow(int count) {
        return static_cast<int>(next() * double(count) * (1.0 / (MAX + 1)));
    }

private:
    std::uint32_t state = 1;
};

#endif
