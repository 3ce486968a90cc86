// Feeds arbitrary bytes as a WAV file to the timing made from a recording: any sound that
// decodes gives spans in order within it, or none when it holds no speech.
#include "authoring/SpeechActivity.h"
#include "authoring/SyntagmAligner.h"
#include "sound/SoundResult.h"
#include "sound/WavFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SoundData sound;
    try {
        sound = decodeWav(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    } catch (const SoundFailure &) {
        return 0;
    }
    const SpeechActivity activity(sound);
    // Syntagm weights from the input's first bytes: one to five syntagms.
    std::vector<double> weights(1 + (size > 0 ? data[0] % 5 : 0));
    for (size_t i = 0; i < weights.size(); ++i)
        weights[i] = 1 + (i + 1 < size ? data[i + 1] % 8 : 0);
    const std::vector<Segment> spans = SyntagmAligner(activity).align(weights);
    for (size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].startMs < 0 || spans[i].endMs < spans[i].startMs || spans[i].endMs > activity.lengthMs() ||
            (i > 0 && spans[i].startMs < spans[i - 1].endMs))
            std::abort();
    }
    return 0;
}
