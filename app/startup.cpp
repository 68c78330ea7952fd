// The process entry point: starts SDL, runs the demo, shuts SDL down. The
// video subsystem starts later, with the first video mode.
#include <csignal>

#include "app/scene.h"
#include "app/vorn2112.h"
#include "os/os.h"
#include "platform/entry.h"
#include "platform/system.h"

// SDL turns Ctrl+C and SIGTERM into a quit event, which the demo ignores like
// the window's close button, but only while those signals have their default
// handling. This handler, in place before SDL starts, keeps SDL's hands off
// them and ends the process as the default handling would.
static void endOnSignal(int signal) {
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

int main(int, char *[]) {  // arguments are accepted and ignored
  std::signal(SIGINT, endOnSignal);
  std::signal(SIGTERM, endOnSignal);
  // Messages on a standard output that nobody reads any more (a pipe whose
  // reader has gone) are lost; the run goes on and keeps its exit status.
  OSIgnoreBrokenPipe();
  if (!SDLSYSStart(demo.programName)) return 1;
  int status = VORN2112Main(vorn2112Scene);
  SDLSYSQuit();
  return status;
}
