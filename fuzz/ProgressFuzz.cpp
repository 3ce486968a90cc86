// Feeds arbitrary bytes to the progress file reader, with an entry count taken from the
// input: records are read only from whole records of the file.
#include "users/Progress.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int count = data[0];
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    QList<ProgressRecord> records;
    const bool progressFile = progressFromBytes(bytes, count, records);
    if (records.size() != count + 1)
        __builtin_trap();
    for (const ProgressRecord &record : records) {
        if (record.SoundFile().size() > ProgressRecord::MaxSoundFile || (!progressFile && record.Done()))
            __builtin_trap();
        (void)record.Score();
    }
    return 0;
}
