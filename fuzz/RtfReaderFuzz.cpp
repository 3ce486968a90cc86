#include "core/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

// Description files come from the course folder and may be damaged: whatever the
// bytes, reading them must end without a crash, a hang or unbounded memory.

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts and image plug-ins need it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    readRichOrPlainText(bytes, document);
    // Both readers, whatever the opening: plain-text files may hold RTF fragments too.
    readRtf(bytes, document);
    (void)document.toPlainText();
    return 0;
}
