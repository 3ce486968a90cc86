#include "FullDuplexCheck.h"

#include "SoundDevice.h"

namespace {

// A device is closed only when its last command succeeded.
void closeIfSound(SoundDevice &device)
{
    if (device.DeviceError() == 0)
        device.Close();
}

} // namespace

bool runFullDuplexCheck(SoundDevice &player, SoundDevice &recorder, const std::function<void()> &showWarning)
{
    player.Open();
    try {
        recorder.Open();
    } catch (...) {
        // The error goes on to the caller; the half-done check holds no device open.
        player.Close();
        throw;
    }
    if (player.DeviceError() != 0 || recorder.DeviceError() != 0) {
        showWarning();
        player.Stop();
        recorder.Stop();
        closeIfSound(player);
        closeIfSound(recorder);
        return false;
    }

    player.Play();
    recorder.Record();
    const SoundMode playing = player.Mode();
    const SoundMode recording = recorder.Mode();
    if (playing == SoundMode::Playing && recording == SoundMode::Recording) {
        player.Stop();
        recorder.Stop();
        closeIfSound(player);
        closeIfSound(recorder);
        return true;
    }

    player.Stop();
    recorder.Stop();
    showWarning();
    closeIfSound(player);
    closeIfSound(recorder);
    return false;
}
