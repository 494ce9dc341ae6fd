#include "tests/render/RenderFixture.h"
