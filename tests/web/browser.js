// Headless Chromium or Firefox for the browser build's tests and
// measurements: start one, open the demo's page, wait for a condition in the
// page, press keys and read the canvas back.
'use strict';
const path = require('path');

// The browsers puppeteer-core drives: Chromium over the DevTools protocol,
// Firefox over WebDriver BiDi. Neither is ever downloaded; the environment
// variable names another executable.
const browsers = {
  chromium: { variable: 'CHROMIUM', executable: '/usr/bin/chromium' },
  firefox: { variable: 'FIREFOX', executable: '/usr/bin/firefox-esr' },
};

function executableOf(name) {
  const browser = browsers[name];
  if (!browser) throw new Error(`unknown browser '${name}': chromium or firefox`);
  return process.env[browser.variable] || browser.executable;
}

// The machine may have no network: the flags and preferences keep the
// browsers from trying. `unlimited` takes the display's refresh off its
// 60 Hz: animation frames come as fast as the browser can draw them, as on
// a display far faster than any real one.
async function launchBrowser(workDir, name = 'chromium', unlimited = false) {
  const puppeteer = require('puppeteer-core');
  const executablePath = executableOf(name);
  const userDataDir = path.join(workDir, unlimited ? `${name}-unlimited` : name);
  if (name === 'firefox') {
    return puppeteer.launch({
      browser: 'firefox', executablePath, headless: true, userDataDir,
      extraPrefsFirefox: {
        'network.captive-portal-service.enabled': false, 'network.connectivity-service.enabled': false,
        ...(unlimited ? { 'layout.frame_rate': 0 } : {}),
      },
    });
  }
  return puppeteer.launch({
    executablePath, headless: true, userDataDir,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      ...(unlimited ? ['--disable-frame-rate-limit', '--disable-gpu-vsync'] : [])],
  });
}

// Opens the page with the given query (without '?'); the page collects its
// console errors in page.consoleErrors. `ctx.url` is the folder's address.
async function openDemo(ctx, query, viewport = { width: 800, height: 600 }) {
  const page = await ctx.browser.newPage();
  await page.setViewport(viewport);
  page.consoleErrors = [];
  page.on('console', (message) => {
    if (message.type() === 'error' && !message.text().startsWith('Failed to load resource')) page.consoleErrors.push(message.text());
  });
  // A page in the background gets no animation frames: bring it forward.
  await page.bringToFront();
  await page.goto(`${ctx.url}index.html${query ? '?' + query.replace(/&$/, '') : ''}`);
  return page;
}

// Waits up to `seconds` for `condition` (run in the page) to be true.
async function waitFor(page, condition, failure, arg, seconds = 30) {
  try {
    await page.waitForFunction(condition, { timeout: seconds * 1000, polling: 10 }, arg);
  } catch (error) {
    const state = await page
      .evaluate(() => `frame ${vorn.frame()}, page says "${document.getElementById('status').textContent}"`)
      .catch(() => 'the page does not answer');
    throw new Error(`${failure}: ${state} (${error.message.split('\n')[0]})`);
  }
}

// Presses a key ('KeyA', 'Shift+KeyQ', ...) and holds it down for at least
// two frames before releasing it.
async function pressKey(page, combination) {
  const keys = combination.split('+');
  for (const key of keys) await page.keyboard.down(key);
  const start = await page.evaluate(() => vorn.frame());
  await page.waitForFunction((s) => vorn.frame() >= s + 2 || vorn.ended !== null, { polling: 5 }, start);
  for (const key of keys.reverse()) await page.keyboard.up(key);
}

// Frame steps and display refreshes (animation frames) a second over the
// next `seconds`, as the page's own clock times them.
function stepRate(page, seconds) {
  return page.evaluate(async (s) => {
    let refreshes = 0;
    let counting = true;
    const count = () => {
      if (!counting) return;
      refreshes++;
      requestAnimationFrame(count);
    };
    requestAnimationFrame(count);
    const [frame, start] = [vorn.frame(), performance.now()];
    await new Promise((resolve) => setTimeout(resolve, s * 1000));
    counting = false;
    const elapsed = (performance.now() - start) / 1000;
    return { steps: (vorn.frame() - frame) / elapsed, refreshes: refreshes / elapsed };
  }, seconds);
}

// The frame number and the canvas's RGBA bytes, read in one go.
async function canvasPixels(page) {
  const { shown, data } = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    return { shown: vorn.frame(), data: btoa(text) };
  });
  return { shown, pixels: Buffer.from(data, 'base64') };
}

module.exports = { browsers, launchBrowser, openDemo, waitFor, pressKey, stepRate, canvasPixels };
