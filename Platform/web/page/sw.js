// The service worker of one build of the site: it keeps that build's files in
// a cache named after the build, so that the next visit loads without the
// network. The page is asked of the network first, and the files it names
// carry its build (?build=...): they come from that build's cache, or from the
// network while it is not yet kept, so a page never runs a mix of two builds.
// A new build's worker takes over at once and deletes the caches of others.
'use strict';

const kBuild = '@WHIRL_BUILD@';
const kCache = `whirlquarium-${kBuild}`;
const kFiles = [@WHIRL_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(kCache);
    // From the server itself, past any HTTP cache; the page must be this
    // build's, or a newer build was put in place meanwhile and this one is
    // not kept at all.
    const responses = await Promise.all(kFiles.map(async (file) => {
      const response = await fetch(new Request(file, { cache: 'reload' }));
      if (!response.ok) throw new Error(`${file}: ${response.status}`);
      return [file, response];
    }));
    const page = await responses.find(([file]) => file === './')[1].clone().text();
    if (!page.includes(`data-build="${kBuild}"`)) throw new Error('the server holds another build');
    await Promise.all(responses.map(([file, response]) => cache.put(file, response)));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith('whirlquarium-') && name !== kCache) await caches.delete(name);
    await self.clients.claim();
  })());
});

async function fromNetworkFirst(request) {
  try {
    return await fetch(request);
  } catch (error) {
    const kept = await caches.match('./', { cacheName: kCache });
    if (kept) return kept;
    throw error;
  }
}

async function fromBuild(request, build) {
  const kept = await caches.match(request, { cacheName: `whirlquarium-${build}`, ignoreSearch: true });
  return kept || fetch(request);
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  if (request.mode === 'navigate') return event.respondWith(fromNetworkFirst(request));
  event.respondWith(fromBuild(request, url.searchParams.get('build') || kBuild));
});
