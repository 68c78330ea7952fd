// The browser build's figures: frames per second in headless Chromium, paced
// by the display refresh (requestAnimationFrame) and unpaced; the median
// time of one frame step in the browser (performance.now around it); the
// capture tool's rate under Node beside the native one, in the same run; and
// the sizes of what a browser downloads, raw and gzipped.
//   node bench/web.js [WEB_BIN [NATIVE_BIN]]   (defaults build-web/bin, build/bin)
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const { serve } = require('../web/serve.js');
const { launchBrowser, openDemo, waitFor } = require('../tests/web/browser.js');

const webBin = path.resolve(process.argv[2] || 'build-web/bin');
const nativeBin = path.resolve(process.argv[3] || 'build/bin');
const seconds = Number(process.env.VORN_BENCH_SECONDS || 5);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Frames per second over `seconds` after a second of warm-up, and the
// median step time of the latest 512 steps.
async function browserRate(ctx, query) {
  const page = await openDemo(ctx, query);
  await waitFor(page, () => vorn.frame() >= 0, 'the demo does not run');
  await sleep(1000);
  const start = await page.evaluate(() => [vorn.frame(), performance.now()]);
  await sleep(seconds * 1000);
  const end = await page.evaluate(() => [vorn.frame(), performance.now(), vorn.medianStepMs()]);
  await page.close();
  return { fps: ((end[0] - start[0]) * 1000) / (end[1] - start[1]), stepMs: end[2] };
}

function captureRate(command, args, cwd) {
  const out = execFileSync(command, [...args, '--count', '3000'], { cwd, encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  return Number(out.match(/([\d.]+) frames per second/)[1]);
}

(async () => {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vorn-web-bench-'));
  const { server, url } = await serve(webBin);
  const browser = await launchBrowser(work);
  const ctx = { browser, url };
  console.log(`headless Chromium, ${seconds} s each, ${os.cpus().length} cores (${os.cpus()[0].model})`);
  for (const [name, query] of [['vorn2112', ''], ['vorn2112fs', 'fs&']]) {
    const paced = await browserRate(ctx, query);
    const unpaced = await browserRate(ctx, `${query}unpaced`);
    console.log(`${name}: ${paced.fps.toFixed(1)} fps paced, ${unpaced.fps.toFixed(1)} fps unpaced; ` +
      `median step ${(paced.stepMs * 1000).toFixed(0)} us paced, ${(unpaced.stepMs * 1000).toFixed(0)} us unpaced`);
  }
  await browser.close();
  server.close();
  for (const name of ['vorn2112-capture', 'vorn2112fs-capture']) {
    const native = captureRate(path.join(nativeBin, name), [], nativeBin);
    const node = captureRate(process.execPath, [path.join(webBin, `${name}.js`)], webBin);
    console.log(`${name}: native ${native.toFixed(0)} fps (${(1e6 / native).toFixed(0)} us a frame), ` +
      `under Node ${node.toFixed(0)} fps (${(1e6 / node).toFixed(0)} us a frame), ratio ${(native / node).toFixed(2)}`);
  }
  for (const file of ['vorn2112.js', 'vorn2112.wasm', 'vorn2112.data', 'vorn2112fs.js', 'vorn2112fs.wasm', 'vorn2112-page.js', 'index.html']) {
    const bytes = fs.readFileSync(path.join(webBin, file));
    console.log(`${file}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, { level: 9 }).length} gzipped`);
  }
  fs.rmSync(work, { recursive: true, force: true });
})();
