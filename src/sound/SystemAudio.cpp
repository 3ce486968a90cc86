#include "SystemAudio.h"

#include "SdlAudioBackend.h"

AudioBackend &systemAudioBackend()
{
    static SdlAudioBackend audio;
    return audio;
}
