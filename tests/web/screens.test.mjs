// The page on a phone, a tablet and large monitors (Chromium's emulation of
// each), and as an installed web app: the touch buttons found by their names
// and played with one finger and two; the picture's size and the log's place;
// the next visit without the network; a new build put in place.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { serve } from '../../tools/web/serve.mjs';
import {
  frames, kBrowsers, launch, logHas, logLines, quarters, removeScratch, replay, scratchDir, sleep, until,
} from './browsers.mjs';

const here = path.dirname(new URL(import.meta.url).pathname);
const kPhone = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const kTablet = { width: 1024, height: 768, deviceScaleFactor: 1, isMobile: true, hasTouch: true };
const kNames = ['Insert a quarter', 'Blender button', 'Flip the blender'];

// Chromium's emulation of screens and touch: these run where Chromium is one
// of the browsers asked for.
const skip = !kBrowsers.includes('chromium') && 'only in Chromium';
let server, browser;
const origin = () => `http://127.0.0.1:${server.address().port}`;
before(async () => {
  if (skip) return;
  server = await serve(process.env.WHIRL_SITE);
  browser = await launch('chromium');
});
after(async () => {
  await browser?.close();
  server?.close();
  removeScratch();
});

async function open(viewport) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => console.error('page:', error.message));
  await page.setViewport(viewport);
  await page.goto(`${origin()}/`);
  await until('three frames', async () => (await frames(page)) >= 3);
  return page;
}
// A button by its accessible name, and its middle.
const button = (page, name) => page.waitForSelector(`::-p-aria([name="${name}"][role="button"])`, { timeout: 5000 });
async function middle(page, name) {
  const box = await (await button(page, name)).boundingBox();
  return [box.x + box.width / 2, box.y + box.height / 2];
}
// What the page shows: the picture's box, how it is scaled, the log's box,
// the page's width against the window's.
const shown = (page) => page.evaluate(() => {
  const box = (el) => { const r = el.getBoundingClientRect(); return { x: r.left, y: r.top, width: r.width, height: r.height }; };
  const canvas = document.querySelector('canvas');
  return {
    picture: box(canvas), rendering: getComputedStyle(canvas).imageRendering, ratio: devicePixelRatio,
    log: document.getElementById('log').offsetParent ? box(document.getElementById('log')) : null,
    scrollWidth: document.documentElement.scrollWidth, width: innerWidth, height: innerHeight,
  };
});

describe('on a phone (390x844 at 3 device pixels a pixel, touch)', { skip }, () => {
  let page;
  before(async () => (page = await open(kPhone)));
  after(() => page.close());

  test('the three buttons, thumb-sized, below a picture that fills the width; no sideways scroll; the log hidden', async () => {
    const s = await shown(page);
    assert.ok(s.scrollWidth <= s.width, `page ${s.scrollWidth} wide in ${s.width}`);
    assert.equal(s.rendering, 'auto');
    assert.ok(s.picture.x >= 0 && s.picture.x + s.picture.width <= s.width && s.picture.width >= s.width - 16,
      `picture ${JSON.stringify(s.picture)}`);
    assert.ok(Math.abs(s.picture.width / s.picture.height - 4 / 3) < 0.01);
    assert.equal(s.log, null);
    for (const name of kNames) {
      const box = await (await button(page, name)).boundingBox();
      assert.ok(box.width >= 48 && box.height >= 48, `${name}: ${box.width}x${box.height}`);
      assert.ok(box.y >= s.picture.y + s.picture.height && box.y + box.height <= s.height, `${name} at ${box.y}`);
    }
    await page.click('#toggle-log');
    assert.notEqual((await shown(page)).log, null);
    await page.click('#toggle-log');
  });

  test('a tap on the quarter is one quarter, and so is a touch held a second, which opens no menu and selects nothing', async () => {
    const before = quarters(await logLines(page)).length;
    await page.touchscreen.tap(...(await middle(page, 'Insert a quarter')));
    await until('a quarter', async () => quarters(await logLines(page)).length > before);
    await sleep(400);
    assert.equal(quarters(await logLines(page)).length, before + 1);
    await page.evaluate(() => addEventListener('contextmenu', (e) => (window.menu = e.defaultPrevented ? 'kept' : 'open')));
    const touch = await page.touchscreen.touchStart(...(await middle(page, 'Insert a quarter')));
    await sleep(1200);
    await touch.end();
    await sleep(200);
    assert.equal(quarters(await logLines(page)).length, before + 2);
    assert.notEqual(await page.evaluate(() => window.menu), 'open');
    assert.equal(await page.evaluate(() => getSelection().toString()), '');
    // A double tap zooms nothing either.
    const help = await (await page.$('#touch-help')).boundingBox();
    for (let k = 0; k < 2; ++k) await page.touchscreen.tap(help.x + 20, help.y + 5);
    await sleep(500);
    assert.equal(await page.evaluate(() => [scrollX, visualViewport.scale].join()), '0,1');
  });

  test('one finger holds the blender button, the reading climbs, a second finger flips', async () => {
    const hold = await page.touchscreen.touchStart(...(await middle(page, 'Blender button')));
    await until('blending', logHas(page, 'NOW BLENDING!!!'));
    await until('speed 3', logHas(page, 'Speed Up! m_iSpeed = 3'));
    const flip = await page.touchscreen.touchStart(...(await middle(page, 'Flip the blender')));
    await flip.end();
    await until('the flip', logHas(page, "Message 'Msg_Flip' Accepted!"), 5000);
    await hold.end();
    await until('the saved board', logHas(page, "Message 'Msg_ShowSavedScores' Accepted!"));
  });

  test('a finger sliding off the blender button lets it go', async () => {
    await until('the next game', logHas(page, "Message 'NewGame' Accepted!"), 20000);
    await sleep(300);
    const [x, y] = await middle(page, 'Blender button');
    const hold = await page.touchscreen.touchStart(x, y);
    await until('blending again', logHas(page, 'NOW BLENDING!!!', 2));
    await hold.move(x, y - 200);
    await until('stopped', logHas(page, 'Blender Stopped.'), 5000);
    await hold.end();
  });
});

describe('on a tablet (1024x768, touch)', { skip }, () => {
  test('the buttons beside a picture shown at its own size, square pixels, the log below', async () => {
    const page = await open(kTablet);
    const s = await shown(page);
    assert.ok(s.scrollWidth <= s.width);
    assert.deepEqual([s.picture.width, s.picture.height, s.rendering], [640, 480, 'pixelated']);
    assert.ok(s.log && s.log.y >= s.picture.y + s.picture.height, `log ${JSON.stringify(s.log)}`);
    for (const name of kNames) {
      const box = await (await button(page, name)).boundingBox();
      assert.ok(box.width >= 48 && box.height >= 48 && box.x + box.width <= s.width, `${name}: ${JSON.stringify(box)}`);
    }
    const before = quarters(await logLines(page)).length;
    await page.touchscreen.tap(...(await middle(page, 'Insert a quarter')));
    await until('a quarter', async () => quarters(await logLines(page)).length === before + 1);
    await page.close();
  });
});

describe('on monitors', { skip }, () => {
  for (const [viewport, factor] of [
    [{ width: 2560, height: 1440, deviceScaleFactor: 1 }, 2],
    [{ width: 3840, height: 2160, deviceScaleFactor: 1 }, 4],
    [{ width: 1600, height: 1000, deviceScaleFactor: 1.25 }, 2],
    [{ width: 320, height: 480, deviceScaleFactor: 2 }, 0],
  ]) {
    test(`${viewport.width}x${viewport.height} at ${viewport.deviceScaleFactor}: ${factor ? `${factor} device pixels a game pixel` : 'scaled down'}, no touch buttons, nothing off the side`, async () => {
      const page = await open(viewport);
      const s = await shown(page);
      assert.ok(s.scrollWidth <= s.width, `page ${s.scrollWidth} wide in ${s.width}`);
      assert.ok(s.picture.x + s.picture.width <= s.width && s.picture.y + s.picture.height <= s.height);
      if (factor) {
        assert.deepEqual([s.picture.width * s.ratio, s.picture.height * s.ratio, s.rendering],
          [640 * factor, 480 * factor, 'pixelated']);
        // The log beside the picture, as high as it.
        assert.ok(s.log && s.log.x >= s.picture.x + s.picture.width, `log ${JSON.stringify(s.log)}`);
      } else {
        assert.equal(s.rendering, 'auto');
      }
      assert.equal(await page.$eval('#blender', (b) => b.offsetParent), null);
      await page.close();
    });
  }
});

describe('a touch screen on a desktop', { skip }, () => {
  test('the first touch shows the buttons, which a mouse works too', async () => {
    const page = await open({ width: 1600, height: 1000, deviceScaleFactor: 1 });
    assert.equal(await page.$eval('#blender', (b) => b.offsetParent), null);
    await page.evaluate(() => document.body.dispatchEvent(new TouchEvent('touchstart', { bubbles: true })));
    const s = await shown(page);
    assert.ok(s.scrollWidth <= s.width && s.picture.x + s.picture.width <= s.width);
    for (const name of kNames) {
      const box = await (await button(page, name)).boundingBox();
      assert.ok(box.width >= 48 && box.height >= 48 && box.x + box.width <= s.width, `${name}: ${JSON.stringify(box)}`);
    }
    const before = quarters(await logLines(page)).length;
    await page.click('#quarter');
    await until('a quarter', async () => quarters(await logLines(page)).length > before);
    await sleep(300);
    assert.equal(quarters(await logLines(page)).length, before + 1);
    await page.close();
  });
});

describe('installed, offline, and a new build', { skip }, () => {
  test('after one visit the game starts without the network; the next visit after a new build runs it', async () => {
    // A copy of the site, served from a folder of its own, so that it can be
    // replaced and stopped.
    const site = scratchDir('whirl-site-');
    fs.cpSync(process.env.WHIRL_SITE, site, { recursive: true });
    let copy = await serve(site);
    const port = copy.address().port;
    const { log } = replay('1 end\n');
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const boots = async () => {
      await until('the start-up log', async () => (await logLines(page)).length >= log.length);
      assert.deepEqual((await logLines(page)).slice(0, log.length), log);
    };
    const kept = () => page.evaluate(async () => (await caches.keys()).sort());
    try {
      await page.goto(`http://127.0.0.1:${port}/`);
      const first = await page.evaluate(() => document.documentElement.dataset.build);
      await until('the worker in charge', () => page.evaluate(() => !!navigator.serviceWorker.controller));
      assert.deepEqual(await kept(), [`whirlquarium-${first}`]);
      const shownBuild = await page.$eval('#build', (el) => el.textContent);
      assert.ok(shownBuild.endsWith(first), shownBuild);
      // What a browser asks of a web app before it offers to install it (in
      // a profile of its own, which this test's throwaway one is not).
      const cdp = await page.createCDPSession();
      const errors = (await cdp.send('Page.getInstallabilityErrors')).installabilityErrors;
      assert.deepEqual(errors.filter((e) => e.errorId !== 'in-incognito'), []);
      await cdp.detach();

      // No server at all.
      await new Promise((resolve) => copy.close(resolve).closeAllConnections());
      await page.reload();
      await boots();
      assert.equal(await page.evaluate(() => document.documentElement.dataset.build), first);

      // A second build in place of the first: another page.js, another version.
      fs.appendFileSync(path.join(site, 'page.js'), '\nwindow.secondBuild = true;\n');
      const second = execFileSync('node', [path.join(here, '../../tools/web/seal.mjs'), site,
        path.join(here, '../../Platform/web/page'), '2.0-test'], { encoding: 'utf8' }).trim();
      assert.notEqual(second, first);
      copy = await serve(site, port);
      await page.reload();
      await boots();
      assert.deepEqual(await page.evaluate(() => [document.documentElement.dataset.build, window.secondBuild]),
        [second, true]);
      assert.equal(await page.$eval('#build', (el) => el.textContent), `Version 2.0-test, build ${second}`);
      await until('only the new build kept', async () => (await kept()).join() === `whirlquarium-${second}`);

      // And that one without the network.
      await new Promise((resolve) => copy.close(resolve).closeAllConnections());
      await page.reload();
      await boots();
      assert.deepEqual(await page.evaluate(() => [document.documentElement.dataset.build, window.secondBuild]),
        [second, true]);
    } finally {
      copy.close();
      await context.close();
    }
  });
});
