// The page as a phone shows it (390x844 CSS pixels, touch, Chromium's
// emulation), a few seconds into the attract display: the picture README.md
// shows.
//
//   node tools/web/screenshot.mjs SITE_DIR OUTPUT.png
import { createRequire } from 'node:module';
import { serve } from './serve.mjs';

const puppeteer = createRequire(new URL('../../tests/web/package.json', import.meta.url))('puppeteer-core');
const [site, output] = process.argv.slice(2);
if (!site || !output) {
  console.error('usage: node screenshot.mjs SITE_DIR OUTPUT.png');
  process.exit(2);
}
const server = await serve(site);
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--force-color-profile=srgb', '--hide-scrollbars'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForFunction(() => (window.whirlquarium?.frames || 0) >= 60, { timeout: 20000 });
  await page.screenshot({ path: output });
} finally {
  await browser.close();
  server.close();
}
