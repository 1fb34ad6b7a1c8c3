#include "text/StringRenderer.h"

StringRenderer::StringRenderer(const StringObject* drawnObject) : stringObject(drawnObject) {}

StringRenderer::~StringRenderer() = default;

void StringRenderer::setFont(const Font* newFont) {
    font = newFont;
}
