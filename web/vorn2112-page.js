// Starts one of the two programs on the page: the 640 x 480 one by default,
// the 320 x 200 one when the address carries ?fs. The canvas is fitted to
// the window: larger by whole factors with square pixels where there is
// room, smaller (the aspect kept) where there is not, as on a phone. A
// button shows it full screen; once the demo has ended, another starts it
// again from frame 0.
//
// The demo shows 60 frames a second, whatever the display's refresh rate;
// in the address, as VORN2112_FPS on the desktop:
//   fps=N          N frames a second, 1 to 1000; 0: a frame step as soon as
//                  the browser is free, not at display refreshes
//   unpaced        the same as fps=0 (fps wins when both are given)
// Switches for tests and measurements, in the address too:
//   hold=N         hold the loop once frame N is on the canvas
//   without=NAME   remove the picture NAME before the program starts
//   empty=NAME     make the picture NAME an empty file
// window.vorn offers the frame number on the canvas, holding at a frame, the
// rate of frames (unpaced, or any rate), the median times of a step and of
// its present's two halves, how the program ended and the number of the run.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const small = params.has('fs');
  const program = small ? 'vorn2112fs' : 'vorn2112';
  const width = small ? 320 : 640;
  const height = small ? 200 : 480;

  const canvas = document.getElementById('screen');
  const stage = document.getElementById('stage');
  const controls = document.getElementById('controls');
  const status = document.getElementById('status');
  const again = document.getElementById('again');
  const fullscreen = document.getElementById('fullscreen');
  const other = document.getElementById('other');
  const errors = [];
  const margin = 8; // main's padding, on every side

  // The frames are opaque, and so is the canvas: it takes a frame without
  // weighing its alpha. The first request for the canvas's context sets
  // that; the program's own request later gets the same context.
  canvas.getContext('2d', { alpha: false });
  canvas.width = width;
  canvas.height = height;
  canvas.style.setProperty('--width', width + 'px');
  canvas.style.setProperty('--height', height + 'px');
  other.innerHTML = small
    ? '<a href="./">the 640 x 480 program</a>'
    : '<a href="?fs">the 320 x 200 program</a>';

  // The scale that fits `fit`, the room over the program's size: a whole
  // number of device pixels per program pixel when that is at least the
  // program's own size, else `fit` itself (pixels then blend, smaller).
  function scaleFor(fit) {
    if (fit < 1) return fit;
    const ratio = window.devicePixelRatio || 1;
    return Math.max(1, Math.floor(fit * ratio) / ratio);
  }

  // The room is the window's width and its height less the text below the
  // canvas; where that text would take more than half the height, the
  // canvas has the whole height and the text is scrolled to.
  function fitCanvas() {
    const full = document.fullscreenElement === stage;
    let roomX = document.documentElement.clientWidth - 2 * margin;
    let roomY = window.innerHeight - 2 * margin;
    if (full) {
      roomX = stage.clientWidth;
      roomY = stage.clientHeight;
    } else if (controls.offsetHeight <= roomY / 2) {
      roomY -= controls.offsetHeight;
    }
    const scale = scaleFor(Math.min(roomX / width, roomY / height));
    canvas.style.setProperty('--scale', String(scale));
    canvas.classList.toggle('crisp', scale >= 1);
  }
  window.addEventListener('resize', fitCanvas);
  document.addEventListener('fullscreenchange', fitCanvas);

  // The keys go to the canvas: it takes the focus now where the browser
  // lets it, and on a click otherwise.
  canvas.addEventListener('click', () => canvas.focus());
  canvas.focus();

  function say(text, failed) {
    status.textContent = text;
    status.classList.toggle('failed', Boolean(failed));
    fitCanvas();
  }

  if (document.fullscreenEnabled) {
    fullscreen.hidden = false;
    fullscreen.addEventListener('click', () => {
      stage.requestFullscreen().then(() => canvas.focus(), () => {});
    });
  }
  fitCanvas();

  function applySwitches(module) {
    const without = params.get('without');
    if (without && module.FS.analyzePath('/' + without).exists) module.FS.unlink('/' + without);
    const empty = params.get('empty');
    if (empty) module.FS.writeFile('/' + empty, new Uint8Array(0));
    if (params.has('hold')) module._vornHoldAt(Number(params.get('hold')));
    if (pendingHold !== null) module._vornHoldAt(pendingHold);
  }

  const state = { program, ready: false, ended: null, run: 1, errors };
  let pendingHold = null; // a hold asked for before the program was ready
  window.vorn = state;

  // The end of a run (Escape, Q or q): the program keeps its pictures and
  // waits to be started again. Full screen is left so the button shows, and
  // the button takes the focus, so Enter or space starts the demo again.
  function ended() {
    state.ended = 0;
    say('The demo has ended.');
    again.hidden = false;
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    fitCanvas();
    again.focus({ preventScroll: true });
  }

  again.addEventListener('click', () => {
    if (state.ended !== 0) return;
    state.ended = null;
    state.run++;
    again.hidden = true;
    Module._vornRestart();
    say('Running.');
    canvas.focus();
  });

  // How long the latest few hundred frame steps took, and the two halves of
  // their presents (converting the pixels, handing them to the canvas), as
  // the program notes them; the medians are what the benchmarks report.
  const kept = 512;
  const times = {
    step: [],
    conversion: [],
    handOver: [],
    count: { step: 0, conversion: 0, handOver: 0 },
    note(kind, ms) {
      this[kind][this.count[kind]++ % kept] = ms;
    },
    median(kind) {
      const sorted = this[kind].slice().sort((a, b) => a - b);
      return sorted.length ? sorted[Math.floor(sorted.length / 2)] : 0;
    },
  };

  // The rate goes to the program as the desktop's does: in its environment,
  // read when it starts; a value it does not take is said in the console.
  function setRate(module) {
    const fps = params.has('fps') ? params.get('fps') : params.has('unpaced') ? '0' : null;
    if (fps !== null) module.ENV.VORN2112_FPS = fps;
  }

  const Module = {
    canvas,
    preRun: [() => setRate(Module)],
    vornTimes: times,
    keyboardListeningElement: canvas,
    print: (text) => console.log(text),
    printErr: (text) => {
      console.error(text);
      errors.push(text);
      say(errors.join('\n'), true);
    },
    setStatus: (text) => {
      if (errors.length) return;
      const loading = /\((\d+(\.\d+)?)\/(\d+)\)/.exec(text);
      if (loading) {
        const percent = Math.floor((100 * Number(loading[1])) / Number(loading[3]));
        say('Loading the pictures… ' + percent + '%');
      }
    },
    onRuntimeInitialized: () => {
      state.ready = true;
      applySwitches(Module);
      say('Running.');
      canvas.focus();
    },
    onEnd: ended, // called by the program
    // The program exits only when it could not start.
    onExit: (code) => {
      state.ended = code;
      say(errors.concat('The demo could not start (exit status ' + code + ').').join('\n'), true);
    },
  };
  window.Module = Module;

  state.frame = () => (state.ready ? Module._vornShownFrame() : -1);
  state.holdAt = (frame) => {
    if (state.ready) Module._vornHoldAt(frame);
    else pendingHold = frame;
  };
  state.unpaced = () => Module._vornRate(0);
  state.rate = (fps) => Module._vornRate(fps); // from the next display refresh on
  state.medianStepMs = () => times.median('step');
  // The medians of the latest steps and of their present's two halves.
  state.medianTimesMs = () => ({
    step: times.median('step'),
    conversion: times.median('conversion'),
    handOver: times.median('handOver'),
  });

  const script = document.createElement('script');
  script.src = program + '.js';
  script.onerror = () => say('Cannot load ' + program + '.js: serve this folder over HTTP.', true);
  document.body.appendChild(script);
})();
