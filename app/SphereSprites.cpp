#include "app/SphereSprites.h"

#include "gfx/SpriteDefinition.h"
#include "gfx/SpriteLibrary.h"

namespace {

const unsigned SPHERE_COLOURS = 5;
const float CELL = 0.125f; // one cell of the 8 by 8 grid, in texture coordinates

} // namespace

void registerSphereSprites(SpriteLibrary& library) {
    for (unsigned index = 0; index < SPHERE_COLOURS; ++index) {
        SpriteDefinition definition;
        definition.setSize(16.0f, 16.0f);
        definition.setTextureName("color-sphere-sprite");
        definition.addFrame(CELL * static_cast<float>(index), 0.0f,
                            CELL * static_cast<float>(index + 1), CELL);
        library.add(index, definition);
    }
}
