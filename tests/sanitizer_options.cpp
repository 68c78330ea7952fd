// The sanitizers' defaults for the test programs, built in so that they hold
// however a test is started: leaks are reported, and those that SDL itself
// keeps past SDL_Quit (SDL 2 under the SDL 1.2 compatibility layer holds a
// few blocks of its own) are not taken for ours.
extern "C" const char *__asan_default_options() { return "detect_leaks=1"; }

extern "C" const char *__lsan_default_suppressions() {
  return "leak:libSDL2-2.0.so\n"
         "leak:libSDL-1.2.so\n";
}
