// A static web server for the browser build: serves one folder over HTTP on
// 127.0.0.1, only files inside it.
//   node web/serve.js DIR [PORT] [--no-isolation]
// PORT 0 (the default) takes a free one. It prints the address it serves.
// Tests require() it and call serve().
//
// The files are served by serve-static (the version pinned in
// package-lock.json), which answers bad paths with a 4xx: undecodable
// escapes, NUL bytes and ".." segments, plain or encoded. Node's HTTP parser
// answers garbage request lines and oversized headers the same way, before
// any handler runs. No error page names a file of this machine.
//
// Cross-origin isolation (the two Cross-Origin headers) gives the page a
// finer performance.now() for its step times; the page loads nothing from
// elsewhere, so it works with them and, as on any plain host, without them.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

function loadModules() {
  try {
    return { serveStatic: require('serve-static'), finalhandler: require('finalhandler') };
  } catch (error) {
    throw new Error(`${error.message.split('\n')[0]}: run "npm ci --ignore-scripts" in the source folder first`);
  }
}

const isolationHeaders = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
};

// A request handler for the files under `root`.
function handler(root, isolation) {
  const { serveStatic, finalhandler } = loadModules();
  const files = serveStatic(root, {
    fallthrough: false, // a missing file is a 404 here, other methods a 405
    cacheControl: false,
    etag: false,
    lastModified: false,
    redirect: false,
    setHeaders: (response) => {
      response.setHeader('Cache-Control', 'no-store');
      if (isolation) for (const [name, value] of Object.entries(isolationHeaders)) response.setHeader(name, value);
    },
  });
  return (request, response) => {
    // "production": the error pages carry the status only, no stack or path.
    files(request, response, finalhandler(request, response, { env: 'production' }));
  };
}

// Resolves with { server, url } once listening on 127.0.0.1.
//   port       0 (the default) takes a free one
//   isolation  send the cross-origin isolation headers (the default)
function serve(root, { port = 0, isolation = true } = {}) {
  const server = http.createServer(handler(path.resolve(root), isolation));
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      server.off('error', reject);
      resolve({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

module.exports = { serve, isolationHeaders };

const usage = 'usage: node web/serve.js DIR [PORT] [--no-isolation]   (DIR holds index.html; PORT 0 to 65535)';

// { root, port, isolation }, or null when the command line is not usable.
function parseArguments(args) {
  const isolation = !args.includes('--no-isolation');
  const rest = args.filter((a) => a !== '--no-isolation');
  const [root, portText = '0'] = rest;
  if (rest.length < 1 || rest.length > 2 || !/^\d{1,5}$/.test(portText) || Number(portText) > 65535) return null;
  return { root, port: Number(portText), isolation };
}

if (require.main === module) {
  const options = parseArguments(process.argv.slice(2));
  if (!options) {
    console.error(usage);
    process.exit(2);
  }
  if (!fs.existsSync(path.join(options.root, 'index.html'))) {
    console.error(`${options.root} holds no index.html\n${usage}`);
    process.exit(2);
  }
  let started;
  try {
    started = serve(options.root, options);
  } catch (error) {
    console.error(`cannot serve ${options.root}: ${error.message}`);
    process.exit(1);
  }
  started.then(
    ({ url }) => console.log(`serving ${options.root} on ${url} (Ctrl+C stops)`),
    (error) => {
      console.error(`cannot serve on port ${options.port}: ${error.message}`);
      process.exit(1);
    },
  );
}
