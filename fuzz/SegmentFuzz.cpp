// Feeds arbitrary bytes to the segment file reader: what it read before a bad line is
// kept, and a bad line is a CourseError, never a crash.
#include "FuzzFile.h"

#include "core/CourseError.h"
#include "core/SegmentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = writeFuzzFile("segments.txt", data, size);
    QList<Segment> segments;
    try {
        readSegmentFile(file, segments);
    } catch (const CourseError &) {
    }
    return 0;
}
