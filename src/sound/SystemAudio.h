#pragma once

class AudioBackend;

// The program's sound: the SDL back end, started on first use and kept to the end of the
// run, when every window (and so every device) is gone.
AudioBackend &systemAudioBackend();
