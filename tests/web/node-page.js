// Emscripten's SDL expects a page: under node it gets one with no events and
// canvases that keep only the pixels put into them, which image loading needs.
function canvas() {
  const pixels = { image: null };
  return { style: { setProperty() {}, removeProperty() {} }, addEventListener() {},
    getContext: (kind) => kind !== '2d' ? null : {
      getImageData: (x, y, w, h) => pixels.image || { data: new Uint8ClampedArray(w * h * 4) },
      putImageData: (image) => { pixels.image = image; },
    } };
}
globalThis.window = globalThis.document = { addEventListener() {}, createElement: canvas };
globalThis.WebGLRenderingContext = class {};
Module.canvas = canvas();
