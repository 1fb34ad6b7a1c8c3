#include "gfx/Sprite.h"

#include <GL/gl.h>

void Sprite::setSize(const Vector2& newSize) {
    size = newSize;
}

void Sprite::setTexture(unsigned textureName, float leftEdge, float topEdge, float rightEdge,
                        float bottomEdge) {
    texture = textureName;
    left = leftEdge;
    top = topEdge;
    right = rightEdge;
    bottom = bottomEdge;
}

void Sprite::draw(float x, float y) const {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, texture);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);

    // White, so that the modulate texture environment shows the texels unchanged.
    // Set before the strip: the browser's OpenGL emulation takes a colour given
    // inside it for one vertex's own.
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2d(left, top);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2d(right, top);
    glVertex2f(size.x, 0.0f);
    glTexCoord2d(left, bottom);
    glVertex2f(0.0f, size.y);
    glTexCoord2d(right, bottom);
    glVertex2f(size.x, size.y);
    glEnd();

    glPopMatrix();
    glDisable(GL_BLEND);
}
