// The page around the game: the console log panel, starting the game (again
// once Escape has ended it), the picture's size, the touch controls, full
// screen, kiosk mode (?kiosk), the controllers' mapping, the build shown, and
// the service worker that keeps the site for offline play; and the game's
// input, while the game itself runs in a worker. The game's standard output
// goes to the panel and to the browser's console; its standard error to the
// console's error stream.
'use strict';

const kLogLines = 5000; // the panel keeps at least the last 2,000 lines
const kWidth = 640, kHeight = 480; // the canvas's own pixels
const kLogWidth = 320, kGap = 16;

const $ = (id) => document.getElementById(id);
const logPanel = $('log');
const statusText = $('status');
const againButton = $('again');
const canvas = $('canvas');
const build = { hash: document.documentElement.dataset.build, version: document.documentElement.dataset.version };
let pendingLines = [];
// Kiosk mode (?kiosk in the address): the picture alone, full screen from the
// first tap or key on, and Escape is not the game's.
const kiosk = new URLSearchParams(location.search).has('kiosk');

// Lines are added once a display frame, and the panel follows them unless
// the reader has scrolled up.
function flushLog() {
  const following = logPanel.scrollTop + logPanel.clientHeight >= logPanel.scrollHeight - 4;
  const fragment = document.createDocumentFragment();
  for (const line of pendingLines.slice(-kLogLines)) fragment.append(line + '\n');
  pendingLines = [];
  logPanel.append(fragment);
  for (let extra = logPanel.childNodes.length - kLogLines; extra > 0; --extra) logPanel.firstChild.remove();
  if (following) logPanel.scrollTop = logPanel.scrollHeight;
}

function logLine(line) {
  console.log(line);
  if (pendingLines.push(line) === 1) requestAnimationFrame(flushLog);
}

// ---- The game --------------------------------------------------------------------
// The game runs in a worker of its own (worker.js, of this build) and draws on
// the canvas handed over to it once, where the browser can; elsewhere it
// sends each changed rectangle and the page puts it on the canvas. The page
// keeps the input: the levels of the keys and controls the game reads, sent
// as they change (the gamepads polled just before each frame is due, while
// one is connected), and mouse buttons, touch buttons and activation as
// events. What goes between them: Platform/web/WebPage.js.
let worker = null;
let context = null; // the page's canvas's, where the worker does not draw on it
let bindings = null; // the running game's keys and controls, once its display is open
const down = new Set(); // virtual-key codes
const controlKeysDown = new Set(), padsDown = new Set(); // controls
let levelsSent = '';
let focused = false, active = false;
let padsPolled = false, padTimer = 0;
let fullscreenLeft = -1e9, escapeLeftFullscreen = false;

function sendLevels() {
  const levels = { keys: [...down], controls: [...new Set([...controlKeysDown, ...padsDown])] };
  const text = JSON.stringify(levels);
  if (text === levelsSent || !worker) return;
  levelsSent = text;
  worker.postMessage({ levels });
}

// Active while the page is visible and has the focus; a change is sent once.
function checkActive() {
  const now = focused && !document.hidden;
  if (now === active) return;
  active = now;
  if (!active) { // no key-up comes to a page that has lost the focus
    down.clear();
    controlKeysDown.clear();
    padsDown.clear(); // as the game lets go of them: read again once back
  } else readPads();
  sendLevels();
  worker?.postMessage({ active });
}

function onKey(e) {
  const control = bindings.controlKeys[e.code];
  if (control !== undefined) {
    e.preventDefault();
    e.type === 'keydown' ? controlKeysDown.add(control) : controlKeysDown.delete(control);
    return sendLevels();
  }
  const vk = bindings.keys[e.code];
  if (vk === undefined) return;
  e.preventDefault(); // no scrolling by the arrows, of this page or one around it
  // The Escape that leaves full screen is the browser's, not the game's,
  // and so are its repeats while it is held.
  if (e.code === 'Escape') {
    if (e.type === 'keyup') escapeLeftFullscreen = false;
    else if (document.fullscreenElement || performance.now() - fullscreenLeft < 500 ||
             (e.repeat && escapeLeftFullscreen)) {
      escapeLeftFullscreen = true;
      return;
    }
  }
  e.type === 'keydown' ? down.add(vk) : down.delete(vk);
  sendLevels();
}

// Gamepads whose layout the browser does not know are left alone.
function readPads() {
  padsDown.clear();
  for (const pad of (navigator.getGamepads ? navigator.getGamepads() : []) || []) {
    if (!pad || !pad.connected || pad.mapping !== 'standard' || !bindings) continue;
    for (const [index, control] of bindings.padButtons)
      if (pad.buttons[index]?.pressed) padsDown.add(control);
  }
  sendLevels();
}

// Page buttons 0, 1, 2 are left, middle, right; the point is the canvas's
// own pixel, however large the canvas is shown.
function pressButton(button, isDown, clientX, clientY) {
  const rect = canvas.getBoundingClientRect();
  const at = (client, start, size, pixels) =>
    Math.min(pixels - 1, Math.max(0, Math.floor(((client - start) * pixels) / (size || 1))));
  const x = clientX === undefined ? 0 : at(clientX, rect.left, rect.width, bindings.width);
  const y = clientY === undefined ? 0 : at(clientY, rect.top, rect.height, bindings.height);
  worker.postMessage({ event: [isDown ? 1 : 2, button, x, y] });
}

function onButton(e) {
  e.preventDefault(); // no autoscroll by the middle button
  // That also keeps the focus where it was: in a page inside another site's
  // page, the keys come back only with the focus.
  if (e.type === 'mousedown') canvas.focus({ preventScroll: true });
  if (e.button > 2) return;
  pressButton(e.button, e.type === 'mousedown', e.clientX, e.clientY);
}
const noMenu = (e) => e.preventDefault();

// While the game's display is open (from its {open} to its {ended}), the
// page hears its keys and the canvas's buttons.
function listen(on) {
  const method = on ? 'addEventListener' : 'removeEventListener';
  window[method]('keydown', onKey);
  window[method]('keyup', onKey);
  canvas[method]('mousedown', onButton);
  canvas[method]('mouseup', onButton);
  canvas[method]('contextmenu', noMenu);
}

function fromGame(message) {
  const game = window.whirlquarium;
  for (const line of message.lines || []) logLine(line);
  if (message.open) {
    bindings = message.open;
    game.padMapping = bindings.padMapping;
    if (context) [canvas.width, canvas.height] = [bindings.width, bindings.height];
    listen(true);
    game.pressButton = (button, isDown) => pressButton(button, isDown);
    worker.postMessage({ pads: padsPolled });
    focused = document.hasFocus();
    checkActive();
  }
  if (message.frames) {
    game.frames += message.frames.length;
    if (message.at) game.framesAt = message.at - performance.timeOrigin;
    game.frameTimes.push(...message.frames);
    game.frameTimes.splice(0, game.frameTimes.length - 1000);
    // The pads are read just before the next frame is due.
    if (padsPolled && message.next >= 0) {
      clearTimeout(padTimer);
      padTimer = setTimeout(readPads, message.next - performance.timeOrigin - performance.now() - 3);
    }
  }
  if (message.picture) {
    const [left, top, width, height, bytes] = message.picture;
    context.putImageData(new ImageData(new Uint8ClampedArray(bytes), width, height), left, top);
  }
  if ('cursor' in message) canvas.style.cursor = message.cursor ? '' : 'none';
  if (message.started) canvas.focus({ preventScroll: true });
  if ('ended' in message) {
    listen(false);
    game.pressButton = null;
    bindings = null;
    game.onGameEnded(message.ended);
  }
  if (message.aborted) game.onAbort(message.aborted);
  if (message.failed) {
    statusText.textContent = 'The game could not start (see the console).';
    console.error(message.failed);
  }
}

// The worker, once: the canvas goes to it where the browser can draw on an
// OffscreenCanvas there.
function startWorker() {
  worker = new Worker(`worker.js?build=${encodeURIComponent(build.hash)}`);
  worker.onmessage = (e) => fromGame(e.data);
  worker.onerror = (e) => window.whirlquarium.onAbort(e.message || 'the game\'s worker failed');
  addEventListener('blur', () => { focused = false; checkActive(); });
  addEventListener('focus', () => { focused = true; checkActive(); });
  document.addEventListener('visibilitychange', checkActive);
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement) fullscreenLeft = performance.now();
  });
  let offscreen = false;
  try {
    offscreen = !!(canvas.transferControlToOffscreen && new OffscreenCanvas(1, 1).getContext('2d'));
  } catch {}
  if (offscreen) return { canvas: canvas.transferControlToOffscreen() };
  context = canvas.getContext('2d', { alpha: false });
  return {};
}

function startGame() {
  statusText.textContent = 'Playing';
  againButton.hidden = true;
  // The running game, where its figures can be read: the frames shown (the
  // worker tells of them every quarter of a second or so), when the last of
  // those ended (performance.now()), the milliseconds of the last 1,000, the
  // gamepads' mapping.
  window.whirlquarium = {
    canvas, kiosk, frames: 0, framesAt: 0, frameTimes: [],
    onGameEnded: () => {
      statusText.textContent = 'The game has ended.';
      againButton.hidden = false;
    },
    onAbort: (what) => {
      statusText.textContent = 'The game stopped on an error (see the console).';
      console.error(what);
    },
  };
  const handed = worker ? {} : startWorker();
  focused = document.hasFocus();
  active = focused && !document.hidden;
  levelsSent = '';
  down.clear();
  controlKeysDown.clear();
  const start = { kiosk, screen: [screen.width, screen.height], active, canvas: handed.canvas };
  worker.postMessage({ start }, handed.canvas ? [handed.canvas] : []);
}

// ---- The picture's size ------------------------------------------------------
// Where 640x480 CSS pixels fit, the largest whole number of device pixels a
// game pixel that fits, so that every block is as large as every other; where
// they do not (a phone), scaled smoothly to what fits.
function pictureSize(roomWidth, roomHeight) {
  const ratio = window.devicePixelRatio || 1;
  if (roomWidth >= kWidth && roomHeight >= kHeight) {
    const factor = Math.max(1, Math.floor(Math.min((roomWidth * ratio) / kWidth, (roomHeight * ratio) / kHeight)));
    return { width: (factor * kWidth) / ratio, height: (factor * kHeight) / ratio, smooth: false };
  }
  const scale = Math.max(0.25, Math.min(roomWidth / kWidth, roomHeight / kHeight));
  return { width: Math.floor(kWidth * scale), height: Math.floor(kHeight * scale), smooth: true };
}

function layout() {
  const body = document.body, stage = $('stage'), page = $('page'), panel = $('console');
  const full = document.fullscreenElement === stage;
  const width = document.documentElement.clientWidth, height = window.innerHeight;
  const touch = body.classList.contains('touch');
  const landscape = touch && width > height;
  body.classList.toggle('narrow', width < 720);
  stage.classList.toggle('landscape', landscape);
  const margin = full ? 0 : width < 720 ? 8 : 16;
  // The touch controls' room: a column each side, or a row below.
  const padWidth = landscape ? 2 * ($('blender').offsetWidth + 12) : 0;
  const padHeight = touch && !landscape ? $('blender').offsetHeight + 8 : 0;
  let roomWidth = width - 2 * margin - padWidth;
  const roomHeight = height - 2 * margin - padHeight;
  const beside = !full && !panel.classList.contains('hidden') && roomWidth >= kWidth + kGap + kLogWidth;
  if (beside) roomWidth -= kGap + kLogWidth;
  const size = pictureSize(roomWidth, roomHeight);
  canvas.style.width = `${size.width}px`;
  canvas.style.height = `${size.height}px`;
  canvas.classList.toggle('smooth', size.smooth);
  // The controls spread over the whole row where a thumb reaches them; the
  // lines below the picture as wide as it.
  const row = touch && !beside ? width - 2 * margin : Math.max(size.width + padWidth, Math.min(320, width - 2 * margin));
  $('game').style.width = full ? '' : `${row}px`;
  page.classList.toggle('stacked', !beside);
  document.documentElement.style.setProperty('--log-height',
    beside ? `${Math.max(200, size.height - 36)}px` : `${Math.max(200, Math.floor(height * 0.4))}px`);
  return size;
}

// ---- Touch controls ------------------------------------------------------------
// Each feeds the game as the canvas's mouse buttons do: the blender button is
// the left button, held while a finger is on it; a quarter is a right click, a
// flip a middle click. Every finger is its own pointer, so one can hold while
// another taps.
function press(button, down) {
  const game = window.whirlquarium;
  if (game && game.pressButton) game.pressButton(button, down);
}

function bindHold(element, button) {
  const fingers = new Set();
  const lift = (e) => {
    if (!fingers.delete(e.pointerId) || fingers.size) return;
    element.classList.remove('down');
    press(button, false);
  };
  element.addEventListener('pointerdown', (e) => {
    e.preventDefault(); // no focus, no selection, no mouse events made up after the touch
    canvas.focus({ preventScroll: true });
    // A touch holds on to the element it began on: let go, so that sliding
    // off the button is heard as leaving it.
    if (element.hasPointerCapture(e.pointerId)) element.releasePointerCapture(e.pointerId);
    if (fingers.has(e.pointerId)) return;
    fingers.add(e.pointerId);
    if (fingers.size > 1) return;
    element.classList.add('down');
    press(button, true);
  });
  for (const type of ['pointerup', 'pointercancel', 'pointerleave']) element.addEventListener(type, lift);
  // Keyboards and screen readers click it: down and up at once.
  element.addEventListener('click', (e) => {
    if (e.detail === 0) press(button, true), press(button, false);
  });
}

function bindClick(element, button) {
  element.addEventListener('pointerdown', (e) => {
    e.preventDefault();
    canvas.focus({ preventScroll: true });
    element.classList.add('down');
    press(button, true);
    press(button, false);
  });
  for (const type of ['pointerup', 'pointercancel', 'pointerleave'])
    element.addEventListener(type, () => element.classList.remove('down'));
  element.addEventListener('click', (e) => {
    if (e.detail === 0) press(button, true), press(button, false);
  });
}

function showTouchControls() {
  if (document.body.classList.contains('touch')) return;
  document.body.classList.add('touch');
  layout();
}

bindHold($('blender'), 0);
bindClick($('quarter'), 2);
bindClick($('flip'), 1);
$('pads').addEventListener('contextmenu', (e) => e.preventDefault());
if (matchMedia('(any-pointer: coarse)').matches) document.body.classList.add('touch');
addEventListener('touchstart', showTouchControls, { passive: true, capture: true });

// ---- The page ------------------------------------------------------------------
againButton.addEventListener('click', startGame);
$('toggle-log').addEventListener('click', () => {
  const hidden = $('console').classList.toggle('hidden');
  $('toggle-log').textContent = hidden ? 'Show the log' : 'Hide the log';
  layout();
});
// Where the picture has to shrink (a phone), the log starts hidden.
if (layout().smooth) $('toggle-log').click();
addEventListener('resize', layout);
addEventListener('orientationchange', layout);

// Full screen where the browser offers it: the picture (and the touch
// controls) on black; the browser's Escape leaves it.
const fullscreenButton = $('fullscreen');
if (document.fullscreenEnabled) {
  fullscreenButton.hidden = false;
  fullscreenButton.addEventListener('click', () => {
    $('stage').requestFullscreen({ navigationUI: 'hide' }).catch((error) => console.error(error));
  });
  document.addEventListener('fullscreenchange', () => {
    layout();
    canvas.focus({ preventScroll: true });
  });
}

// Kiosk mode: the browser grants full screen only for a tap or a key, and its
// own Escape leaves it; the next tap or key brings it back.
if (kiosk) {
  document.body.classList.add('kiosk');
  $('console').classList.add('hidden');
  layout();
  const enter = () => {
    if (document.fullscreenEnabled && !document.fullscreenElement)
      $('stage').requestFullscreen({ navigationUI: 'hide' }).catch((error) => console.error(error));
  };
  addEventListener('pointerdown', enter, { capture: true });
  addEventListener('keydown', enter, { capture: true });
}

// ---- Controllers -----------------------------------------------------------------
// A browser shows a gamepad to the page after its first button press; the
// page then shows what its buttons do (as the running game names them), or
// why it is not used.
const padMapping = $('pad-mapping');
addEventListener('gamepadconnected', (e) => {
  const pad = e.gamepad, mapping = window.whirlquarium?.padMapping || [];
  padMapping.replaceChildren(`Controller: ${pad.id}`);
  if (pad.mapping !== 'standard') {
    padMapping.append(' — its buttons are not in the standard layout, so the game does not use it.');
  } else {
    const list = document.createElement('dl');
    for (const [control, action] of mapping) {
      const name = document.createElement('dt'), does = document.createElement('dd');
      name.textContent = control;
      does.textContent = action;
      list.append(name, does);
    }
    padMapping.append(list);
  }
  padMapping.hidden = false;
  padsPolled = true;
  worker?.postMessage({ pads: true });
  readPads();
});
addEventListener('gamepaddisconnected', () => {
  const pads = (navigator.getGamepads ? navigator.getGamepads() : []) || [];
  if ([...pads].some((pad) => pad && pad.connected)) return;
  padMapping.hidden = true;
  padsPolled = false;
  worker?.postMessage({ pads: false });
  clearTimeout(padTimer);
  readPads();
});

$('build').textContent = (build.version ? `Version ${build.version}, build ` : 'Build ') + build.hash;

// The service worker keeps this build's files for the next visit without the
// network (only in a secure context: HTTPS, or this machine).
if ('serviceWorker' in navigator && window.isSecureContext) {
  navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch((error) =>
    console.error(`The game cannot be kept for offline play: ${error.message}`));
}
