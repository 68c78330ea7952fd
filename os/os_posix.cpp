// OS on POSIX systems (Linux, and the browser's emulation of one).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "os/os.h"

std::FILE *OSOpenFile(const char *path, const char *mode) {
  if (path == nullptr || mode == nullptr) {
    errno = EINVAL;
    return nullptr;
  }
  // POSIX streams have no text mode: "r" already reads the bytes as they are.
  return std::fopen(path, mode);
}

// A device may never end and a FIFO may block forever, in the open itself
// while it has no writer: O_NONBLOCK keeps the open from waiting, and only a
// regular file is read, with O_NONBLOCK cleared again.
std::FILE *OSOpenRegularFile(const char *path, const char **reason) {
  const char *why = nullptr;
  int descriptor = path != nullptr ? open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
  if (descriptor < 0) {
    *reason = path != nullptr ? std::strerror(errno) : "no file name";
    return nullptr;
  }
  struct stat status;
  if (fstat(descriptor, &status) != 0 ||
      fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0)
    why = std::strerror(errno);
  else if (S_ISDIR(status.st_mode))
    why = "a folder, not a picture";
  else if (!S_ISREG(status.st_mode))
    why = "not a regular file";
  std::FILE *file = why == nullptr ? fdopen(descriptor, "rb") : nullptr;
  if (file == nullptr) {
    if (why == nullptr) why = errno == ENOMEM ? "out of memory" : std::strerror(errno);
    *reason = why;
    close(descriptor);
  }
  return file;
}

bool OSExists(const char *path) {
  struct stat status;
  return path != nullptr && stat(path, &status) == 0;
}

bool OSMakeFolder(const char *path) {
  if (path == nullptr) {
    errno = EINVAL;
    return false;
  }
  if (mkdir(path, 0777) == 0) return true;
  struct stat status;
  int error = errno;
  if (error == EEXIST && stat(path, &status) == 0 && S_ISDIR(status.st_mode)) return true;
  errno = error;
  return false;
}

bool OSSetVariable(const char *name, const char *value, bool replace) {
  return name != nullptr && value != nullptr && setenv(name, value, replace ? 1 : 0) == 0;
}

bool OSUnsetVariable(const char *name) { return name != nullptr && unsetenv(name) == 0; }

bool OSProgramFolder(char *folder, size_t size) {
  if (folder == nullptr || size < 2) return false;
  ssize_t n = readlink("/proc/self/exe", folder, size - 1);
  if (n <= 0 || static_cast<size_t>(n) >= size - 1 || folder[0] != '/') return false;
  folder[n] = '\0';
  char *last = std::strrchr(folder, '/');
  last[last == folder ? 1 : 0] = '\0';  // the program's folder; the root keeps its slash
  return true;
}

void OSArguments(int *, char ***) {}

bool OSIsTerminal(std::FILE *stream) { return stream != nullptr && isatty(fileno(stream)) == 1; }

void OSIgnoreBrokenPipe() { std::signal(SIGPIPE, SIG_IGN); }

std::FILE *OSTakeStandardOutput() {
  std::fflush(stdout);
  int data = dup(STDOUT_FILENO);
  if (data < 0) return nullptr;
  if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
    close(data);
    return nullptr;
  }
  std::FILE *stream = fdopen(data, "wb");
  if (stream == nullptr) close(data);
  return stream;
}
