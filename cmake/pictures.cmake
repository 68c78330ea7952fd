# The demo's eight pictures and font, painted by tools/ into build/bin: the
# one list the painter, the browser's preloads, the installation and the
# packages read.
set(VORN_PICTURES font8x8.pbm V.ppm O.ppm R.ppm N.ppm vorn-fernmoor.ppm vorn-2008.ppm
  vorn-rainbow.ppm)
