// Seals a built site: names the build after a hash of the files it is made
// of (and of its version), writes the page (index.html) and the service
// worker (sw.js) from their templates with that name, the version and the
// list of files the worker keeps. Run once the other files are in place.
//
//   node tools/web/seal.mjs SITE_DIR TEMPLATE_DIR [VERSION]
//
// Prints the build's name. Exit status 1 when a file is missing.
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

// What the worker keeps; './' is the page.
export const kKept = ['page.js', 'worker.js', 'whirlquarium.js', 'whirlquarium.wasm', 'favicon.ico', 'manifest.webmanifest',
  'icon-192.png', 'icon-512.png'];
const kTemplates = ['index.html', 'sw.js'];

export function seal(site, templates, version = '') {
  const hash = crypto.createHash('sha256');
  hash.update(`version ${version}\n`);
  for (const [dir, names] of [[site, kKept], [templates, kTemplates]])
    for (const name of names) {
      const bytes = fs.readFileSync(path.join(dir, name));
      hash.update(`${name} ${bytes.length}\n`).update(bytes);
    }
  const build = hash.digest('hex').slice(0, 16);
  const escape = (text) => text.replace(/[&<>"']/g, (c) => `&#${c.charCodeAt(0)};`);
  const fill = (name, values) => {
    let text = fs.readFileSync(path.join(templates, name), 'utf8');
    for (const [key, value] of Object.entries(values)) text = text.split(`@WHIRL_${key}@`).join(value);
    fs.writeFileSync(path.join(site, name), text);
  };
  fill('index.html', { BUILD: build, VERSION: escape(version) });
  fill('sw.js', { BUILD: build, FILES: ['./', ...kKept].map((f) => `'${f}'`).join(', ') });
  return build;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [site, templates, version = ''] = process.argv.slice(2);
  if (!site || !templates) {
    console.error('usage: node seal.mjs SITE_DIR TEMPLATE_DIR [VERSION]');
    process.exit(2);
  }
  try {
    console.log(seal(site, templates, version));
  } catch (error) {
    console.error(`seal.mjs: ${error.message}`);
    process.exit(1);
  }
}
