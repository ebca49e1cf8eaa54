#include "softblit/demo/demo_state.h"

S_DemoState* demoState = nullptr;

S_DemoState::S_DemoState()
    : window(nullptr),
      display(nullptr),
      fonts(),
      surfaces(),
      images(),
      effectIndex(0),
      elapsedTime(0),
      effectStartTime(0),
      effectTime(0),
      spinAngle(1.0f),
      framesPerSecond(0),
      mousePosition(),
      blitPosition(),
      blit(),
      scrollText(),
      scrollWidth(0) {}
