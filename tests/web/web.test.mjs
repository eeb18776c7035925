// The game's page played in each browser (browsers.mjs), against the headless
// replay tool: its start-up log and attract picture, every control, sleep
// while the page is hidden, full screen, the page inside another site's page,
// and Escape. WHIRL_SITE: the built site; WHIRL_REPLAY: the replay tool.
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
    // The canvas's own pixels (whatever size it is shown at): the fish swims
    // in rows 195 to 290; everything else stands still.
    const [changed, magenta] = await page.evaluate(async (b) => {
      const p = document.querySelector('canvas').getContext('2d').getImageData(0, 0, 640, 480).data;
      const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${b}`)).blob());
      const context = new OffscreenCanvas(640, 480).getContext('2d');
      context.drawImage(image, 0, 0);
      const q = context.getImageData(0, 0, 640, 480).data;
      let changed = 0, magenta = 0;
      for (let i = 0; i < p.length; i += 4) {
        const y = Math.floor(i / 2560);
        if ((y < 195 || y > 290) && (p[i] !== q[i] || p[i + 1] !== q[i + 1] || p[i + 2] !== q[i + 2])) ++changed;
        if (p[i] === 255 && p[i + 1] === 0 && p[i + 2] === 255) ++magenta;
      }
      return [changed, magenta];
    }, shots.attract);
    assert.deepEqual({ changed, magenta }, { changed: 0, magenta: 0 });
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
