// Serves a built site (build-web/site) on 127.0.0.1, as any static host must:
// .wasm as application/wasm, and a file's precompressed .gz copy to browsers
// that accept gzip.
//
//   node tools/web/serve.mjs DIR [PORT]     (PORT 0: any free port)
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.ico': 'image/x-icon',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

function send(response, status, headers, file) {
  response.writeHead(status, { 'Cache-Control': 'no-cache', ...headers });
  if (file) fs.createReadStream(file).pipe(response);
  else response.end(status >= 400 ? `${status}\n` : '');
}

function handle(root, request, response) {
  let name;
  try {
    name = decodeURIComponent(new URL(request.url, 'http://host').pathname);
  } catch {
    return send(response, 400, {});
  }
  if (name.endsWith('/')) name += 'index.html';
  const file = path.join(root, path.normalize(name));
  const type = kTypes[path.extname(file)];
  if (!file.startsWith(root + path.sep) || !type || !fs.statSync(file, { throwIfNoEntry: false })?.isFile())
    return send(response, 404, {});
  if (request.method !== 'GET' && request.method !== 'HEAD') return send(response, 405, { Allow: 'GET, HEAD' });
  // Revalidated on every load, and not sent again while unchanged.
  const modified = fs.statSync(file).mtime.toUTCString();
  if (request.headers['if-modified-since'] === modified) return send(response, 304, { 'Last-Modified': modified });
  const headers = { 'Content-Type': type, Vary: 'Accept-Encoding', 'Last-Modified': modified };
  const gzip = /\bgzip\b/.test(request.headers['accept-encoding'] || '') && fs.existsSync(file + '.gz');
  if (gzip) headers['Content-Encoding'] = 'gzip';
  const sent = gzip ? file + '.gz' : file;
  headers['Content-Length'] = fs.statSync(sent).size;
  send(response, 200, headers, request.method === 'GET' ? sent : null);
}

// Resolves to the listening server; its address() has the port.
export function serve(dir, port = 0) {
  const root = path.resolve(dir);
  const server = http.createServer((request, response) => handle(root, request, response));
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [dir, port = '8080'] = process.argv.slice(2);
  if (!dir || !fs.existsSync(path.join(dir, 'index.html'))) {
    console.error('usage: node serve.mjs DIR [PORT]   (DIR holds index.html: run make web first)');
    process.exit(2);
  }
  serve(dir, Number(port)).then(
    (server) => console.log(`Serving ${dir} at http://127.0.0.1:${server.address().port}/ (Ctrl+C stops)`),
    (error) => {
      console.error(`serve: cannot listen on 127.0.0.1:${port}: ${error.message}`);
      process.exit(1);
    });
}
