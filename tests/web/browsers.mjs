// The browsers the page is played in, both from Debian's packages, and what
// the tests share: the replay tool's log, waiting, and the page's log lines.
// WHIRL_BROWSERS: which of them (default "chromium firefox").
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const kBrowsers = (process.env.WHIRL_BROWSERS || 'chromium firefox').split(/[\s,]+/).filter(Boolean);

const scratch = [];
export const scratchDir = (name) => scratch[scratch.push(fs.mkdtempSync(path.join(os.tmpdir(), name))) - 1];
export const removeScratch = () => scratch.splice(0).forEach((dir) => fs.rmSync(dir, { recursive: true, force: true }));

export function launch(name) {
  if (name === 'firefox')
    return puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true });
  if (name !== 'chromium') throw new Error(`no browser named ${name} (chromium, firefox)`);
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: scratchDir('whirl-chromium-'),
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run', '--disable-gpu', '--force-color-profile=srgb'],
  });
}

// The replay tool's console log of a script, and its shots as base64 PNG.
export function replay(script) {
  const dir = scratchDir('whirl-web-');
  fs.writeFileSync(path.join(dir, 'script'), script);
  const log = execFileSync(process.env.WHIRL_REPLAY, ['--shots', dir, path.join(dir, 'script')], { encoding: 'utf8' });
  const shots = Object.fromEntries(fs.readdirSync(dir).filter((f) => f.endsWith('.png'))
    .map((f) => [path.basename(f, '.png'), fs.readFileSync(path.join(dir, f)).toString('base64')]));
  return { log: log.split('\n').slice(0, -1), shots };
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
export async function until(what, check, ms = 15000) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(50)) if (await check()) return;
  assert.fail(`waited ${ms} ms for ${what}`);
}
export const logLines = (page) => page.$eval('#log', (el) => el.textContent.split('\n').slice(0, -1));
export const frames = (page) => page.evaluate(() => window.whirlquarium?.frames || 0);
export const logHas = (page, line, count = 1) => async () =>
  (await logLines(page)).filter((l) => l === line).length >= count;

// A quarter's lines as the stored game writes its first, counted on to the k-th.
const here = path.dirname(new URL(import.meta.url).pathname);
const stored = fs.readFileSync(path.join(here, '../golden/quarters.log'), 'utf8').split('\n');
const first = stored.indexOf("Screen Class is writing a message: 'Msg_CreditInserted'");
const quarterBlock = stored.slice(first, stored.indexOf('Total Credits Today = 1') + 2);
export const quarters = (lines) =>
  lines.flatMap((l, i) => (l === quarterBlock[0] ? [lines.slice(i, i + quarterBlock.length)] : []));
export const nthQuarter = (k) => quarterBlock.map((l) => l.replace(/^((Total )?Credits( Today)? = )1$/, `$1${k}`));
// The start-up log's last line: once it is there, the game is running.
export const startupDone = (page, count = 1) => logHas(page, 'Entity created: Assigned ID# 0', count);
