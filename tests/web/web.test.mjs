// The game's page played in headless Chromium, against the headless replay
// tool: its start-up log and attract picture, every control, sleep while the
// page is hidden, and Escape. WHIRL_SITE: the built site; WHIRL_REPLAY: the
// replay tool.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import puppeteer from 'puppeteer-core';
import { serve } from '../../tools/web/serve.mjs';

const here = path.dirname(new URL(import.meta.url).pathname);
let server, browser, page;
const scratch = [];
const scratchDir = (name) => scratch[scratch.push(fs.mkdtempSync(path.join(os.tmpdir(), name))) - 1];

// The replay tool's console log of a script, and its shots as base64 PNG.
function replay(script) {
  const dir = scratchDir('whirl-web-');
  fs.writeFileSync(path.join(dir, 'script'), script);
  const log = execFileSync(process.env.WHIRL_REPLAY, ['--shots', dir, path.join(dir, 'script')], { encoding: 'utf8' });
  const shots = Object.fromEntries(fs.readdirSync(dir).filter((f) => f.endsWith('.png'))
    .map((f) => [path.basename(f, '.png'), fs.readFileSync(path.join(dir, f)).toString('base64')]));
  return { log: log.split('\n').slice(0, -1), shots };
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const logLines = () => page.$eval('#log', (el) => el.textContent.split('\n').slice(0, -1));
const frames = () => page.evaluate(() => window.whirlquarium.frames || 0);
async function until(what, check, ms = 15000) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(50)) if (await check()) return;
  assert.fail(`waited ${ms} ms for ${what}`);
}
const logHas = (line, count = 1) => async () => (await logLines()).filter((l) => l === line).length >= count;
async function click(button, hold = 50) {
  const box = await (await page.$('canvas')).boundingBox();
  await page.mouse.move(box.x + 320, box.y + 240);
  await page.mouse.down({ button });
  await sleep(hold);
  await page.mouse.up({ button });
}

// A quarter's lines as the stored game writes its first, counted on to the k-th.
const stored = fs.readFileSync(path.join(here, '../golden/quarters.log'), 'utf8').split('\n');
const first = stored.indexOf("Screen Class is writing a message: 'Msg_CreditInserted'");
const quarterBlock = stored.slice(first, stored.indexOf('Total Credits Today = 1') + 2);
const quarters = (lines) =>
  lines.flatMap((l, i) => (l === quarterBlock[0] ? [lines.slice(i, i + quarterBlock.length)] : []));
const nthQuarter = (k) => quarterBlock.map((l) => l.replace(/^((Total )?Credits( Today)? = )1$/, `$1${k}`));

before(async () => {
  server = await serve(process.env.WHIRL_SITE);
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: scratchDir('whirl-chromium-'),
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run', '--disable-gpu', '--force-color-profile=srgb'],
  });
  page = await browser.newPage();
  page.on('pageerror', (error) => console.error('page:', error.message));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
});
after(async () => {
  await browser?.close();
  server?.close();
  scratch.forEach((dir) => fs.rmSync(dir, { recursive: true, force: true }));
});

test('start-up writes the replay tool\'s log and shows its attract display', async () => {
  const { log, shots } = replay('20 shot attract\n21 end\n');
  await until('three frames', async () => (await frames()) >= 3);
  assert.deepEqual((await logLines()).slice(0, log.length), log);
  // The fish swims in rows 195 to 290; everything else stands still.
  const shot = (await (await page.$('canvas')).screenshot()).toString('base64');
  const [changed, magenta] = await page.evaluate(async (a, b) => {
    const rgba = async (png) => {
      const image = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
      const context = new OffscreenCanvas(640, 480).getContext('2d');
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, 640, 480).data;
    };
    const [p, q] = [await rgba(a), await rgba(b)];
    let changed = 0, magenta = 0;
    for (let i = 0; i < p.length; i += 4) {
      const y = Math.floor(i / 2560);
      if ((y < 195 || y > 290) && (p[i] !== q[i] || p[i + 1] !== q[i + 1] || p[i + 2] !== q[i + 2])) ++changed;
      if (p[i] === 255 && p[i + 1] === 0 && p[i + 2] === 255) ++magenta;
    }
    return [changed, magenta];
  }, shot, shots.attract);
  assert.deepEqual({ changed, magenta }, { changed: 0, magenta: 0 });
});

test('a quarter by the right arrow, one by a right click, neither scrolls nor opens a menu', async () => {
  // Heard after the page's own handlers, which the running game has added.
  await page.evaluate(() =>
    ['keydown', 'contextmenu'].forEach((t) => addEventListener(t, (e) => (window[t] = e.defaultPrevented))));
  await page.keyboard.down('ArrowRight');
  await until('a quarter by the arrow', async () => quarters(await logLines()).length >= 1);
  await page.keyboard.up('ArrowRight');
  await sleep(200);
  const byKey = quarters(await logLines()).length;
  await click('right');
  await until('a quarter by the button', async () => quarters(await logLines()).length > byKey);
  await sleep(300);
  const all = quarters(await logLines());
  assert.equal(all.length, byKey + 1);
  all.forEach((block, i) => assert.deepEqual(block, nthQuarter(i + 1)));
  assert.deepEqual(await page.evaluate(() => [window.keydown, window.contextmenu]), [true, true]);
});

test('the left button starts the blender, the reading climbs, the middle button flips and saves the fish', async () => {
  await page.mouse.down({ button: 'left' });
  await until('blending', logHas('NOW BLENDING!!!'));
  await until('speed 3', logHas('Speed Up! m_iSpeed = 3'));
  await click('middle');
  await page.mouse.up({ button: 'left' });
  await until('the saved board', logHas("Message 'Msg_ShowSavedScores' Accepted!"));
  const saving = ['Msg_Flip', 'Msg_Gravity', 'Msg_Saved', 'Msg_ShowSavedScores'].map((m) => `Message '${m}' Accepted!`);
  assert.deepEqual((await logLines()).filter((l) => saving.includes(l)), saving);
});

test('no frames while the page is hidden, play again when it is back', async () => {
  const other = await browser.newPage();
  await other.bringToFront();
  await sleep(200);
  const hidden = await frames();
  await sleep(600);
  assert.equal(await frames(), hidden);
  await page.bringToFront();
  await until('frames again', async () => (await frames()) > hidden + 5);
  await other.close();
});

test('Escape ends the game; the page says so and starts it again', async () => {
  await page.keyboard.down('Escape');
  await until('the end', () => page.$eval('#again', (b) => !b.hidden));
  await page.keyboard.up('Escape');
  assert.equal(await page.$eval('#status', (s) => s.textContent), 'The game has ended.');
  const ended = await frames();
  await sleep(300);
  assert.equal(await frames(), ended);
  await page.click('#again');
  await until('a second start-up', logHas('Entity created: Assigned ID# 0', 2));
  await until('frames of the new game', async () => (await frames()) >= 3);
});
