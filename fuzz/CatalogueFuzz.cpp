// Feeds arbitrary bytes to the catalogue parser and the tree shape: any input must end in
// entries or a CourseError, never a crash or a read out of range.
#include "core/CourseError.h"
#include "course/Catalogue.h"
#include "course/LessonTreeShape.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const Catalogue catalogue = parseCatalogue(bytes, QStringLiteral("InitRegA.txt"));
        const std::vector<int> order = preOrder(lessonTreeParents(catalogue));
        if (order.size() + 1 != size_t(catalogue.size()))
            __builtin_trap();
    } catch (const CourseError &) {
    }
    return 0;
}
