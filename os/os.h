// OS: the few services of the operating system that POSIX systems and
// Windows offer differently, so that every other file of the project calls
// only the standard library and these. It sits beneath every module (the
// image core reads its pictures through it) and needs nothing of SDL.
//
// The build compiles one implementation: os_posix.cpp (Linux and the other
// POSIX systems, and the browser's emulation of one) or os_windows.cpp,
// and beside it os_folder.cpp, which is the same on every system.
//
// Paths are UTF-8 on every system; both "/" and "\" separate folders on
// Windows. Every file is opened in binary mode: what is read is the file's
// bytes, what is written reaches the file unchanged. Nothing here prints;
// a failure shows as a null or false result with errno set (or a reason,
// where the function gives one).
#pragma once

#include <cstddef>
#include <cstdio>

// Opens a file in binary mode: `mode` is "r" to read, "w" to write (made or
// emptied), "a" to append. Null, errno set, when it cannot.
std::FILE *OSOpenFile(const char *path, const char *mode);

// Opens a regular file for reading in binary mode, without ever waiting on
// it (a FIFO without a writer, a device): anything but a regular file is
// refused. Null, with `*reason` pointing at a short static text ("a folder,
// not a picture", "not a regular file", or the system's reason), when it
// cannot.
std::FILE *OSOpenRegularFile(const char *path, const char **reason);

bool OSExists(const char *path);  // true when anything is there (file, folder, ...)
// Makes a folder, or finds one there already. False, errno set, otherwise.
bool OSMakeFolder(const char *path);

// The environment of the process: sets `name` to `value` unless it is set
// already (and `replace` is false); removes it.
bool OSSetVariable(const char *name, const char *value, bool replace);
bool OSUnsetVariable(const char *name);

// Writes the absolute path of the folder that holds the running program
// into `folder` (`size` bytes), with "/" separating its parts on every
// system and no trailing one but a root's ("/", "C:/"). False where the
// program cannot learn where it is or the path does not fit.
bool OSProgramFolder(char *folder, size_t size);
// The folder `relative` to the program's folder (".." and "." taken as they
// come, "/" or "\" between parts), written as OSProgramFolder writes it;
// `fixed` where the program cannot learn where it is or the path does not
// fit in PATH_MAX bytes. Static storage until the next call.
const char *OSInstalledFolder(const char *relative, const char *fixed);

// The program's arguments in UTF-8, whatever the system's code page: main
// calls it first thing. On Windows, whose C run-time hands main the command
// line in the ANSI code page (where a letter outside it is lost), the
// command line is read again as the system keeps it, in UTF-16, and
// converted; *argv then points at storage kept until the process ends, and
// a console the program writes to shows UTF-8 until it ends. Elsewhere the
// arguments are the bytes given and stay as they are.
void OSArguments(int *argc, char ***argv);

// Standard streams.
bool OSIsTerminal(std::FILE *stream);  // true for a console or terminal
// A write to a pipe whose reader has gone fails with an error (EPIPE)
// instead of ending the process (POSIX's SIGPIPE); Windows always does so.
void OSIgnoreBrokenPipe();
// Takes standard output for binary data of the caller's own: returns a
// stream, in binary mode, on what was standard output, and points the
// standard output of the process (file descriptor and stdout) at standard
// error, so that messages printed there cannot mix into the data. Null,
// errno set, when it cannot.
std::FILE *OSTakeStandardOutput();
