#ifndef ORBICASCADE_APP_SPHERESPRITES_H
#define ORBICASCADE_APP_SPHERESPRITES_H

class SpriteLibrary;

// Registers the five 16 by 16 sphere sprites, indices 0 to 4 (a sphere's
// colour is its sprite's index), cut from the first five cells of the top row
// of the 8 by 8 sheet "color-sphere-sprite".
void registerSphereSprites(SpriteLibrary& library);

#endif
