// A small static web server for the browser build: serves one folder over
// HTTP on 127.0.0.1, only files inside it, with the types the page needs.
//   node web/serve.js DIR [PORT]     PORT 0 (the default) takes a free one
// It prints the address it serves. Tests require() it and call serve().
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
};

// Resolves with { server, url } once listening on 127.0.0.1.
function serve(root, port = 0) {
  const base = path.resolve(root);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(base, name.endsWith('/') ? name + 'index.html' : name);
    if (file !== base && !file.startsWith(base + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
        return;
      }
      const type = types[path.extname(file)] || 'application/octet-stream';
      // Cross-origin isolation: the page loads nothing from elsewhere, and
      // it gives the page a finer performance.now() for its step times.
      response.writeHead(200, {
        'Content-Type': type,
        'Cache-Control': 'no-store',
        'Cross-Origin-Opener-Policy': 'same-origin',
        'Cross-Origin-Embedder-Policy': 'require-corp',
      }).end(body);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      resolve({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

module.exports = { serve };

if (require.main === module) {
  const [root, port] = process.argv.slice(2);
  if (!root || !fs.existsSync(path.join(root, 'index.html'))) {
    console.error('usage: node web/serve.js DIR [PORT]   (DIR holds index.html)');
    process.exit(2);
  }
  serve(root, Number(port || 0)).then(
    ({ url }) => console.log(`serving ${root} on ${url} (Ctrl+C stops)`),
    (error) => {
      console.error(`cannot serve on port ${port}: ${error.message}`);
      process.exit(1);
    },
  );
}
