// Feeds arbitrary bytes to the RTF reader: a damaged document must show what could be read.
#include "core/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "rtf_fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    readRichOrPlainText(bytes, document);
    // The RTF reader proper, also on input that does not start like RTF.
    QTextDocument rich;
    readRtf(bytes, rich);
    return 0;
}
