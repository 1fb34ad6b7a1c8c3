// Starts the game on the page's canvas and tells the player how it stands:
// loading, running (status hidden), ended, or why it cannot run here.
(() => {
'use strict';
const canvas = document.getElementById('canvas');
const status = document.getElementById('status');

function show(message) {
  status.textContent = message;
  status.hidden = message === '';
}

function missingFeature() {
  if (typeof WebAssembly !== 'object') return 'WebAssembly';
  const probe = document.createElement('canvas');
  return probe.getContext('webgl') || probe.getContext('experimental-webgl') ? '' : 'WebGL';
}

// Emscripten's runtime reads its settings from this global.
window.Module = {
  canvas: canvas,
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
  // Progress while the script, WebAssembly and data arrive; '' once they have.
  setStatus: (text) => { if (text) show('Loading…'); },
  // Runs once main has drawn its first frame and handed control back.
  postRun: [() => { show(''); canvas.focus(); }],
  onExit: (code) => show(code === 0 ? 'The game has ended. Reload the page to play again.'
                                    : 'The game stopped with an error (see the console).'),
  onAbort: () => show('The game stopped with an error (see the console).'),
};

const missing = missingFeature();
if (missing) {
  show('Orbicascade needs ' + missing + ', which this browser does not offer or has turned off.');
} else {
  const script = document.createElement('script');
  script.src = 'orbicascade.js';
  script.onerror = () => show('The game could not be loaded.');
  document.body.appendChild(script);
}
})();
