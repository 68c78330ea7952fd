// Starts one of the two programs on the page: the 640 x 480 one by default,
// the 320 x 200 one (scaled up by a whole factor, with a full-screen button)
// when the address carries ?fs.
//
// Switches for tests and measurements, in the address too:
//   hold=N         hold the loop once frame N is on the canvas
//   unpaced        one frame step as soon as the browser is free, not once
//                  per display refresh
//   without=NAME   remove the picture NAME before the program starts
//   empty=NAME     make the picture NAME an empty file
// window.vorn offers the frame number on the canvas, holding at a frame, the
// median step time and how the program ended.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const small = params.has('fs');
  const program = small ? 'vorn2112fs' : 'vorn2112';
  const width = small ? 320 : 640;
  const height = small ? 200 : 480;

  const canvas = document.getElementById('screen');
  const stage = document.getElementById('stage');
  const status = document.getElementById('status');
  const fullscreen = document.getElementById('fullscreen');
  const other = document.getElementById('other');
  const errors = [];

  canvas.width = width;
  canvas.height = height;
  canvas.style.setProperty('--width', width + 'px');
  canvas.style.setProperty('--height', height + 'px');
  other.innerHTML = small
    ? '<a href="./">the 640 x 480 program</a>'
    : '<a href="?fs">the 320 x 200 program</a>';

  // The small program is shown at the largest whole multiple of its size
  // that fits, so every pixel stays a crisp square.
  function fitScale() {
    if (!small) return;
    const roomX = document.fullscreenElement ? window.innerWidth : window.innerWidth - 32;
    const roomY = document.fullscreenElement ? window.innerHeight : window.innerHeight - 160;
    const scale = Math.max(1, Math.floor(Math.min(roomX / width, roomY / height)));
    canvas.style.setProperty('--scale', String(scale));
  }
  if (small) {
    canvas.classList.add('scaled');
    fullscreen.hidden = false;
    fullscreen.addEventListener('click', () => {
      stage.requestFullscreen().then(() => canvas.focus(), () => {});
    });
    window.addEventListener('resize', fitScale);
    document.addEventListener('fullscreenchange', fitScale);
  }
  fitScale();

  // The keys go to the canvas: it takes the focus now where the browser
  // lets it, and on a click otherwise.
  canvas.addEventListener('click', () => canvas.focus());
  canvas.focus();

  function say(text, failed) {
    status.textContent = text;
    status.classList.toggle('failed', Boolean(failed));
  }

  function applySwitches(module) {
    const without = params.get('without');
    if (without && module.FS.analyzePath('/' + without).exists) module.FS.unlink('/' + without);
    const empty = params.get('empty');
    if (empty) module.FS.writeFile('/' + empty, new Uint8Array(0));
    if (params.has('unpaced')) module._vornUnpaced(1);
    if (params.has('hold')) module._vornHoldAt(Number(params.get('hold')));
    if (pendingHold !== null) module._vornHoldAt(pendingHold);
  }

  const state = { program, ready: false, ended: null, errors };
  let pendingHold = null; // a hold asked for before the program was ready
  window.vorn = state;

  const Module = {
    canvas,
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
    onExit: (code) => {
      state.ended = code;
      if (code === 0) say('The demo has ended.');
      else say(errors.concat('The demo could not start (exit status ' + code + ').').join('\n'), true);
    },
  };
  window.Module = Module;

  state.frame = () => (state.ready ? Module._vornShownFrame() : -1);
  state.holdAt = (frame) => {
    if (state.ready) Module._vornHoldAt(frame);
    else pendingHold = frame;
  };
  state.medianStepMs = () => (state.ready ? Module._vornMedianStepMs() : 0);

  const script = document.createElement('script');
  script.src = program + '.js';
  script.onerror = () => say('Cannot load ' + program + '.js: serve this folder over HTTP.', true);
  document.body.appendChild(script);
})();
