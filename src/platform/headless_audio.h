// Controls of the headless back end's audio, for the tests: the mix is rendered into memory on
// request, so a test hears exactly what was played; the device can be made to be missing.
#pragma once

#include <cstdint>
#include <vector>

namespace HeadlessAudio {

// A device is there again, the module library is back before AInitialize.
void Reset();
// With false, opening the output device fails, as it does on a machine without sound.
void SetDeviceAvailable(bool available);
bool DeviceOpen();
// The next frames of the mix, interleaved stereo (2 x frames samples); silence while no device
// is open.
std::vector<int16_t> Render(int frames);
// How often the game thread took the device lock.
int LockCount();

}  // namespace HeadlessAudio
