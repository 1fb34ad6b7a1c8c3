#include "world/ReachBox.h"

#include "world/Sphere.h"
#include "world/SphereLink.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Half the distance at which two spheres leave link range
// (sqrt(1.3) * 16 = 18.24), rounded up.
constexpr float HALF_LINK_DISTANCE = 9.25f;
constexpr float CONTACT_DISTANCE = 2.0f * Sphere::SPHERE_RADIUS;
static_assert((2.0f * HALF_LINK_DISTANCE) * (2.0f * HALF_LINK_DISTANCE) >
                  LINK_RANGE_FACTOR * CONTACT_DISTANCE * CONTACT_DISTANCE,
              "two grown boxes must cover the link range");

} // namespace

// Why a pair whose boxes do not overlap cannot touch or link. Each box is
// grown by 9.25 plus the slack the contact test allows a path, 1 + the sum of
// the coordinates' magnitudes / 1024, so boxes apart on an axis put the two
// swept boxes more than 18.5 + both slacks apart there. Then:
// - two resting spheres (contact within 16) and two stuck ones (linked within
//   18.24) are farther apart than either;
// - a moving sphere against a resting one is cleared by the contact test's own
//   box check, which needs only 16 + the moving sphere's slack;
// - two moving spheres are cleared by the contact test's grown boxes, 16 apart.
// The margin left over (at least 2.5, and 1/1024 of the coordinates) dwarfs
// float rounding at any coordinate. A sphere off the numbers (an infinite or
// undefined coordinate) gets a box over everything, so it is never passed over.
ReachBox ReachBox::of(const Sphere& sphere) {
    const Vector2 start = sphere.getPreviousPosition();
    const Vector2 end = sphere.getPosition();
    const float slack =
        1.0f + (std::fabs(start.x) + std::fabs(start.y) + std::fabs(end.x) + std::fabs(end.y)) *
                   (1.0f / 1024.0f);
    const float grow = HALF_LINK_DISTANCE + slack;
    if (!(grow <= std::numeric_limits<float>::max())) {
        const float infinity = std::numeric_limits<float>::infinity();
        return ReachBox{-infinity, infinity, -infinity, infinity};
    }
    return ReachBox{std::min(start.x, end.x) - grow, std::max(start.x, end.x) + grow,
                    std::min(start.y, end.y) - grow, std::max(start.y, end.y) + grow};
}
