// stb_image_write's implementation, compiled here once for tools/png.cpp.
// It is the library's own code: held to its own warnings as a system header,
// and outside the project's clang-tidy, like every other library's.
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
