// Where the programs find their pictures: the working directory first, then
// the picture folder installed beside them; a picture in neither place is
// reported with both.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/pictures.h"
#include "app/vorn2112.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// Runs a test in a fresh empty working directory with a picture folder
// beside it, and goes back to the previous one afterwards.
class PicturePlaces : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(root_.empty());
    previous_ = fs::current_path();
    fs::create_directories(root_ / "here");
    fs::create_directories(root_ / "installed");
    fs::current_path(root_ / "here");
  }
  void TearDown() override {
    if (!previous_.empty()) fs::current_path(previous_);
  }
  static void touch(const fs::path &path) {
    std::ofstream(path, std::ios::binary) << "P5 1 1 255\n\x7F";
  }
  std::string installed() const { return (root_ / "installed").string(); }
  // Where VORN2112FindPictureIn finds `name` with the installed folder;
  // empty when it does not.
  std::string find(const char *name, const std::string &folder) const {
    char path[PATH_MAX];
    return VORN2112FindPictureIn(name, folder.c_str(), path, sizeof path) ? path : "";
  }

  ScratchFolder scratch_{"vorn-pictures"};
  const fs::path &root_ = scratch_.path();
  fs::path previous_;
};

TEST_F(PicturePlaces, WorkingDirectoryComesFirst) {
  touch("V.ppm");
  touch(root_ / "installed" / "V.ppm");
  EXPECT_EQ(find("V.ppm", installed()), "V.ppm");
}

TEST_F(PicturePlaces, InstalledFolderWhenTheWorkingDirectoryLacksIt) {
  touch(root_ / "installed" / "O.ppm");
  EXPECT_EQ(find("O.ppm", installed()), installed() + "/O.ppm");
}

TEST_F(PicturePlaces, LoadsTheCopyItFinds) {
  touch("N.ppm");
  Image *picture = VORN2112LoadPicture("N.ppm", demo.programName);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->pixels[0], 0x7F7F7Fu);
  IMGFree(&picture);
}

TEST_F(PicturePlaces, NeitherPlaceGivesNothing) {
  EXPECT_EQ(find("R.ppm", installed()), "");
  EXPECT_EQ(find("R.ppm", ""), "");
  EXPECT_EQ(find("", installed()), "");
  char path[PATH_MAX];
  EXPECT_FALSE(VORN2112FindPictureIn(nullptr, installed().c_str(), path, sizeof path));
  EXPECT_FALSE(VORN2112FindPictureIn("R.ppm", nullptr, path, sizeof path));
}

TEST_F(PicturePlaces, PathThatDoesNotFitCountsAsNotFound) {
  touch(root_ / "installed" / "O.ppm");
  char path[16];  // too short for the installed folder's path
  EXPECT_FALSE(VORN2112FindPictureIn("O.ppm", installed().c_str(), path, sizeof path));
  touch("V.ppm");
  EXPECT_TRUE(VORN2112FindPictureIn("V.ppm", installed().c_str(), path, sizeof path));
  EXPECT_STREQ(path, "V.ppm");
  EXPECT_FALSE(VORN2112FindPictureIn("V.ppm", installed().c_str(), path, 5));
}

TEST_F(PicturePlaces, MissingPictureIsReportedWithBothPlaces) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(VORN2112LoadPicture("nowhere.ppm", demo.programName), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(demo.programName) +
                ": cannot load 'nowhere.ppm': not in the working directory nor in " +
                std::string(VORN2112DataFolder()) + "\n");
}

TEST_F(PicturePlaces, UnreadablePictureIsReportedByItsPath) {
  std::ofstream("V.ppm", std::ios::binary) << "not a picture";
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();  // the image core's own report
  EXPECT_EQ(VORN2112LoadPicture("V.ppm", demo.programName), nullptr);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(demo.programName) + ": cannot load 'V.ppm': not a PNM picture\n");
}

// The test programs lie in the build's bin folder; the picture folder is
// found from there and written with "/" on every system ("C:/..." on
// Windows): share/games/vorn2112 beside bin as installed, or on Windows,
// where a release keeps its pictures beside the programs, bin itself.
TEST(PictureFolder, LiesBesideTheRunningProgram) {
  const std::string folder = VORN2112DataFolder();
  const std::string tail = onWindows ? "" : "/share/games/vorn2112";
  ASSERT_GT(folder.size(), tail.size());
  EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
  EXPECT_EQ(folder.find('\\'), std::string::npos) << folder;
  EXPECT_TRUE(fs::equivalent(
      folder.substr(0, folder.size() - tail.size()),
      onWindows ? fs::path(VORN_TEST_BIN_DIR) : fs::path(VORN_TEST_BIN_DIR).parent_path()))
      << folder;
}

}  // namespace
