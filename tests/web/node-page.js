// Emscripten's SDL expects a page: under node it gets one with no events and canvases that keep
// only the pixels put into them, which its image loading needs.
function canvas() {
  const kept = {}, pixels = { putImageData: (image) => { kept.image = image; },
    getImageData: (x, y, w, h) => kept.image || { data: new Uint8ClampedArray(w * h * 4) } };
  return { style: { setProperty() {}, removeProperty() {} }, addEventListener() {}, getContext: (kind) => (kind === '2d' ? pixels : null) };
}
Object.assign(globalThis, { WebGLRenderingContext: class {}, window: { addEventListener() {} },
                            document: { addEventListener() {}, createElement: canvas } });
Module.canvas = canvas();
