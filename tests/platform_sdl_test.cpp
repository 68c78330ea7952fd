// The SDL library that runs is the one the program was compiled against:
// either the classic SDL 1.2 or the compatibility layer over SDL 2, whose
// headers and libraries share names, so a build can compile against one and
// load the other.
#include <SDL.h>
#include <gtest/gtest.h>

TEST(SdlFlavour, LoadedLibraryIsTheOneCompiledAgainst) {
  SDL_version compiled;
  SDL_VERSION(&compiled);
  const SDL_version *linked = SDL_Linked_Version();
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(linked->major, compiled.major);
  EXPECT_EQ(linked->minor, compiled.minor);
  EXPECT_EQ(linked->patch, compiled.patch) << "compiled against SDL 1.2." << int{compiled.patch}
                                           << ", running 1.2." << int{linked->patch};
}
