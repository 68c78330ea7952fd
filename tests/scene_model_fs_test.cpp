// The full-screen scene against the independent model, frame by frame, until
// the message has gone round once (1860 characters x 8 frames).
#include "scene_model.h"
#include "tests/support.h"

TEST(SceneModelFullScreen, FramesMatchTheModel) {
  std::vector<int> frames;
  for (int f = 0; f < 40; ++f) frames.push_back(f);
  for (int f = 97; f <= 2000; f += 97) frames.push_back(f);
  frames.push_back(14879);
  frames.push_back(14880);
  model::expectSceneMatchesModel(frames.back(), frames);
}
