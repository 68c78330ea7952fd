// The browser build in headless Chromium, met the way a viewer meets it: the
// page over HTTP, real key presses, and the canvas read back byte for byte
// against the native capture tools' frames. Also the Node-built capture
// tools against the native ones.
//   node tests/web/browser_test.js WEB_BIN NATIVE_BIN
// WEB_BIN holds the browser build (build-web/bin), NATIVE_BIN the native one
// (build/bin). Ends with "N passed, N failed"; the exit status is 0 only
// when nothing failed.
'use strict';
const assert = require('assert/strict');
const { execFileSync, spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serve } = require('../../web/serve.js');
const { launchBrowser, openDemo, waitFor, pressKey, canvasPixels } = require('./browser.js');

const [webBin, nativeBin] = process.argv.slice(2).map((p) => p && path.resolve(p));
if (!webBin || !nativeBin) {
  console.error('usage: node tests/web/browser_test.js WEB_BIN NATIVE_BIN');
  process.exit(2);
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vorn-web-'));
const programs = [
  { name: 'vorn2112', query: '', width: 640, height: 480 },
  { name: 'vorn2112fs', query: 'fs&', width: 320, height: 200 },
];

// The native capture tool's frame `frame` as RGB bytes.
function nativeFrame(program, frame) {
  const out = path.join(work, `${program}-${frame}`);
  execFileSync(path.join(nativeBin, `${program}-capture`), ['--from', String(frame), '--count', '1', '--out', out], { cwd: nativeBin });
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

// The message the desktop program prints when `picture` is missing, or
// empty when `empty` is true.
function desktopMessage(program, picture, empty) {
  const dir = fs.mkdtempSync(path.join(work, 'missing-'));
  for (const file of fs.readdirSync(nativeBin).filter((f) => /\.p[bp]m$/.test(f) && f !== picture)) {
    fs.copyFileSync(path.join(nativeBin, file), path.join(dir, file));
  }
  if (empty) fs.writeFileSync(path.join(dir, picture), '');
  const run = spawnSync(path.join(nativeBin, program), [], {
    cwd: dir, env: { ...process.env, SDL_VIDEODRIVER: 'dummy' }, timeout: 20000, encoding: 'utf8',
  });
  assert.equal(run.status, 1, `the desktop ${program} without ${picture}: status ${run.status}`);
  return run.stderr.trim();
}

const cases = [];
const test = (name, body) => cases.push({ name, body });

test('each program: titled VORN2112, canvas at its own size, focused, small one scaled crisply', async (ctx) => {
  for (const p of programs) {
    const page = await openDemo(ctx, p.query);
    await waitFor(page, () => vorn.frame() >= 1, `${p.name} draws no frames`);
    const seen = await page.evaluate(() => {
      const canvas = document.getElementById('screen');
      const style = getComputedStyle(canvas);
      return {
        title: document.title, width: canvas.width, height: canvas.height,
        shownWidth: canvas.getBoundingClientRect().width, focused: document.activeElement === canvas,
        rendering: style.imageRendering, button: !document.getElementById('fullscreen').hidden,
      };
    });
    assert.equal(seen.title, 'VORN2112');
    assert.deepEqual([seen.width, seen.height], [p.width, p.height], `${p.name} canvas size`);
    assert.ok(seen.focused, `${p.name}: the canvas does not have the keyboard focus`);
    assert.ok(Number.isInteger(seen.shownWidth / p.width), `${p.name} shown ${seen.shownWidth} px wide`);
    if (p.name === 'vorn2112fs') {
      assert.ok(seen.shownWidth >= 2 * p.width, 'the small program is not scaled up');
      assert.equal(seen.rendering, 'pixelated');
      assert.ok(seen.button, 'no full-screen button');
      await page.click('#fullscreen');
      await waitFor(page, () => document.fullscreenElement !== null, 'the button does not go full screen');
      const full = await page.evaluate(() => [document.fullscreenElement.id, document.activeElement.id,
        document.getElementById('screen').getBoundingClientRect().width]);
      assert.equal(full[0], 'stage');
      assert.equal(full[1], 'screen', 'the canvas lost the keyboard focus');
      assert.ok(Number.isInteger(full[2] / p.width), `shown ${full[2]} px wide in full screen`);
    }
    await page.close();
  }
});

for (const [p, frames] of [[programs[0], [0, 57, 1100]], [programs[1], [1, 300, 1234]]]) {
  test(`${p.name}: the canvas at frames ${frames} equals the native capture, byte for byte, opaque`, async (ctx) => {
    const page = await openDemo(ctx, `${p.query}unpaced&hold=${frames[0]}`);
    for (const frame of frames) {
      await page.evaluate((f) => vorn.holdAt(f), frame);
      await waitFor(page, (f) => vorn.frame() === f, `${p.name} does not reach frame ${frame}`, frame);
      const { shown, pixels } = await canvasPixels(page);
      assert.equal(shown, frame, 'the frame number moved while the pixels were read');
      assertSameFrame(pixels, nativeFrame(p.name, frame), `${p.name} frame ${frame}`);
    }
    await page.close();
  });
}

test('space, a, F2 and Down leave the demo running; q, Shift+Q and Escape end it with status 0', async (ctx) => {
  const page = await openDemo(ctx, '');
  for (const key of ['Space', 'KeyA', 'F2', 'ArrowDown']) {
    await pressKey(page, key);
    const before = await page.evaluate(() => vorn.frame());
    await waitFor(page, (b) => vorn.frame() > b + 2 || vorn.ended !== null, `the demo stopped after ${key}`, before);
    assert.equal(await page.evaluate(() => vorn.ended), null, `${key} ended the demo`);
  }
  await page.close();
  for (const [query, key] of [['', 'KeyQ'], ['fs&', 'Shift+KeyQ'], ['', 'Escape'], ['fs&', 'Escape']]) {
    const ended = await openDemo(ctx, query);
    await waitFor(ended, () => vorn.frame() >= 1, 'the demo draws no frames');
    await pressKey(ended, key);
    await waitFor(ended, () => vorn.ended !== null, `${key} did not end the demo`);
    const after = await ended.evaluate(() => [vorn.ended, document.getElementById('status').textContent, vorn.frame()]);
    assert.equal(after[0], 0, `exit status after ${key}`);
    assert.equal(after[1], 'The demo has ended.');
    await new Promise((resolve) => setTimeout(resolve, 100));
    assert.equal(await ended.evaluate(() => vorn.frame()), after[2], `frames go on after ${key}`);
    await ended.close();
  }
});

test('a missing or empty picture: the page and the console show the desktop message', async (ctx) => {
  const pictures = [['without=V.ppm', 'V.ppm', 'vorn2112', false], ['fs&empty=vorn-rainbow.ppm', 'vorn-rainbow.ppm', 'vorn2112fs', true]];
  for (const [query, picture, program, empty] of pictures) {
    const expected = desktopMessage(program, picture, empty);
    assert.match(expected, new RegExp(`^${program}: cannot load '${picture.replace('.', '\\.')}'`));
    const page = await openDemo(ctx, query);
    await waitFor(page, () => vorn.ended !== null, `${program} runs without ${picture}`);
    const seen = await page.evaluate(() => [vorn.ended, document.getElementById('status').textContent, vorn.frame()]);
    assert.equal(seen[0], 1, 'exit status');
    // The desktop also names the picture folder it is installed with; the
    // browser has none beside the page's own pictures.
    const message = expected.replace(/ nor in \S+$/, '');
    assert.ok(seen[1].includes(message), `the page says "${seen[1]}", the desktop "${expected}"`);
    assert.ok(page.consoleErrors.includes(message), `the console shows ${JSON.stringify(page.consoleErrors)}`);
    assert.equal(seen[2], -1, 'a frame was drawn');
    await page.close();
  }
});

test('the capture tools under Node write the native frames, video stream and pictures', async () => {
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

(async () => {
  let passed = 0;
  let failed = 0;
  const { server, url } = await serve(webBin);
  const browser = await launchBrowser(work);
  const ctx = { browser, url };
  for (const { name, body } of cases) {
    const start = Date.now();
    try {
      await body(ctx);
      passed++;
      console.log(`ok   ${name} (${((Date.now() - start) / 1000).toFixed(1)} s)`);
    } catch (error) {
      failed++;
      if (process.env.VORN_DEBUG) console.log(error.stack);
      console.log(`FAIL ${name}\n     ${error.message.split('\n').join('\n     ')}`);
    }
  }
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
})().catch((error) => {
  console.log(`FAIL the browser suite could not run: ${error.stack}`);
  console.log('0 passed, 1 failed');
  process.exit(1);
});
