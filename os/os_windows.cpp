// OS on Windows: paths are UTF-8 in the project and UTF-16 for the system,
// so every call that names a file converts; streams are opened in binary
// mode, as the C library would otherwise turn "\n" into "\r\n" on the way
// out and stop reading at the first 0x1A byte on the way in.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "os/os.h"

namespace {

// The path in UTF-16; false, errno set, when it is no UTF-8 text.
bool wide(const char *path, std::wstring &out) {
  if (path == nullptr) {
    errno = EINVAL;
    return false;
  }
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
  if (n <= 0) {
    errno = EINVAL;
    return false;
  }
  out.assign(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, out.data(), n);
  out.resize(static_cast<size_t>(n) - 1);
  return true;
}

bool statOf(const char *path, struct _stat64 &status) {
  std::wstring name;
  return wide(path, name) && _wstat64(name.c_str(), &status) == 0;
}

}  // namespace

std::FILE *OSOpenFile(const char *path, const char *mode) {
  std::wstring name;
  if (mode == nullptr || !wide(path, name)) {
    errno = EINVAL;
    return nullptr;
  }
  const wchar_t *binary = mode[0] == 'r' ? L"rb" : mode[0] == 'w' ? L"wb" : L"ab";
  return _wfopen(name.c_str(), binary);
}

// Windows keeps no FIFOs among its files; a device name ("NUL", "CON") is
// no regular file and is refused like a folder.
std::FILE *OSOpenRegularFile(const char *path, const char **reason) {
  if (path == nullptr) {
    *reason = "no file name";
    return nullptr;
  }
  struct _stat64 status;
  if (!statOf(path, status)) {
    *reason = std::strerror(errno);
    return nullptr;
  }
  if ((status.st_mode & _S_IFMT) == _S_IFDIR) {
    *reason = "a folder, not a picture";
    return nullptr;
  }
  if ((status.st_mode & _S_IFMT) != _S_IFREG) {
    *reason = "not a regular file";
    return nullptr;
  }
  std::FILE *file = OSOpenFile(path, "r");
  if (file == nullptr) *reason = errno == ENOMEM ? "out of memory" : std::strerror(errno);
  return file;
}

bool OSExists(const char *path) {
  struct _stat64 status;
  return statOf(path, status);
}

bool OSMakeFolder(const char *path) {
  std::wstring name;
  if (!wide(path, name)) return false;
  if (_wmkdir(name.c_str()) == 0) return true;
  int error = errno;
  struct _stat64 status;
  if (error == EEXIST && _wstat64(name.c_str(), &status) == 0 &&
      (status.st_mode & _S_IFMT) == _S_IFDIR)
    return true;
  errno = error;
  return false;
}

bool OSSetVariable(const char *name, const char *value, bool replace) {
  if (name == nullptr || value == nullptr) return false;
  if (!replace && std::getenv(name) != nullptr) return true;
  return _putenv_s(name, value) == 0;
}

// An empty value removes the variable.
bool OSUnsetVariable(const char *name) { return name != nullptr && _putenv_s(name, "") == 0; }

bool OSProgramFolder(char *folder, size_t size) {
  if (folder == nullptr || size < 4) return false;
  std::wstring program(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
  if (n == 0 || n >= program.size()) return false;
  int bytes = WideCharToMultiByte(CP_UTF8, 0, program.data(), static_cast<int>(n), folder,
                                  static_cast<int>(size - 1), nullptr, nullptr);
  if (bytes <= 0) return false;
  folder[bytes] = '\0';
  for (char *c = folder; *c != '\0'; ++c)
    if (*c == '\\') *c = '/';
  char *last = std::strrchr(folder, '/');
  if (last == nullptr) return false;
  // "C:/demo.exe" lies in the root "C:/", which keeps its slash.
  last[last == folder + 2 && folder[1] == ':' ? 1 : 0] = '\0';
  return true;
}

// A wide text in UTF-8 (a lone surrogate becomes U+FFFD).
static std::string utf8(const wchar_t *text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n) - 1);
  return out;
}

// The console's own output code page, put back when the program ends.
static UINT consoleCodePage = 0;
static void restoreConsole() { SetConsoleOutputCP(consoleCodePage); }

void OSArguments(int *argc, char ***argv) {
  static std::vector<std::string> texts;
  static std::vector<char *> pointers;
  int count = 0;
  wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr && count > 0) {
    texts.clear();
    for (int i = 0; i < count; ++i) texts.push_back(utf8(wide[i]));
    pointers.clear();
    for (std::string &text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    *argc = count;
    *argv = pointers.data();
  }
  if (wide != nullptr) LocalFree(wide);
  // The messages are UTF-8 (they name files as given); a console shows them
  // in its output code page.
  UINT codePage = GetConsoleOutputCP();
  if (codePage != 0 && codePage != CP_UTF8 && consoleCodePage == 0 && SetConsoleOutputCP(CP_UTF8)) {
    consoleCodePage = codePage;
    std::atexit(restoreConsole);
  }
}

bool OSIsTerminal(std::FILE *stream) { return stream != nullptr && _isatty(_fileno(stream)) != 0; }

void OSIgnoreBrokenPipe() {}

std::FILE *OSTakeStandardOutput() {
  std::fflush(stdout);
  int data = _dup(_fileno(stdout));
  if (data < 0) return nullptr;
  if (_dup2(_fileno(stderr), _fileno(stdout)) != 0) {
    _close(data);
    return nullptr;
  }
  _setmode(data, _O_BINARY);
  std::FILE *stream = _fdopen(data, "wb");
  if (stream == nullptr) _close(data);
  return stream;
}
