// The game's page played in each browser (browsers.mjs), against the headless
// replay tool: its start-up log and attract picture, every control (a gamepad
// and the arcade keys among them), sleep while the page is hidden, full
// screen, the page inside another site's page, kiosk mode (where the page
// draws the picture itself, as where the canvas cannot be handed to the
// game's worker), and Escape. WHIRL_SITE: the built site; WHIRL_REPLAY: the
// replay tool.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { serve } from '../../tools/web/serve.mjs';
import {
  frames, kBrowsers, launch, logHas, logLines, nthQuarter, quarters, removeScratch, replay, scratchDir, sleep, startupDone,
  until,
} from './browsers.mjs';

for (const name of kBrowsers) describe(name, () => {
  let server, browser, page;
  const origin = () => `http://127.0.0.1:${server.address().port}`;
  async function click(button, hold = 50) {
    const box = await (await page.$('canvas')).boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.down({ button });
    await sleep(hold);
    await page.mouse.up({ button });
  }

  // How many of the canvas's own pixels (whatever size it is shown at, whoever
  // draws on it) differ from a shot's outside rows 195 to 290, where the fish
  // swims, and how many are the transparent key's magenta.
  const unlike = (on, shot) => on.evaluate(async (b) => {
    const pixels = (image) => {
      const context = new OffscreenCanvas(640, 480).getContext('2d');
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, 640, 480).data;
    };
    const p = pixels(document.querySelector('canvas'));
    const q = pixels(await createImageBitmap(await (await fetch(`data:image/png;base64,${b}`)).blob()));
    let changed = 0, magenta = 0;
    for (let i = 0; i < p.length; i += 4) {
      const y = Math.floor(i / 2560);
      if ((y < 195 || y > 290) && (p[i] !== q[i] || p[i + 1] !== q[i + 1] || p[i + 2] !== q[i + 2])) ++changed;
      if (p[i] === 255 && p[i + 1] === 0 && p[i + 2] === 255) ++magenta;
    }
    return { changed, magenta };
  }, shot);

  before(async () => {
    server = await serve(process.env.WHIRL_SITE);
    browser = await launch(name);
    page = await browser.newPage();
    page.on('pageerror', (error) => console.error(`${name} page:`, error.message));
    await page.setViewport({ width: 1280, height: 900 });
    await page.goto(`${origin()}/`);
  });
  after(async () => {
    await browser?.close();
    server?.close();
    removeScratch();
  });

  test('start-up writes the replay tool\'s log and shows its attract display', async () => {
    const { log, shots } = replay('20 shot attract\n21 end\n');
    await until('three frames', async () => (await frames(page)) >= 3);
    await until('the start-up log', async () => (await logLines(page)).length >= log.length);
    assert.deepEqual((await logLines(page)).slice(0, log.length), log);
    assert.deepEqual(await unlike(page, shots.attract), { changed: 0, magenta: 0 });
  });

  test('a quarter by the right arrow, one by a right click, neither scrolls nor opens a menu', async () => {
    // Heard after the page's own handlers, which the running game has added.
    await page.evaluate(() =>
      ['keydown', 'contextmenu'].forEach((t) => addEventListener(t, (e) => (window[t] = e.defaultPrevented))));
    await page.keyboard.down('ArrowRight');
    await until('a quarter by the arrow', async () => quarters(await logLines(page)).length >= 1);
    await page.keyboard.up('ArrowRight');
    await sleep(200);
    const byKey = quarters(await logLines(page)).length;
    await click('right');
    await until('a quarter by the button', async () => quarters(await logLines(page)).length > byKey);
    await sleep(300);
    const all = quarters(await logLines(page));
    assert.equal(all.length, byKey + 1);
    all.forEach((block, i) => assert.deepEqual(block, nthQuarter(i + 1)));
    assert.deepEqual(await page.evaluate(() => [window.keydown, window.contextmenu]), [true, true]);
  });

  test('the left button starts the blender, the reading climbs, the middle button flips and saves the fish', async () => {
    await page.mouse.down({ button: 'left' });
    await until('blending', logHas(page, 'NOW BLENDING!!!'));
    await until('speed 3', logHas(page, 'Speed Up! m_iSpeed = 3'));
    await click('middle');
    await page.mouse.up({ button: 'left' });
    await until('the saved board', logHas(page, "Message 'Msg_ShowSavedScores' Accepted!"));
    const saving = ['Msg_Flip', 'Msg_Gravity', 'Msg_Saved', 'Msg_ShowSavedScores'].map((m) => `Message '${m}' Accepted!`);
    assert.deepEqual((await logLines(page)).filter((l) => saving.includes(l)), saving);
  });

  test('no frames while the page is hidden, play again when it is back', async (t) => {
    const other = await browser.newPage();
    await other.bringToFront();
    await sleep(200);
    if (!(await page.evaluate(() => document.hidden))) {
      await other.close();
      await page.bringToFront();
      return t.skip(`headless ${name} leaves a tab in the background visible`);
    }
    const hidden = await frames(page);
    await sleep(600);
    assert.equal(await frames(page), hidden);
    await page.bringToFront();
    await until('frames again', async () => (await frames(page)) > hidden + 5);
    await other.close();
  });

  test('the browser\'s Escape leaves full screen and the game goes on', async (t) => {
    if (!(await page.evaluate(() => document.fullscreenEnabled)))
      return assert.equal(await page.$eval('#fullscreen', (b) => b.hidden), true);
    await page.click('#fullscreen');
    await until('full screen', () => page.evaluate(() => document.fullscreenElement?.id === 'stage'), 5000);
    try {
      // The picture at the largest whole factor the screen holds, in its middle.
      const [shown, room, centre] = await page.evaluate(() => {
        const r = document.querySelector('canvas').getBoundingClientRect();
        return [[r.width, r.height], [innerWidth, innerHeight], [r.left + r.width / 2, innerWidth / 2]];
      });
      const factor = Math.max(1, Math.floor(Math.min(room[0] / 640, room[1] / 480)));
      assert.deepEqual(shown, [640 * factor, 480 * factor]);
      assert.ok(Math.abs(centre[0] - centre[1]) <= 1, `picture centred: ${centre}`);
    } catch (error) {
      await page.evaluate(() => document.exitFullscreen());
      throw error;
    }
    const before = await frames(page);
    await page.keyboard.press('Escape');
    await sleep(300);
    // Where the browser leaves full screen on the Escape it is sent here, it
    // must have done so; either way the game has not heard it.
    if (await page.evaluate(() => !!document.fullscreenElement)) {
      t.diagnostic(`headless ${name} stays in full screen on a sent Escape`);
      await page.evaluate(() => document.exitFullscreen());
    }
    await until('frames after Escape', async () => (await frames(page)) > before + 10);
    assert.equal(await page.$eval('#again', (b) => b.hidden), true);
  });

  test('inside another site\'s page, a click on the picture gives the game the keys, and arrows scroll nothing', async () => {
    const outer = await browser.newPage();
    await outer.setViewport({ width: 1000, height: 700 });
    // Another origin (another port) frames the game, as a portal would.
    const dir = scratchDir('whirl-portal-');
    fs.writeFileSync(path.join(dir, 'index.html'), `<!DOCTYPE html><body style="height:5000px">
      <button id="b">outer</button><iframe src="${origin()}/" width="900" height="600"></iframe></body>`);
    const portal = await serve(dir);
    try {
      await outer.goto(`http://127.0.0.1:${portal.address().port}/`);
      const frame = await (await outer.$('iframe')).contentFrame();
      await until('the framed game', async () => (await frame.evaluate(() => window.whirlquarium?.frames || 0)) >= 3);
      const lines = () => frame.$eval('#log', (el) => el.textContent.split('\n').slice(0, -1));
      await outer.click('#b');
      await outer.evaluate(() => scrollTo(0, 0));
      const box = await (await frame.$('canvas')).boundingBox();
      await outer.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
      const before = quarters(await lines()).length;
      await outer.keyboard.down('ArrowRight');
      await until('a quarter in the framed game', async () => quarters(await lines()).length > before);
      await outer.keyboard.up('ArrowRight');
      for (const key of ['ArrowDown', 'ArrowDown', 'ArrowUp', 'ArrowDown']) await outer.keyboard.press(key);
      await sleep(200);
      assert.equal(await outer.evaluate(() => scrollY), 0);
    } finally {
      await outer.close();
      portal.close();
    }
  });

  test('a gamepad in the standard layout and the arcade keys play the game; the page shows the mapping', async () => {
    await page.bringToFront();
    await page.focus('canvas');
    await until('the next game', logHas(page, "Message 'NewGame' Accepted!"), 20000);
    // The stand-in for the browser's gamepads: one pad whose buttons the test sets.
    await page.evaluate(() => {
      const pad = { id: 'stand-in', index: 0, connected: true, mapping: 'standard', axes: [0, 0, 0, 0], timestamp: 0,
        buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })) };
      window.standIn = [pad];
      Object.defineProperty(navigator, 'getGamepads', { configurable: true, value: () => window.standIn });
      const connected = new Event('gamepadconnected');
      connected.gamepad = pad;
      dispatchEvent(connected);
    });
    const mapping = await page.$eval('#pad-mapping', (el) => (el.hidden ? '' : el.textContent));
    for (const text of ['stand-in', 'Back / Select', 'insert a quarter', 'A / Cross (hold)'])
      assert.ok(mapping.includes(text), `the mapping shown names ${text}: ${mapping}`);
    const count = async (line) => (await logLines(page)).filter((l) => l.startsWith(line)).length;
    const set = (index, pressed) => page.evaluate((i, p) => {
      window.standIn[0].buttons[i] = { pressed: p, touched: p, value: p ? 1 : 0 };
    }, index, pressed);
    // Each control held, then let go: [what, pad button or key, the line it leads to, the line its release leads to].
    const rows = [['Back', 8, 'Quarter accepted!'], ['D-pad right', 15, 'Quarter accepted!'],
      ['5', 'Digit5', 'Quarter accepted!'], ['A', 0, 'NOW BLENDING!!!', 'Blender Stopped.'],
      ['1', 'Digit1', 'NOW BLENDING!!!', 'Blender Stopped.'], ['B', 1, 'FlipOver::Enter']];
    for (const [what, control, line, released] of rows) {
      const before = await count(line), stopped = released && (await count(released));
      await (typeof control === 'number' ? set(control, true) : page.keyboard.down(control));
      await until(`${what}: ${line}`, async () => (await count(line)) > before);
      if (released) {
        await sleep(300);
        assert.equal(await count(released), stopped, `${what} held: not yet ${released}`);
      }
      await (typeof control === 'number' ? set(control, false) : page.keyboard.up(control));
      if (released) await until(`${what} let go: ${released}`, async () => (await count(released)) > stopped);
      await sleep(200);
    }
    await page.evaluate(() => {
      const gone = new Event('gamepaddisconnected');
      gone.gamepad = window.standIn.pop();
      dispatchEvent(gone);
    });
    assert.equal(await page.$eval('#pad-mapping', (el) => el.hidden), true);
  });

  test('kiosk mode: no log panel, full screen on the first key, and Escape does not end the game; the page draws the picture where the canvas cannot be handed over', async () => {
    const kiosk = await browser.newPage();
    try {
      await kiosk.setViewport({ width: 1280, height: 900 });
      await kiosk.evaluateOnNewDocument(() => delete HTMLCanvasElement.prototype.transferControlToOffscreen);
      await kiosk.goto(`${origin()}/?kiosk`);
      await until('frames', async () => (await frames(kiosk)) >= 3);
      assert.equal(await kiosk.$eval('#console', (el) => el.offsetParent), null);
      assert.ok(await kiosk.$eval('canvas', (c) => !!c.getContext('2d')), 'the page keeps its canvas');
      assert.deepEqual(await unlike(kiosk, replay('20 shot attract\n21 end\n').shots.attract), { changed: 0, magenta: 0 });
      await kiosk.focus('canvas');
      // Out of full screen, the Escape is not the browser's: the game must not hear it.
      await kiosk.keyboard.down('Escape');
      await sleep(300);
      await kiosk.keyboard.up('Escape');
      const before = await frames(kiosk);
      await until('frames after Escape', async () => (await frames(kiosk)) > before + 10);
      assert.equal(await kiosk.$eval('#again', (b) => b.hidden), true);
      await kiosk.keyboard.press('Digit5');  // Escape is never a browser's reason to grant full screen
      if (await kiosk.evaluate(() => document.fullscreenEnabled))
        await until('full screen', () => kiosk.evaluate(() => document.fullscreenElement?.id === 'stage'), 5000);
    } finally {
      await kiosk.close();
    }
  });

  test('Escape ends the game; the page says so and starts it again', async () => {
    await page.bringToFront();
    await page.focus('canvas');
    await page.keyboard.down('Escape');
    await until('the end', () => page.$eval('#again', (b) => !b.hidden));
    await page.keyboard.up('Escape');
    assert.equal(await page.$eval('#status', (s) => s.textContent), 'The game has ended.');
    const ended = await frames(page);
    await sleep(300);
    assert.equal(await frames(page), ended);
    await page.click('#again');
    await until('a second start-up', startupDone(page, 2));
    await until('frames of the new game', async () => (await frames(page)) >= 3);
  });
});
