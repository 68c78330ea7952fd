// web/serve.js under bad requests and load, over raw sockets to 127.0.0.1:
// every bad request gets a 4xx and nothing from outside the folder, the
// server stays up, and thousands of requests, tens at once, are each
// answered in full.
//   node --test tests/web/serve_test.js
'use strict';
const assert = require('assert/strict');
const { spawnSync } = require('child_process');
const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const net = require('net');
const os = require('os');
const path = require('path');
const { after, before, test } = require('node:test');
const { serve, isolationHeaders } = require('../../web/serve.js');

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vorn-serve-'));
const root = path.join(work, 'site');
const secret = 'secret-outside-the-folder';
const files = {
  'index.html': Buffer.from('<!doctype html><title>t</title>\n'),
  'sub/big.wasm': crypto.randomBytes(300 * 1024),
};
let server;
let port;

before(async () => {
  fs.mkdirSync(path.join(root, 'sub'), { recursive: true });
  for (const [name, body] of Object.entries(files)) fs.writeFileSync(path.join(root, name), body);
  fs.writeFileSync(path.join(work, 'secret.txt'), secret);
  fs.writeFileSync(path.join(root, '.hidden'), secret);
  ({ server, port } = await serve(root).then(({ server: s }) => ({ server: s, port: s.address().port })));
});

after(() => {
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// Sends `bytes` as they are and resolves with everything the server sent
// back before it closed the connection (or stopped for a second). The
// sending side stays open: Node's server drops the answer to a client that
// half-closes before it is sent.
function raw(bytes) {
  return new Promise((resolve, reject) => {
    const chunks = [];
    const socket = net.connect(port, '127.0.0.1');
    socket.setTimeout(1000, () => socket.destroy());
    socket.on('data', (chunk) => chunks.push(chunk));
    socket.on('error', (error) => (error.code === 'ECONNRESET' ? null : reject(error)));
    socket.on('close', () => resolve(Buffer.concat(chunks).toString('latin1')));
    socket.write(bytes);
  });
}

const request = (line, headers = '') => `${line}\r\nHost: 127.0.0.1\r\nConnection: close\r\n${headers}\r\n`;

// Each is answered with a 4xx status and nothing of the secret.
const bad = {
  'an escaped NUL': request('GET /index.html%00 HTTP/1.1'),
  'a raw NUL in the path': request('GET /index.html\0 HTTP/1.1'),
  'a truncated escape': request('GET /%E0%A4%A HTTP/1.1'),
  'a lone percent sign': request('GET /% HTTP/1.1'),
  'an escape of an invalid UTF-8 sequence': request('GET /%C0%AE%C0%AE/secret.txt HTTP/1.1'),
  'plain traversal': request('GET /../secret.txt HTTP/1.1'),
  'traversal from a sub-folder': request('GET /sub/../../secret.txt HTTP/1.1'),
  'encoded dots': request('GET /%2e%2e/secret.txt HTTP/1.1'),
  'an encoded slash': request('GET /..%2fsecret.txt HTTP/1.1'),
  'encoded dots and slash': request('GET /sub/%2e%2e%2f%2e%2e%2fsecret.txt HTTP/1.1'),
  'encoded backslashes': request('GET /sub/..%5c..%5csecret.txt HTTP/1.1'),
  'traversal in an absolute URL': request('GET http://127.0.0.1/../secret.txt HTTP/1.1'),
  'a dotfile': request('GET /.hidden HTTP/1.1'),
  'a path too long for a file name': request(`GET /${'a'.repeat(4000)} HTTP/1.1`),
  'a path longer than the header limit': request(`GET /${'a/'.repeat(40000)} HTTP/1.1`),
  'a header longer than the limit': request('GET /index.html HTTP/1.1', `X-Long: ${'b'.repeat(100000)}\r\n`),
  'thousands of headers': request('GET /index.html HTTP/1.1', 'X-A: 1\r\n'.repeat(5000)),
  'a line of garbage': 'HELLO THERE\r\n\r\n',
  'a method alone': 'GET\r\n\r\n',
  'an unknown protocol': request('GET / FOO/1.1'),
  'binary noise': crypto.randomBytes(512),
  'a TLS greeting': Buffer.from('16030100a5010000a10303', 'hex'),
  'a method that writes': request('DELETE /index.html HTTP/1.1'),
};

for (const [what, bytes] of Object.entries(bad)) {
  test(`${what}: a 4xx, nothing from outside the folder`, async () => {
    const answer = await raw(bytes);
    assert.match(answer, /^HTTP\/1\.1 4\d\d /, `the answer begins ${JSON.stringify(answer.slice(0, 60))}`);
    assert.ok(!answer.includes(secret), 'the answer carries the secret');
    assert.ok(!answer.includes(work), 'the answer names a folder of this machine');
  });
}

// GET over a pooled connection; resolves with status, headers and body.
function get(agent, name) {
  return new Promise((resolve, reject) => {
    http.get({ host: '127.0.0.1', port, path: '/' + name, agent }, (response) => {
      const chunks = [];
      response.on('data', (chunk) => chunks.push(chunk));
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers, body: Buffer.concat(chunks) }));
      response.on('error', reject);
    }).on('error', reject);
  });
}

test('the folder, its index and the isolation headers are served; a missing file is a 404', async () => {
  const agent = new http.Agent();
  const home = await get(agent, '');
  assert.equal(home.status, 200);
  assert.ok(home.body.equals(files['index.html']));
  assert.match(home.headers['content-type'], /^text\/html/);
  for (const [name, value] of Object.entries(isolationHeaders)) assert.equal(home.headers[name.toLowerCase()], value);
  const wasm = await get(agent, 'sub/big.wasm');
  assert.equal(wasm.headers['content-type'], 'application/wasm');
  assert.equal((await get(agent, 'nothing.js')).status, 404);
});

test('without isolation: the same files, no cross-origin headers', async () => {
  const plain = await serve(root, { isolation: false });
  try {
    const response = await new Promise((resolve, reject) => {
      http.get(`${plain.url}index.html`, resolve).on('error', reject);
    });
    response.resume();
    assert.equal(response.statusCode, 200);
    for (const name of Object.keys(isolationHeaders)) assert.equal(response.headers[name.toLowerCase()], undefined);
  } finally {
    plain.server.close();
  }
});

test('4000 requests, 40 at once, bad ones among them: each answered in full, the server up afterwards', async () => {
  const agent = new http.Agent({ keepAlive: true, maxSockets: 40 });
  const badOnes = Object.values(bad);
  let next = 0;
  let full = 0;
  const worker = async () => {
    while (next < 4000) {
      const n = next++;
      if (n % 10 === 9) {
        assert.match(await raw(badOnes[n % badOnes.length]), /^HTTP\/1\.1 4\d\d /);
        continue;
      }
      const name = n % 2 ? 'sub/big.wasm' : 'index.html';
      const { status, body } = await get(agent, name);
      assert.equal(status, 200, `request ${n}`);
      assert.ok(body.equals(files[name]), `request ${n}: ${body.length} of ${files[name].length} bytes`);
      full++;
    }
  };
  await Promise.all(Array.from({ length: 40 }, worker));
  agent.destroy();
  assert.equal(full, 3600);
  assert.ok(server.listening);
  assert.equal((await get(new http.Agent(), 'index.html')).status, 200);
});

test('the command line: a folder without index.html or a bad port is refused with the usage, status 2', () => {
  const script = path.join(__dirname, '..', '..', 'web', 'serve.js');
  for (const args of [[work], [root, 'eighty'], [root, '70000'], []]) {
    const run = spawnSync(process.execPath, [script, ...args], { encoding: 'utf8', timeout: 10000 });
    assert.equal(run.status, 2, `serve.js ${args.join(' ')}`);
    assert.match(run.stderr, /usage: node web\/serve\.js DIR/);
  }
});
