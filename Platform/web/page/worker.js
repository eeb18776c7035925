// The game's own thread: the program of this build (its name, ?build=..., is
// in this script's address, so that the service worker answers from this
// build's files), compiled once and started again for each game the page
// asks for. The page hands over its canvas once (an OffscreenCanvas) where the
// browser can; without it the program sends the page what to draw. What goes
// between the page and the program: Platform/web/WebPage.js.
'use strict';

const build = new URL(location.href).searchParams.get('build') || '';
importScripts(`whirlquarium.js?build=${encodeURIComponent(build)}`);

let context = null; // of the canvas handed over: asked for once (a second time, Firefox refuses)
let compiled = null; // starting again fetches nothing
let game = null; // the running program's module

function instantiate(imports, receive) {
  const url = `whirlquarium.wasm?build=${encodeURIComponent(build)}`;
  const streaming = () => WebAssembly.instantiateStreaming
    ? WebAssembly.instantiateStreaming(fetch(url), imports)
    : fetch(url).then((r) => r.arrayBuffer()).then((bytes) => WebAssembly.instantiate(bytes, imports));
  const ready = compiled
    ? WebAssembly.instantiate(compiled, imports).then((instance) => ({ instance, module: compiled }))
    : streaming();
  ready.then((result) => {
    compiled = result.module;
    receive(result.instance, result.module);
  }, (error) => game.onAbort(error));
  return {};
}

// Every message to the page carries the log's lines written before it.
function toPage(message, transfer = []) {
  if (game.lines.length) message.lines = game.lines.splice(0);
  postMessage(message, transfer);
}

function start(options) {
  const module = (game = {
    context, kiosk: options.kiosk, screen: options.screen, pageActive: options.active,
    lines: [],
    print: (line) => module.lines.push(line),
    printErr: (text) => console.error(text),
    instantiateWasm: instantiate,
    toPage: (message, transfer) => game === module && toPage(message, transfer),
    onAbort: (what) => game === module && toPage({ aborted: String(what) }),
  });
  WhirlquariumModule(module).then(() => toPage({ started: true }),
    (error) => game === module && toPage({ failed: String(error) }));
}

onmessage = (e) => {
  const message = e.data;
  if (message.start) {
    if (message.start.canvas) context = message.start.canvas.getContext('2d', { alpha: false });
    start(message.start);
  } else if (game && game.fromPage) {
    game.fromPage(message);
  } else if (game && 'active' in message) {
    game.pageActive = message.active; // before the display is open
  }
};
