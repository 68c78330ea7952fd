// The browser build's figures, for each program: frames per second in
// headless Chromium, paced by the display refresh (requestAnimationFrame) and
// unpaced; the median time of one frame step in the browser (performance.now
// around it) and of its present's two halves, the conversion of the pixels
// and their hand-over to the canvas, so that the rest is the frame itself;
// and the capture tool's frame time under Node beside the native one. Every
// pair is measured in the same repetition, one after the other, and each
// figure is the median over the repetitions. Last, the sizes of what a
// browser downloads, raw and gzipped (at gzip's default level, as a web host
// sends it).
//   node bench/web.js [WEB_BIN [NATIVE_BIN]]   (defaults build-web/bin, build/bin)
//   VORN_BENCH_REPEAT (default 5) repetitions, VORN_BENCH_SECONDS (default 3)
//   seconds of each browser measurement
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
const seconds = Number(process.env.VORN_BENCH_SECONDS || 3);
const repeat = Number(process.env.VORN_BENCH_REPEAT || 5);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const programs = [['vorn2112', '', '640 x 480'], ['vorn2112fs', 'fs&', '320 x 200']];

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// Frames per second over `seconds` after a second of warm-up, and the
// median times of the latest 512 steps and of their presents, in us.
async function browserRate(ctx, query) {
  const page = await openDemo(ctx, query);
  await waitFor(page, () => vorn.frame() >= 0, 'the demo does not run');
  await sleep(1000);
  const start = await page.evaluate(() => [vorn.frame(), performance.now()]);
  await sleep(seconds * 1000);
  const [frame, now, times] = await page.evaluate(() => [vorn.frame(), performance.now(), vorn.medianTimesMs()]);
  await page.close();
  return {
    fps: ((frame - start[0]) * 1000) / (now - start[1]),
    stepUs: times.step * 1000,
    conversionUs: times.conversion * 1000,
    handOverUs: times.handOver * 1000,
  };
}

// One frame of the capture tool (rendering only), in us.
function captureFrameUs(command, args, cwd) {
  const out = execFileSync(command, [...args, '--count', '3000'], { cwd, encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  return 1e6 / Number(out.match(/([\d.]+) frames per second/)[1]);
}

// One repetition of every figure of one program.
async function measure(ctx, name, query) {
  const paced = await browserRate(ctx, query);
  const unpaced = await browserRate(ctx, `${query}unpaced`);
  const nativeUs = captureFrameUs(path.join(nativeBin, `${name}-capture`), [], nativeBin);
  const nodeUs = captureFrameUs(process.execPath, [path.join(webBin, `${name}-capture.js`)], webBin);
  return {
    pacedFps: paced.fps,
    unpacedFps: unpaced.fps,
    // Each step's parts: the frame in WebAssembly, then the present's two
    // halves.
    pacedStepUs: paced.stepUs,
    pacedFrameUs: paced.stepUs - paced.conversionUs - paced.handOverUs,
    pacedConversionUs: paced.conversionUs,
    pacedHandOverUs: paced.handOverUs,
    unpacedStepUs: unpaced.stepUs,
    frameUs: unpaced.stepUs - unpaced.conversionUs - unpaced.handOverUs,
    conversionUs: unpaced.conversionUs,
    handOverUs: unpaced.handOverUs,
    nativeUs,
    nodeUs,
    nodeSpeed: nativeUs / nodeUs, // the capture tool under Node / native, in frames per second
    stepOverNative: unpaced.stepUs / nativeUs, // the unpaced browser step / the native frame
  };
}

const figures = [
  ['pacedFps', 'frames per second, paced', 1],
  ['unpacedFps', 'frames per second, unpaced', 0],
  ['pacedStepUs', 'step, paced (us)', 0],
  ['pacedFrameUs', '  of it the frame (us)', 0],
  ['pacedConversionUs', '  the conversion (us)', 0],
  ['pacedHandOverUs', '  the hand-over to the canvas (us)', 0],
  ['unpacedStepUs', 'step, unpaced (us)', 0],
  ['frameUs', '  of it the frame (us)', 0],
  ['conversionUs', '  the conversion (us)', 0],
  ['handOverUs', '  the hand-over to the canvas (us)', 0],
  ['nativeUs', 'capture tool, native (us a frame)', 1],
  ['nodeUs', 'capture tool, under Node (us a frame)', 0],
  ['nodeSpeed', 'capture tool, under Node / native', 2],
  ['stepOverNative', 'step unpaced / native frame', 2],
];

// The bytes a viewer of each program downloads: the page, its script and the
// program's three files.
function downloads() {
  const gzipped = (file) => zlib.gzipSync(fs.readFileSync(path.join(webBin, file))).length;
  for (const file of ['index.html', 'vorn2112-page.js', 'vorn2112.js', 'vorn2112.wasm', 'vorn2112.data', 'vorn2112fs.js', 'vorn2112fs.wasm', 'vorn2112fs.data']) {
    console.log(`${file}: ${fs.statSync(path.join(webBin, file)).size} bytes, ${gzipped(file)} gzipped`);
  }
  for (const [name] of programs) {
    const files = ['index.html', 'vorn2112-page.js', `${name}.js`, `${name}.wasm`, `${name}.data`];
    console.log(`${name}: a viewer downloads ${files.reduce((sum, f) => sum + gzipped(f), 0)} bytes gzipped`);
  }
}

(async () => {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vorn-web-bench-'));
  const { server, url } = await serve(webBin);
  const browser = await launchBrowser(work);
  const ctx = { browser, url };
  console.log(`headless Chromium, ${seconds} s each, ${repeat} repetitions, ${os.cpus().length} cores (${os.cpus()[0].model})`);
  const runs = Object.fromEntries(programs.map(([name]) => [name, []]));
  for (let r = 1; r <= repeat; r++) {
    for (const [name, query] of programs) {
      const run = await measure(ctx, name, query);
      runs[name].push(run);
      console.log(`${r} ${name}: ` + figures.map(([key, , digits]) => `${key} ${run[key].toFixed(digits)}`).join(', '));
    }
  }
  await browser.close();
  server.close();
  console.log(`\nmedians of ${repeat}` + programs.map(([, , size]) => ` | ${size}`).join(''));
  for (const [key, label, digits] of figures) {
    console.log(label + programs.map(([name]) => ` | ${median(runs[name].map((run) => run[key])).toFixed(digits)}`).join(''));
  }
  downloads();
  fs.rmSync(work, { recursive: true, force: true });
})();
