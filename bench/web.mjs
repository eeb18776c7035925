// The game's page in headless Chromium: bytes over the wire, time to the end of
// the start-up log, the frame's cost, the load of the page's main thread and
// of the game's worker and the frame rate in the attract display; then, in the
// same run, the desktop game's share of a core in its attract mode under Xvfb
// (bench/desktop-share.sh), which the page's whole cost (main thread and
// worker) is held against. Each figure is printed with its goal; the exit
// status is 1 if one is missed.
//
//   node bench/web.mjs SITE_DIR REPLAY_TOOL [DESKTOP_BUILD_DIR]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { serve } from '../tools/web/serve.mjs';

const puppeteer = createRequire(new URL('../tests/web/package.json', import.meta.url))('puppeteer-core');
const [site, replayTool, desktopBuild = path.dirname(replayTool)] = process.argv.slice(2);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The code section of a wasm module, in bytes.
function codeSize(file) {
  const bytes = fs.readFileSync(file);
  const leb = (at) => {
    let value = 0, shift = 0, byte;
    do { byte = bytes[at.i++]; value += (byte & 0x7f) * 2 ** shift; shift += 7; } while (byte & 0x80);
    return value;
  };
  for (const at = { i: 8 }; at.i < bytes.length;) {
    const id = bytes[at.i++], size = leb(at);
    if (id === 10) return size;
    at.i += size;
  }
  return 0;
}

// The busy time of the page's main thread and of its worker in a trace
// (microseconds): the union of the top-level tasks each ran, in the renderer
// that runs a dedicated worker (without one, as a build that ran the game on
// the page's own thread did: the busiest renderer's main thread, and 0).
function threadBusy(events) {
  const names = new Map(), spans = new Map();
  for (const e of events) {
    const thread = `${e.pid}:${e.tid}`;
    if (e.ph === 'M' && e.name === 'thread_name') names.set(thread, e.args.name);
    else if (e.ph === 'X' && e.dur && e.cat.split(',').includes('toplevel'))
      (spans.get(thread) || spans.set(thread, []).get(thread)).push([e.ts, e.ts + e.dur]);
  }
  const busy = (thread) => {
    let total = 0, end = -Infinity;
    for (const [from, to] of (spans.get(thread) || []).sort((a, b) => a[0] - b[0])) {
      total += Math.max(0, to - Math.max(from, end));
      end = Math.max(end, to);
    }
    return total;
  };
  const worker = [...names].find(([, name]) => name === 'DedicatedWorker thread');
  const mains = [...names].filter(([thread, name]) =>
    name === 'CrRendererMain' && (!worker || thread.split(':')[0] === worker[0].split(':')[0]));
  return { main: Math.max(0, ...mains.map(([thread]) => busy(thread))), worker: worker ? busy(worker[0]) : 0 };
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'whirl-bench-'));
const scriptFile = path.join(scratch, 'startup');
fs.writeFileSync(scriptFile, '1 end\n');
const startupLines = execFileSync(replayTool, [scriptFile], { encoding: 'utf8' }).split('\n').length - 1;

const server = await serve(site);
const sockets = new Set();
server.on('connection', (socket) => sockets.add(socket));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true, userDataDir: path.join(scratch, 'chromium'),
  args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--no-first-run', '--disable-gpu'],
});
const results = [];
const report = (what, value, unit, goal, ok) => {
  results.push(ok);
  console.log(`${what.padEnd(46)} ${String(value).padStart(9)} ${unit.padEnd(3)} goal ${goal}${ok ? '' : '   MISSED'}`);
};

console.log(`load average before: ${os.loadavg().map((l) => l.toFixed(2)).join(' ')} (${os.cpus().length} processors)`);
const runs = [];
for (let run = 0; run < 5; ++run) {
  // Every load a first visit, in a profile of its own: no cache, and no
  // service worker (its installing fetches every file again is left out).
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const cdp = await page.createCDPSession();
  await page.evaluateOnNewDocument(() => {
    window.logTimes = [];
    const log = console.log;
    console.log = (...args) => (window.logTimes.push(performance.now()), log(...args));
    ServiceWorkerContainer.prototype.register = () => new Promise(() => {});
  });
  // The bytes the server sent (the game's worker fetches its own files, which
  // the page's network events do not show).
  const sent = () => [...sockets].reduce((sum, socket) => sum + socket.bytesWritten, 0);
  const wire0 = sent();
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  while ((await page.evaluate(() => window.logTimes.length)) < startupLines) await sleep(20);
  runs.push({ wire: sent() - wire0, startup: await page.evaluate((n) => window.logTimes[n - 1], startupLines) });
  if (run < 4) await context.close();
  else {
    // The attract display, left alone for ten seconds.
    await cdp.send('Performance.enable');
    await sleep(2000);
    const task = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
    await page.tracing.start({ categories: ['toplevel', '__metadata'] });
    // The game's worker tells the page of its frames in batches: frames a
    // second are counted between two batches' ends.
    const shown = () => page.evaluate(() => [whirlquarium.frames, whirlquarium.framesAt ?? performance.now()]);
    const [t0, [f0, a0], w0] = [await task(), await shown(), Date.now()];
    await sleep(10000);
    const [t1, [f1, a1], w1] = [await task(), await shown(), Date.now()];
    const traced = threadBusy(JSON.parse(Buffer.from(await page.tracing.stop()).toString()).traceEvents);
    const times = await page.evaluate(() => whirlquarium.frameTimes);
    console.log(`(${site}: ${path.basename(fs.readdirSync(site).find((f) => f.endsWith('.wasm')))} code section ${(codeSize(path.join(site, 'whirlquarium.wasm')) / 1024).toFixed(0)} KB)`);
    report('transfer, compressed (median of 5 loads)', (median(runs.map((r) => r.wire)) / 1e6).toFixed(2), 'MB', '<= 2 MB', median(runs.map((r) => r.wire)) <= 2e6);
    report('navigation to the end of the start-up log', (median(runs.map((r) => r.startup)) / 1000).toFixed(2), 's', '<= 2 s', median(runs.map((r) => r.startup)) <= 2000);
    report('a frame, HandleKeys to the canvas (median)', median(times).toFixed(2), 'ms', '<= 3 ms', median(times) <= 3);
    const busy = (100 * (t1 - t0)) / ((w1 - w0) / 1000);
    const desktop = Number(execFileSync('bash', [path.join(path.dirname(new URL(import.meta.url).pathname), 'desktop-share.sh'),
      desktopBuild, '10'], { encoding: 'utf8' }).trim());
    // The trace's figures over the same wall time (its tasks, not Chromium's
    // own count, which leaves the worker out).
    const share = (us) => (100 * us) / 1000 / (w1 - w0);
    const [main, worker] = [share(traced.main), share(traced.worker)];
    report('main thread busy in the attract display', busy.toFixed(1), '%', '<= 5 %', busy <= 5);
    report('  the same, its top-level tasks in a trace', main.toFixed(1), '%', '', true);
    report('the game\'s worker busy (trace)', worker.toFixed(1), '%', '', true);
    report('the page in all, main thread and worker', (main + worker).toFixed(1), '%', '', true);
    report('the desktop game in attract mode (Xvfb)', desktop.toFixed(1), '%', '', true);
    report('the page in all against the desktop game', ((main + worker) / desktop).toFixed(2), 'x', '<= 2.5x',
      main + worker <= 2.5 * desktop);
    const fps = ((f1 - f0) * 1000) / (a1 - a0);
    report('frames a second', fps.toFixed(1), '', '29-30', fps >= 29 && fps <= 30.5);
  }
}
console.log(`load average after: ${os.loadavg().map((l) => l.toFixed(2)).join(' ')}`);
await browser.close();
server.close();
fs.rmSync(scratch, { recursive: true, force: true });
process.exit(results.every(Boolean) ? 0 : 1);
