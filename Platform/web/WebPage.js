// The game's side of the web backend (an emscripten JS library; see
// WebBackend.cpp). The program runs in a worker of its own (page/worker.js);
// the page (page/page.js) keeps the input and the log panel and talks to it
// by messages. Here: the picture, drawn on the page's canvas handed over to
// the worker (Module.context, an OffscreenCanvas's) or, where the browser cannot
// hand it over, sent to the page a changed rectangle at a time; the levels of
// the game's keys and controls as the page last sent them (the arcade keys,
// and the buttons of gamepads in the standard layout, which the page polls
// just before each frame is due); mouse buttons, the page's touch buttons and
// activation as queued events; and the wait that yields to the worker's
// event loop until its time is up or an event is queued.
//
// To the page (Module.toPage): {open} once the display is bound (its size and
// the names the page needs), then at a wait, when there is news,
// {frames, at, next, picture, lines}: the milliseconds of each frame shown
// since, from its first key poll to the canvas, when the last of them ended
// and when the next one is due (on the page's clock: performance.timeOrigin +
// now), the rectangle the page is to
// put on its canvas, the log's new lines (every message carries those first);
// {cursor}; {ended}.
// From the page (Module.fromPage): {levels: {keys, controls}}, the codes held
// now; {event: [kind, argument, x, y]}, kinds as in WebBackend.cpp; {active};
// {pads}, whether it reads gamepads (and wants to hear of every frame).
mergeInto(LibraryManager.library, {
  $WebPage: {
    keys: {}, // KeyboardEvent.code -> virtual-key code
    controlKeys: {}, // KeyboardEvent.code -> control
    padButtons: [], // [standard-layout button index, control]
    padMapping: [], // [control's name, action]
    down: {}, // virtual-key code -> held
    controlsDown: {}, // control -> held on the keyboard or a gamepad
    queue: [], // [kind, argument, x, y]
    wake: null,
    channel: null,
    shown: false,
    active: false,
    frameStart: 0,
    frameTimes: [], // not yet sent to the page
    reported: 0, // when they last were
    padsPolled: false, // whether the page reads the gamepads before each frame
    picture: null, // [left, top, width, height, bytes]: not yet sent to the page
    timerLate: 0.25, // milliseconds: how late timers have lately landed

    // Runs fn as soon as the worker has handled what is waiting (a message
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
    // A change of the page's activity is posted once; the page lets go of
    // every key when it loses the focus (no key-up comes to it then).
    activate: function (active) {
      if (!WebPage.shown || active === WebPage.active) return;
      WebPage.active = active;
      if (!active) WebPage.down = WebPage.controlsDown = {};
      WebPage.post([0, active ? 1 : 0, 0, 0]);
    },
    fromPage: function (message) {
      if (message.levels) {
        const held = (codes) => Object.fromEntries(codes.map((code) => [code, true]));
        WebPage.down = held(message.levels.keys);
        WebPage.controlsDown = held(message.levels.controls);
      } else if (message.event) {
        WebPage.post(message.event);
      } else if ('pads' in message) {
        WebPage.padsPolled = message.pads;
      } else if ('active' in message) {
        Module.pageActive = message.active;
        WebPage.activate(message.active);
      }
    },
  },

  whirl_web_open__deps: ['$WebPage'],
  whirl_web_open: function (width, height) {
    Module.fromPage = WebPage.fromPage;
    Module.width = width;
    Module.height = height;
    if (Module.context) {
      Module.context.canvas.width = width;
      Module.context.canvas.height = height;
    }
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
    WebPage.padMapping.push([UTF8ToString(name), UTF8ToString(action)]);
  },

  whirl_web_control_down__deps: ['$WebPage'],
  whirl_web_control_down: function (control) {
    return WebPage.controlsDown[control] ? 1 : 0;
  },

  whirl_web_kiosk: function () {
    return Module.kiosk ? 1 : 0;
  },

  // Showing activates the window; the page's activity as it last said then
  // counts from here on.
  whirl_web_show__deps: ['$WebPage'],
  whirl_web_show: function () {
    Module.toPage({ open: { width: Module.width, height: Module.height, keys: WebPage.keys,
      controlKeys: WebPage.controlKeys, padButtons: WebPage.padButtons, padMapping: WebPage.padMapping } });
    WebPage.shown = WebPage.active = true;
    WebPage.activate(Module.pageActive);
  },

  whirl_web_present__deps: ['$WebPage'],
  whirl_web_present: function (rgba, left, top, width, height) {
    if (width > 0 && height > 0) {
      const data = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
      if (Module.context) Module.context.putImageData(new ImageData(data, width, height), left, top);
      else {
        // A second image before the wait: the page puts the first now.
        if (WebPage.picture) Module.toPage({ picture: WebPage.picture }, [WebPage.picture[4]]);
        WebPage.picture = [left, top, width, height, data.slice().buffer];
      }
    }
    if (WebPage.frameStart) {
      WebPage.frameTimes.push(performance.now() - WebPage.frameStart);
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
  // worker's event loop (a timer set from a timer is held back to 4 ms).
  whirl_web_wait__deps: ['$WebPage'],
  whirl_web_wait: function (deadline) {
    // The layer pumps before it waits: a frame begins only with the first key
    // poll after its last wait.
    WebPage.frameStart = 0;
    // The frames' times wait for other news, or a quarter of a second, unless
    // the page reads the gamepads before each frame.
    const now = performance.now();
    if (WebPage.picture || Module.lines.length || (WebPage.frameTimes.length &&
        (WebPage.padsPolled || deadline < 0 || now - WebPage.reported >= 250))) {
      WebPage.reported = now;
      const message = { frames: WebPage.frameTimes, at: performance.timeOrigin + now,
        next: deadline >= 0 ? performance.timeOrigin + deadline : -1 };
      if (WebPage.picture) message.picture = WebPage.picture;
      Module.toPage(message, WebPage.picture ? [WebPage.picture[4]] : []);
      WebPage.frameTimes = [];
      WebPage.picture = null;
    }
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
    // A frame begins with its first key poll.
    if (!WebPage.frameStart) WebPage.frameStart = performance.now();
    return WebPage.down[vk] ? 1 : 0;
  },

  whirl_web_screen_size: function (width, height) {
    HEAP32[width >> 2] = Module.screen[0];
    HEAP32[height >> 2] = Module.screen[1];
  },

  whirl_web_cursor: function (visible) {
    Module.toPage({ cursor: !!visible });
  },

  whirl_web_ended__deps: ['$WebPage'],
  whirl_web_ended: function (code) {
    Module.fromPage = null;
    Module.toPage({ frames: WebPage.frameTimes, next: -1, ended: code });
  },
});
