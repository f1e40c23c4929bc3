// What the shared sound layer asks of a back end: one output device that pulls the mix, and the
// lock that keeps the game thread's changes apart from the device's pulls. The SDL back end opens
// a real device whose callback runs on its own thread; the headless back end renders on request.
#pragma once

namespace AudioBackend {

// Opens the device (44100 Hz, 16-bit stereo); from then on it pulls AudioMixer::Mix. False when
// there is no device to be had.
bool OpenDevice();
void CloseDevice();
// Held around every change to what the mixer reads. Never taken by the mixer itself.
void LockDevice();
void UnlockDevice();

}  // namespace AudioBackend
