// The test programs' one way to run the demo: a run for the length of a
// scope, through the demo's own life cycle.
#pragma once

#include "app/scene.h"
#include "app/vorn2112.h"

// A run of the demo for the length of a scope, off screen unless asked:
// started when made, ended (whatever was made released) when it goes.
class DemoRun {
 public:
  explicit DemoRun(Presentation where = Presentation::offScreen,
                   const ScenePhases &scene = vorn2112Scene)
      : started_(VORN2112Start(scene, where)) {}
  ~DemoRun() { VORN2112End(); }
  DemoRun(const DemoRun &) = delete;
  DemoRun &operator=(const DemoRun &) = delete;
  bool started() const { return started_; }

 private:
  bool started_;
};
