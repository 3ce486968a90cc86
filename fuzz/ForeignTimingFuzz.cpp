// Feeds arbitrary bytes to the readers of other tools' timings (Audacity labels, SubRip,
// WebVTT, aeneas JSON): a file they cannot read is a CourseError, never a crash.
#include "authoring/TimingImport.h"
#include "core/CourseError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        parseForeignTimings(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), QStringLiteral("labels"));
    } catch (const CourseError &) {
    }
    return 0;
}
