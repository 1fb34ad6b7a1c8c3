#include "app/PortableRandom.h"

// The linear congruential step that the C standard shows as its example
// rand: unsigned 32-bit arithmetic wraps the same way everywhere.
int PortableRandom::next() {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state / 65536u) % 32768u);
}
