// The page side of the web backend (an emscripten JS library; see
// WebBackend.cpp): the canvas the window's image is shown on (Module.canvas),
// the game's keys as levels, and the controls' (the arcade keys, and the
// buttons of gamepads in the standard layout, read as a frame may begin; their names
// and actions in Module.padMapping for the page to show), mouse buttons and
// activation as queued events
// (the page's touch buttons queue theirs through Module.pressButton, as the
// canvas's mouse buttons do), and the wait that yields to the browser until
// its time is up or an event is queued. Module.frames counts the frames shown and Module.frameTimes keeps
// the last ones' milliseconds from the frame's first key poll to the canvas.
mergeInto(LibraryManager.library, {
  $WebPage: {
    keys: {}, // KeyboardEvent.code -> virtual-key code
    down: {}, // virtual-key code -> held
    controlKeys: {}, // KeyboardEvent.code -> control
    controlKeysDown: {}, // control -> held on the keyboard
    padButtons: [], // [standard-layout button index, control]
    padsDown: {}, // control -> held on a gamepad, as this frame read them
    queue: [], // [kind, argument, x, y]; kinds as in WebBackend.cpp
    wake: null,
    channel: null,
    focused: false,
    active: false,
    listeners: [],
    frameStart: 0,
    context: null, // the canvas's, once asked for
    timerLate: 0.25, // milliseconds: how late timers have lately landed

    listen: function (target, type, handler) {
      target.addEventListener(type, handler);
      WebPage.listeners.push([target, type, handler]);
    },
    // Runs fn as soon as the page has handled what is waiting (a message
    // to ourselves: unlike a timer, never held back).
    step: function (fn) {
      if (!WebPage.channel) WebPage.channel = new MessageChannel();
      WebPage.channel.port1.onmessage = () => fn();
      WebPage.channel.port2.postMessage(0);
    },
    post: function (event) {
      WebPage.queue.push(event);
      if (WebPage.wake) WebPage.wake();
    },
    // Active while the page is visible and has the focus; a change is posted once.
    checkActive: function () {
      const bActive = WebPage.focused && !document.hidden;
      if (bActive === WebPage.active) return;
      WebPage.active = bActive;
      if (!bActive) { // no key-up comes to a page that has lost the focus
        WebPage.down = {};
        WebPage.controlKeysDown = {};
      }
      WebPage.post([0, bActive ? 1 : 0, 0, 0]);
    },
    onKey: function (e) {
      const control = WebPage.controlKeys[e.code];
      if (control !== undefined) {
        e.preventDefault();
        WebPage.controlKeysDown[control] = e.type === 'keydown';
        return;
      }
      const vk = WebPage.keys[e.code];
      if (vk === undefined) return;
      e.preventDefault(); // no scrolling by the arrows, of this page or one around it
      // The Escape that leaves full screen is the browser's, not the game's,
      // and so are its repeats while it is held.
      if (e.code === 'Escape') {
        if (e.type === 'keyup') WebPage.escapeLeftFullscreen = false;
        else if (document.fullscreenElement || performance.now() - WebPage.fullscreenLeft < 500 ||
                 (e.repeat && WebPage.escapeLeftFullscreen)) {
          WebPage.escapeLeftFullscreen = true;
          return;
        }
      }
      WebPage.down[vk] = e.type === 'keydown';
    },
    // Gamepads whose layout the browser does not know are left alone.
    readPads: function () {
      const down = {};
      for (const pad of (navigator.getGamepads ? navigator.getGamepads() : []) || []) {
        if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
        for (const binding of WebPage.padButtons) {
          const button = pad.buttons[binding[0]];
          if (button && button.pressed) down[binding[1]] = true;
        }
      }
      WebPage.padsDown = down;
    },
    fullscreenLeft: -1e9,
    escapeLeftFullscreen: false,
    onFullscreen: function () {
      if (!document.fullscreenElement) WebPage.fullscreenLeft = performance.now();
    },
    // Page buttons 0, 1, 2 are left, middle, right; the point is the canvas's
    // own pixel, however large the canvas is shown.
    press: function (button, down, clientX, clientY) {
      const canvas = Module.canvas, rect = canvas.getBoundingClientRect();
      const at = (client, start, size, pixels) =>
        Math.min(pixels - 1, Math.max(0, Math.floor(((client - start) * pixels) / (size || 1))));
      const x = clientX === undefined ? 0 : at(clientX, rect.left, rect.width, canvas.width);
      const y = clientY === undefined ? 0 : at(clientY, rect.top, rect.height, canvas.height);
      WebPage.post([down ? 1 : 2, button, x, y]);
    },
    onButton: function (e) {
      e.preventDefault(); // no autoscroll by the middle button
      // That also keeps the focus where it was: in a page inside another
      // site's page, the keys come back only with the focus.
      if (e.type === 'mousedown') Module.canvas.focus({ preventScroll: true });
      if (e.button > 2) return;
      WebPage.press(e.button, e.type === 'mousedown', e.clientX, e.clientY);
    },
  },

  whirl_web_open__deps: ['$WebPage'],
  whirl_web_open: function (width, height) {
    const canvas = Module.canvas;
    canvas.width = width;
    canvas.height = height;
    WebPage.listen(window, 'keydown', WebPage.onKey);
    WebPage.listen(window, 'keyup', WebPage.onKey);
    WebPage.listen(canvas, 'mousedown', WebPage.onButton);
    WebPage.listen(canvas, 'mouseup', WebPage.onButton);
    WebPage.listen(canvas, 'contextmenu', (e) => e.preventDefault());
    WebPage.listen(window, 'blur', () => { WebPage.focused = false; WebPage.checkActive(); });
    WebPage.listen(window, 'focus', () => { WebPage.focused = true; WebPage.checkActive(); });
    WebPage.listen(document, 'visibilitychange', WebPage.checkActive);
    WebPage.listen(document, 'fullscreenchange', WebPage.onFullscreen);
    // The page's own buttons (touch controls): button 0, 1 or 2 down or up.
    Module.pressButton = (button, down) => WebPage.press(button, down);
  },

  whirl_web_bind_key__deps: ['$WebPage'],
  whirl_web_bind_key: function (code, vk) {
    WebPage.keys[UTF8ToString(code)] = vk;
  },

  whirl_web_bind_control_key__deps: ['$WebPage'],
  whirl_web_bind_control_key: function (code, control) {
    WebPage.controlKeys[UTF8ToString(code)] = control;
  },

  whirl_web_bind_pad_button__deps: ['$WebPage'],
  whirl_web_bind_pad_button: function (index, control, name, action) {
    WebPage.padButtons.push([index, control]);
    (Module.padMapping = Module.padMapping || []).push([UTF8ToString(name), UTF8ToString(action)]);
  },

  whirl_web_control_down__deps: ['$WebPage'],
  whirl_web_control_down: function (control) {
    return WebPage.controlKeysDown[control] || WebPage.padsDown[control] ? 1 : 0;
  },

  whirl_web_kiosk: function () {
    return Module.kiosk ? 1 : 0;
  },

  whirl_web_show__deps: ['$WebPage'],
  whirl_web_show: function () {
    WebPage.active = true;
    WebPage.focused = document.hasFocus();
    WebPage.checkActive();
  },

  whirl_web_present__deps: ['$WebPage'],
  whirl_web_present: function (rgba, left, top, width, height) {
    if (width > 0 && height > 0) {
      const data = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
      WebPage.context = WebPage.context || Module.canvas.getContext('2d', { alpha: false });
      WebPage.context.putImageData(new ImageData(data, width, height), left, top);
    }
    if (WebPage.frameStart) {
      Module.frames = (Module.frames || 0) + 1;
      const times = (Module.frameTimes = Module.frameTimes || []);
      times.push(performance.now() - WebPage.frameStart);
      if (times.length > 1000) times.shift();
      WebPage.frameStart = 0;
    }
  },

  whirl_web_next_event__deps: ['$WebPage'],
  whirl_web_next_event: function (kind, argument, x, y) {
    const event = WebPage.queue.shift();
    if (!event) return 0;
    HEAP32[kind >> 2] = event[0];
    HEAP32[argument >> 2] = event[1];
    HEAP32[x >> 2] = event[2];
    HEAP32[y >> 2] = event[3];
    return 1;
  },

  // Until the deadline (performance.now()) or the next queued event; a
  // negative deadline waits for the event alone. The deadline starts a tick,
  // and any moment in that tick's millisecond reads the same tick count. A
  // timer takes whole milliseconds and lands a little late (more on a busy
  // machine): it is aimed at the middle of the tick, allowing for how late the
  // last ones landed, so that it seldom lands a tick late and seldom early.
  // What is left after an early one is waited out in steps that yield to the
  // page (a timer set from a timer is held back to 4 ms).
  whirl_web_wait__deps: ['$WebPage'],
  whirl_web_wait: function (deadline) {
    // The layer pumps before it waits: a frame begins only with the first key
    // poll after its last wait.
    WebPage.frameStart = 0;
    return Asyncify.handleSleep(function (wakeUp) {
      let timer = 0, due = -1;
      const wake = (WebPage.wake = function () {
        if (WebPage.wake !== wake) return;
        WebPage.wake = null;
        clearTimeout(timer);
        wakeUp();
      });
      const check = function () {
        if (WebPage.wake !== wake) return;
        const now = performance.now();
        if (due >= 0) {
          WebPage.timerLate += 0.125 * (Math.min(Math.max(now - due, 0), 2) - WebPage.timerLate);
          due = -1;
        }
        const left = deadline - now;
        const delay = Math.round(left + 0.5 - WebPage.timerLate);
        if (left <= 0) wake();
        else if (delay >= 1) {
          due = now + delay;
          timer = setTimeout(check, delay);
        } else WebPage.step(check);
      };
      if (deadline >= 0) check();
    });
  },

  whirl_web_key_down__deps: ['$WebPage'],
  whirl_web_key_down: function (vk) {
    // A frame begins with its first key poll, and reads the gamepads once.
    if (!WebPage.frameStart) {
      WebPage.frameStart = performance.now();
      WebPage.readPads();
    }
    return WebPage.down[vk] ? 1 : 0;
  },

  whirl_web_screen_size: function (width, height) {
    HEAP32[width >> 2] = screen.width;
    HEAP32[height >> 2] = screen.height;
  },

  whirl_web_cursor: function (visible) {
    Module.canvas.style.cursor = visible ? '' : 'none';
  },

  whirl_web_ended__deps: ['$WebPage'],
  whirl_web_ended: function (code) {
    WebPage.listeners.forEach((l) => l[0].removeEventListener(l[1], l[2]));
    WebPage.listeners = [];
    Module.pressButton = null;
    if (Module.onGameEnded) Module.onGameEnded(code);
  },
});
