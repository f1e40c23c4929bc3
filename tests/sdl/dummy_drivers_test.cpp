// The SDL tests run without a display or a sound card: SDL's dummy drivers, unless the caller has
// chosen others. Set before any test starts SDL.
#include <cstdlib>

namespace {

const bool DummyDrivers = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return true;
}();

}  // namespace
