// The browser build in headless Chromium and Firefox, met the way a viewer
// meets it: the page over HTTP, real key presses, windows from a phone's to
// a desktop's, and the canvas read back byte for byte against the native
// capture tools' frames; the release archive from a sub-folder of a plain
// static server; the Node-built capture tools against the native ones.
//   node tests/web/browser_test.js WEB_BIN NATIVE_BIN [ARCHIVE]
//   node tests/web/browser_test.js --list
// WEB_BIN holds the browser build (build-web/bin), NATIVE_BIN the native one
// (build/bin), ARCHIVE the release archive (build-web/vorn2112-web-*.zip by
// default). It runs on node:test; the environment picks what runs:
//   VORN_BROWSER   chromium, firefox or both, comma-separated (the default)
//   VORN_WEB_CASE  the one case to run, by the id --list prints
//   VORN_SHOTS     a folder for screenshots of the page at each window size
//   CHROMIUM, FIREFOX, PYTHON  other executables than Debian's
// --list prints each case as "browser ID" (run once per browser) or "node ID".
'use strict';
const assert = require('assert/strict');
const { execFileSync, spawn, spawnSync } = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const { after, before, describe, test } = require('node:test');
const { serve } = require('../../web/serve.js');
const { browsers, launchBrowser, openDemo, waitFor, pressKey, stepRate, canvasPixels } = require('./browser.js');

const programs = [
  { name: 'vorn2112', query: '', width: 640, height: 480 },
  { name: 'vorn2112fs', query: 'fs&', width: 320, height: 200 },
];
// What the archive holds: the page and both programs, nothing else.
const archiveFiles = ['index.html', 'vorn2112-page.js', 'vorn2112.data', 'vorn2112.js', 'vorn2112.wasm',
  'vorn2112fs.data', 'vorn2112fs.js', 'vorn2112fs.wasm'];
const downloadLimit = 400 * 1024; // what one program's viewer downloads, gzipped
const python = process.env.PYTHON || '/usr/bin/python3';

const browserCases = [];
const nodeCases = [];
const browserCase = (id, name, body) => browserCases.push({ id, name, body });
const nodeCase = (id, name, body) => nodeCases.push({ id, name, body });

const ctx = { work: null, webBin: null, nativeBin: null, archive: null };

// The native capture tool's frame `frame` as RGB bytes.
function nativeFrame(program, frame) {
  const out = path.join(ctx.work, `${program}-${frame}`);
  if (!fs.existsSync(out)) {
    execFileSync(path.join(ctx.nativeBin, `${program}-capture`), ['--from', String(frame), '--count', '1', '--out', out], { cwd: ctx.nativeBin });
  }
  const ppm = fs.readFileSync(path.join(out, `frame-${String(frame).padStart(6, '0')}.ppm`));
  const header = ppm.subarray(0, 20).toString('latin1').match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  assert.ok(header, 'the capture wrote no P6 picture');
  return ppm.subarray(header[0].length);
}

// Compares RGBA canvas bytes with RGB frame bytes; names the first mismatch.
function assertSameFrame(rgba, rgb, what) {
  assert.equal(rgba.length / 4, rgb.length / 3, `${what}: sizes differ`);
  for (let i = 0, j = 0; j < rgb.length; i += 4, j += 3) {
    const canvas = [rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]];
    const native = [rgb[j], rgb[j + 1], rgb[j + 2], 255];
    if (canvas.some((v, k) => v !== native[k])) {
      assert.fail(`${what}: pixel ${j / 3} is rgba(${canvas}) on the canvas, rgb(${native.slice(0, 3)}) natively`);
    }
  }
}

// Holds the page at `frame` and compares the canvas with the native frame.
async function assertFrame(page, program, frame) {
  await page.evaluate((f) => vorn.holdAt(f), frame);
  await waitFor(page, (f) => vorn.frame() === f, `${program} does not reach frame ${frame}`, frame);
  const { shown, pixels } = await canvasPixels(page);
  assert.equal(shown, frame, 'the frame number moved while the pixels were read');
  assertSameFrame(pixels, nativeFrame(program, frame), `${program} frame ${frame}`);
}

// The message the desktop program prints when `picture` is missing, or
// empty when `empty` is true.
function desktopMessage(program, picture, empty) {
  const dir = fs.mkdtempSync(path.join(ctx.work, 'missing-'));
  for (const file of fs.readdirSync(ctx.nativeBin).filter((f) => /\.p[bp]m$/.test(f) && f !== picture)) {
    fs.copyFileSync(path.join(ctx.nativeBin, file), path.join(dir, file));
  }
  if (empty) fs.writeFileSync(path.join(dir, picture), '');
  const run = spawnSync(path.join(ctx.nativeBin, program), [], {
    cwd: dir, env: { ...process.env, SDL_VIDEODRIVER: 'dummy' }, timeout: 20000, encoding: 'utf8',
  });
  assert.equal(run.status, 1, `the desktop ${program} without ${picture}: status ${run.status}`);
  return run.stderr.trim();
}

// Where the canvas is and how it is shown, and whether the page scrolls
// sideways.
function layout(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const box = canvas.getBoundingClientRect();
    return {
      left: box.left, top: box.top, right: box.right, bottom: box.bottom, width: box.width, height: box.height,
      viewWidth: window.innerWidth, viewHeight: window.innerHeight,
      sideways: document.documentElement.scrollWidth > document.documentElement.clientWidth,
      rendering: getComputedStyle(canvas).imageRendering,
    };
  });
}

// The whole canvas in view, the aspect kept; at its own size or more, a
// whole factor with square pixels.
function assertFits(seen, p, what) {
  assert.ok(!seen.sideways, `${what}: the page scrolls sideways`);
  assert.ok(seen.left >= 0 && seen.top >= 0 && seen.right <= seen.viewWidth && seen.bottom <= seen.viewHeight,
    `${what}: the canvas at ${seen.left},${seen.top} to ${seen.right},${seen.bottom} is not all in view`);
  assert.ok(Math.abs(seen.width * p.height - seen.height * p.width) < p.width, `${what}: shown ${seen.width} x ${seen.height}`);
  if (seen.width >= p.width) {
    assert.ok(Number.isInteger(seen.width / p.width), `${what}: shown ${seen.width} px wide`);
    assert.equal(seen.rendering, 'pixelated', `${what}: pixels not kept square`);
  }
}

browserCase('page', 'each program: titled, its own size, focused, fitted from a phone to a desktop, full screen by whole factors', async (b) => {
  const windows = [[390, 844, 'phone'], [320, 240, 'small'], [1920, 1080, 'desktop']];
  for (const p of programs) {
    for (const [width, height, label] of windows) {
      const page = await openDemo(b, p.query, { width, height });
      await waitFor(page, () => vorn.frame() >= 1, `${p.name} draws no frames`);
      const seen = await page.evaluate(() => ({
        title: document.title, width: document.getElementById('screen').width,
        height: document.getElementById('screen').height, focused: document.activeElement.id,
      }));
      assert.equal(seen.title, 'VORN2112');
      assert.deepEqual([seen.width, seen.height], [p.width, p.height], `${p.name} canvas size`);
      assert.equal(seen.focused, 'screen', `${p.name}: the canvas does not have the keyboard focus`);
      const fitted = await layout(page);
      assertFits(fitted, p, `${p.name} in a ${width} x ${height} window`);
      if (process.env.VORN_SHOTS) await page.screenshot({ path: path.join(process.env.VORN_SHOTS, `${b.name}-${p.name}-${label}.png`) });
      if (label === 'desktop') {
        assert.ok(fitted.width >= 2 * p.width, `${p.name}: not grown in a large window`);
        await page.click('#fullscreen');
        await waitFor(page, () => document.fullscreenElement !== null, `${p.name}: the button does not go full screen`);
        await waitFor(page, () => document.getElementById('screen').getBoundingClientRect().width > 0, 'no canvas in full screen');
        const full = await page.evaluate(() => [document.fullscreenElement.id, document.activeElement.id]);
        assert.deepEqual(full, ['stage', 'screen'], `${p.name}: full screen shows ${full[0]}, the focus is on ${full[1]}`);
        assertFits(await layout(page), p, `${p.name} in full screen`);
        if (process.env.VORN_SHOTS) await page.screenshot({ path: path.join(process.env.VORN_SHOTS, `${b.name}-${p.name}-full.png`) });
      }
      await page.close();
    }
  }
});

for (const [p, frames] of [[programs[0], [0, 57, 1100]], [programs[1], [1, 300, 1234]]]) {
  browserCase(`frames-${p.name}`, `${p.name}: the canvas at frames ${frames} equals the native capture, byte for byte, opaque`, async (b) => {
    const page = await openDemo(b, `${p.query}unpaced&hold=${frames[0]}`);
    for (const frame of frames) await assertFrame(page, p.name, frame);
    await page.close();
  });
}

// The page after the end: the status, a visible button, no more frames.
async function assertEnded(page, what) {
  await waitFor(page, () => vorn.ended !== null, `${what} did not end the demo`);
  const after = await page.evaluate(() => {
    const again = document.getElementById('again').getBoundingClientRect();
    return [vorn.ended, document.getElementById('status').textContent, vorn.frame(),
      again.width > 0 && again.bottom <= window.innerHeight && again.right <= window.innerWidth];
  });
  assert.equal(after[0], 0, `exit status after ${what}`);
  assert.equal(after[1], 'The demo has ended.');
  assert.ok(after[3], `after ${what} the "Watch again" button is not in view`);
  await new Promise((resolve) => setTimeout(resolve, 100));
  assert.equal(await page.evaluate(() => vorn.frame()), after[2], `frames go on after ${what}`);
}

browserCase('keys', 'space, a, F2 and Down leave the demo running; q, Shift+Q and Escape end it with status 0', async (b) => {
  const page = await openDemo(b, '');
  for (const key of [' ', 'KeyA', 'F2', 'ArrowDown']) {
    await pressKey(page, key);
    const before = await page.evaluate(() => vorn.frame());
    await waitFor(page, (s) => vorn.frame() > s + 2 || vorn.ended !== null, `the demo stopped after ${key}`, before);
    assert.equal(await page.evaluate(() => vorn.ended), null, `${key} ended the demo`);
  }
  await page.close();
  for (const [query, key] of [['', 'KeyQ'], ['fs&', 'Shift+KeyQ'], ['', 'Escape'], ['fs&', 'Escape']]) {
    const ended = await openDemo(b, query);
    await waitFor(ended, () => vorn.frame() >= 1, 'the demo draws no frames');
    await pressKey(ended, key);
    await assertEnded(ended, key);
    await ended.close();
  }
});

browserCase('again', '"Watch again" after q, clicked or by Enter, starts a second run whose frame 301 equals the native capture', async (b) => {
  // The first run ends before frame 301 in one program, after it in the other.
  for (const [p, press, query, last] of [[programs[0], 'click', '', 5], [programs[1], 'Enter', 'unpaced', 310]]) {
    const page = await openDemo(b, p.query + query, { width: 390, height: 844 });
    await waitFor(page, (n) => vorn.frame() >= n, `${p.name} does not reach frame ${last}`, last);
    await pressKey(page, 'KeyQ');
    await assertEnded(page, 'q');
    // Held before the button is pressed, the second run stops at frame 301
    // however fast it runs.
    await page.evaluate(() => {
      vorn.holdAt(301);
      vorn.unpaced();
    });
    if (press === 'click') await page.click('#again');
    else await page.keyboard.press(press);
    await waitFor(page, () => vorn.frame() === 301, `the second run of ${p.name} does not reach frame 301`);
    const { shown, pixels } = await canvasPixels(page);
    assert.equal(shown, 301);
    assertSameFrame(pixels, nativeFrame(p.name, 301), `${p.name}, second run, frame 301`);
    const seen = await page.evaluate(() => [vorn.run, vorn.ended, document.getElementById('again').hidden,
      document.getElementById('status').textContent]);
    assert.deepEqual(seen, [2, null, true, 'Running.']);
    await page.close();
  }
});

// Steps a second over 3 s, from the 10th frame on: a wide range, as the
// machine may be busy; bench/web.js gives the close figures.
async function assertRate(b, query, low, high, what) {
  const page = await openDemo(b, query);
  await waitFor(page, () => vorn.frame() >= 10, `${what}: no frames`);
  const { steps, refreshes } = await stepRate(page, 3);
  console.log(`${b.name}, ${what}: ${steps.toFixed(1)} steps a second, ${refreshes.toFixed(0)} refreshes a second`);
  assert.ok(steps >= low && steps <= high, `${what}: ${steps.toFixed(1)} steps a second (${refreshes.toFixed(0)} refreshes a second), not ${low} to ${high}`);
  await page.close();
  return { refreshes, errors: page.consoleErrors };
}

browserCase('rate', '60 steps a second, also where the display refreshes without limit; fps=30 gives 30, fps=0 runs unpaced, fps=fast is said and gives 60', async (b) => {
  await assertRate(b, '', 55, 65, 'the default');
  await assertRate(b, 'fs&fps=30', 25, 35, 'fps=30');
  await assertRate(b, 'fs&fps=0', 90, Infinity, 'fps=0');
  const { errors } = await assertRate(b, 'fs&fps=fast', 55, 65, 'fps=fast');
  assert.deepEqual(errors, ["vorn2112fs: VORN2112_FPS='fast' is not a whole number of frames a second from 1 to 1000 (or 0 for no waiting); showing 60 a second"]);
  const unlimited = await launchBrowser(ctx.work, b.name, true);
  try {
    const { refreshes } = await assertRate({ ...b, browser: unlimited }, '', 55, 65, 'refresh unlimited');
    assert.ok(refreshes > 75, `the unlimited browser refreshes ${refreshes.toFixed(0)} times a second`);
  } finally {
    await unlimited.close();
  }
});

browserCase('missing', 'a missing or empty picture: the page and the console show the desktop message', async (b) => {
  const pictures = [['without=V.ppm', 'V.ppm', 'vorn2112', false], ['fs&empty=vorn-rainbow.ppm', 'vorn-rainbow.ppm', 'vorn2112fs', true]];
  for (const [query, picture, program, empty] of pictures) {
    const expected = desktopMessage(program, picture, empty);
    assert.match(expected, new RegExp(`^${program}: cannot load '${picture.replace('.', '\\.')}'`));
    const page = await openDemo(b, query);
    await waitFor(page, () => vorn.ended !== null, `${program} runs without ${picture}`);
    const seen = await page.evaluate(() => [vorn.ended, document.getElementById('status').textContent, vorn.frame(),
      document.getElementById('again').hidden]);
    assert.equal(seen[0], 1, 'exit status');
    // The desktop also names the picture folder it is installed with; the
    // browser has none beside the page's own pictures.
    const message = expected.replace(/ nor in \S+$/, '');
    assert.ok(seen[1].includes(message), `the page says "${seen[1]}", the desktop "${expected}"`);
    assert.ok(page.consoleErrors.includes(message), `the console shows ${JSON.stringify(page.consoleErrors)}`);
    assert.equal(seen[2], -1, 'a frame was drawn');
    assert.ok(seen[3], 'a failed start offers to watch again');
    await page.close();
  }
});

// Sends raw bytes to the server and resolves with its whole answer.
function rawRequest(url, bytes) {
  return new Promise((resolve, reject) => {
    const chunks = [];
    const socket = net.connect(new URL(url).port, '127.0.0.1');
    socket.setTimeout(2000, () => socket.destroy());
    socket.on('data', (chunk) => chunks.push(chunk));
    socket.on('error', reject);
    socket.on('close', () => resolve(Buffer.concat(chunks).toString('latin1')));
    socket.write(bytes);
  });
}

browserCase('survives', 'the page still plays after the server was sent bad requests', async (b) => {
  for (const target of ['/index.html%00', '/%E0%A4%A', '/..%2f..%2fetc%2fpasswd', `/${'a'.repeat(20000)}`]) {
    const answer = await rawRequest(b.url, `GET ${target} HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n`);
    assert.match(answer, /^HTTP\/1\.1 4\d\d /, `GET ${target.slice(0, 40)}`);
  }
  const page = await openDemo(b, 'fs&');
  await waitFor(page, () => vorn.frame() >= 10, 'the page does not play');
  await page.close();
});

// Unpacks the archive into a sub-folder of a folder served by Python's
// plain static server (no cross-origin headers); resolves with the
// sub-folder's address and the server's process.
async function servePlainly() {
  const site = path.join(ctx.work, 'site');
  fs.rmSync(site, { recursive: true, force: true });
  execFileSync(python, ['-m', 'zipfile', '-e', ctx.archive, path.join(site, 'games', 'vorn')]);
  const server = spawn(python, ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site],
    { stdio: ['ignore', 'pipe', 'ignore'] });
  const port = await new Promise((resolve, reject) => {
    let text = '';
    server.stdout.on('data', (chunk) => {
      text += chunk;
      const found = /port (\d+)/.exec(text);
      if (found) resolve(Number(found[1]));
    });
    server.on('exit', (code) => reject(new Error(`${python} -m http.server ended with status ${code}`)));
  });
  return { server, url: `http://127.0.0.1:${port}/games/vorn/` };
}

browserCase('archive', 'the release archive from a sub-folder of a plain static server: both programs play the native frames', async (b) => {
  const plain = await servePlainly();
  try {
    for (const [p, frame] of [[programs[0], 57], [programs[1], 300]]) {
      const page = await openDemo({ ...b, url: plain.url }, `${p.query}unpaced&hold=${frame}`);
      await assertFrame(page, p.name, frame);
      const seen = await page.evaluate(() => [document.getElementById('status').textContent, crossOriginIsolated]);
      assert.deepEqual(seen, ['Running.', false]);
      assert.deepEqual(page.consoleErrors, []);
      await page.close();
    }
  } finally {
    plain.server.kill();
  }
});

nodeCase('archive-files', 'the release archive holds the page and both programs, the same bytes, each under 400 KB gzipped', () => {
  const out = path.join(ctx.work, 'unpacked');
  execFileSync(python, ['-m', 'zipfile', '-e', ctx.archive, out]);
  assert.deepEqual(fs.readdirSync(out).sort(), [...archiveFiles].sort());
  for (const file of archiveFiles) {
    assert.ok(fs.readFileSync(path.join(out, file)).equals(fs.readFileSync(path.join(ctx.webBin, file))), `${file} differs from the build's`);
  }
  for (const program of ['vorn2112', 'vorn2112fs']) {
    const files = ['index.html', 'vorn2112-page.js', `${program}.js`, `${program}.wasm`, `${program}.data`];
    const gzipped = files.reduce((sum, f) => sum + zlib.gzipSync(fs.readFileSync(path.join(out, f))).length, 0);
    assert.ok(gzipped < downloadLimit, `${program}: ${gzipped} bytes gzipped`);
  }
});

nodeCase('capture', 'the capture tools under Node write the native frames, video stream and pictures', () => {
  const { webBin, nativeBin, work } = ctx;
  for (const picture of fs.readdirSync(nativeBin).filter((f) => /\.p[bp]m$/.test(f))) {
    assert.ok(fs.readFileSync(path.join(webBin, picture)).equals(fs.readFileSync(path.join(nativeBin, picture))), `${picture} differs`);
  }
  for (const program of ['vorn2112-capture', 'vorn2112fs-capture']) {
    const run = (dir, args) => {
      const out = path.join(work, `${program}-${dir}`);
      const command = dir === 'node' ? [process.execPath, [path.join(webBin, `${program}.js`)]] : [path.join(nativeBin, program), []];
      execFileSync(command[0], [...command[1], '--from', '1020', '--count', '3', '--out', out, '--y4m', `${out}.y4m`, ...args], { cwd: dir === 'node' ? webBin : nativeBin });
      return out;
    };
    const node = run('node', []);
    const native = run('native', []);
    const files = fs.readdirSync(native);
    assert.deepEqual(fs.readdirSync(node), files);
    for (const f of files) assert.ok(fs.readFileSync(path.join(node, f)).equals(fs.readFileSync(path.join(native, f))), `${program} ${f} differs`);
    assert.ok(fs.readFileSync(`${node}.y4m`).equals(fs.readFileSync(`${native}.y4m`)), `${program}: the Y4M streams differ`);
    const bad = spawnSync(process.execPath, [path.join(webBin, `${program}.js`), '--bogus'], { cwd: webBin, encoding: 'utf8' });
    assert.equal(bad.status, 2, 'a bad option under Node');
    assert.match(bad.stderr, new RegExp(`^${program}: unknown option '--bogus'`));
    // Standard output cannot carry the video there: said, status 1, no stream.
    const piped = spawnSync(process.execPath, [path.join(webBin, `${program}.js`), '--count', '1', '--y4m', '-'], { cwd: webBin, encoding: 'latin1' });
    assert.equal(piped.status, 1, '--y4m - under Node');
    assert.match(piped.stderr, new RegExp(`^${program}: cannot write to standard output`));
    assert.equal(piped.stdout, '');
  }
});

// The folders and archive from the command line, each checked, or a reason.
function setUp(args) {
  const [webBin, nativeBin, archive] = args.map((p) => path.resolve(p));
  ctx.webBin = webBin;
  ctx.nativeBin = nativeBin;
  ctx.archive = archive || fs.readdirSync(path.dirname(webBin)).filter((f) => /^vorn2112-web-.*\.zip$/.test(f))
    .map((f) => path.join(path.dirname(webBin), f))[0];
  for (const [what, file] of [['the browser build', path.join(webBin, 'vorn2112.js')],
    ['the native build', path.join(nativeBin, 'vorn2112-capture')], ['the release archive', ctx.archive]]) {
    if (!file || !fs.existsSync(file)) throw new Error(`${what} is missing (${file || 'no vorn2112-web-*.zip beside ' + webBin}): build it first`);
  }
  ctx.work = fs.mkdtempSync(path.join(os.tmpdir(), 'vorn-web-'));
}

// The cases the environment asks for, or a reason why none can run.
function selected() {
  const names = (process.env.VORN_BROWSER || 'chromium,firefox').split(',').filter(Boolean);
  for (const name of names) if (!browsers[name]) throw new Error(`VORN_BROWSER: unknown browser '${name}' (chromium, firefox)`);
  const only = process.env.VORN_WEB_CASE;
  const pick = (cases) => cases.filter((c) => !only || c.id === only);
  const chosen = { names, browserCases: pick(browserCases), nodeCases: pick(nodeCases) };
  if (only && chosen.browserCases.length + chosen.nodeCases.length === 0) throw new Error(`VORN_WEB_CASE: no case '${only}' (see --list)`);
  return chosen;
}

function register(args) {
  const chosen = selected();
  if (args.length < 2) throw new Error('usage: node tests/web/browser_test.js WEB_BIN NATIVE_BIN [ARCHIVE] | --list');
  setUp(args);
  after(() => fs.rmSync(ctx.work, { recursive: true, force: true }));
  for (const c of chosen.nodeCases) test(`${c.id}: ${c.name}`, c.body);
  if (chosen.browserCases.length === 0) return;
  for (const name of chosen.names) {
    describe(name, () => {
      const b = { name, browser: null, server: null, url: null };
      before(async () => {
        ({ server: b.server, url: b.url } = await serve(ctx.webBin));
        b.browser = await launchBrowser(ctx.work, name);
      });
      after(async () => {
        if (b.browser) await b.browser.close();
        if (b.server) b.server.close();
      });
      for (const c of chosen.browserCases) test(`${c.id}: ${c.name}`, () => c.body(b));
    });
  }
}

const args = process.argv.slice(2);
if (args[0] === '--list') {
  for (const c of browserCases) console.log(`browser ${c.id}`);
  for (const c of nodeCases) console.log(`node ${c.id}`);
} else {
  try {
    register(args);
  } catch (error) {
    test('the browser suite can run', () => {
      throw error;
    });
  }
}
