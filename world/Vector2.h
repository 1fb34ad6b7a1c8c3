#ifndef ORBICASCADE_WORLD_VECTOR2_H
#define ORBICASCADE_WORLD_VECTOR2_H

#include <cmath>

// A point, displacement or velocity of the world, in 32-bit floats.
struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;

    Vector2() = default;
    Vector2(float xValue, float yValue) : x(xValue), y(yValue) {}
};

inline Vector2 operator+(Vector2 a, Vector2 b) {
    return Vector2(a.x + b.x, a.y + b.y);
}
inline Vector2 operator-(Vector2 a, Vector2 b) {
    return Vector2(a.x - b.x, a.y - b.y);
}
inline Vector2 operator*(Vector2 v, float s) {
    return Vector2(v.x * s, v.y * s);
}
inline Vector2 operator-(Vector2 v) {
    return v * -1.0f;
}

inline float dot(Vector2 a, Vector2 b) {
    return a.x * b.x + a.y * b.y;
}

// The square root is only taken for a non-zero sum, so a zero vector has length exactly 0.
inline float length(Vector2 v) {
    const float squared = v.x * v.x + v.y * v.y;
    return squared == 0.0f ? 0.0f : std::sqrt(squared);
}

// Divides by the length rather than multiplying by its reciprocal: the world's
// numbers depend on that rounding. The zero vector stays zero instead of NaN.
inline void normalize(Vector2& v) {
    const float len = length(v);
    if (len == 0.0f) {
        return;
    }
    v.x = v.x / len;
    v.y = v.y / len;
}

inline Vector2 fromTo(Vector2 from, Vector2 to) {
    return Vector2(to.x - from.x, to.y - from.y);
}

#endif
