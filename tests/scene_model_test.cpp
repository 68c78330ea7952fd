// The windowed scene against the independent model, frame by frame.
#include "scene_model.h"

#include "tests/support.h"

TEST(SceneModel, FramesMatchTheModel) {
  std::vector<int> frames;
  for (int f = 0; f < 40; ++f) frames.push_back(f);
  for (int f = 97; f <= 1200; f += 97) frames.push_back(f);
  model::expectSceneMatchesModel(frames.back(), frames);
}
