// Feeds arbitrary bytes to the RTF reader: a damaged document must show what could be read.
#include "core/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdlib>
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
    // Every paragraph of the text must come out as one paragraph of a document with all
    // its characters: the view maps positions between the two.
    for (const RichText &text : {readRichOrPlainText(bytes), readRtf(bytes)}) {
        QTextDocument document;
        text.writeParagraphs(document, 0, text.paragraphCount() - 1);
        // The document counts a paragraph mark after the last paragraph too.
        if (document.characterCount() != text.plainLength() + 1)
            abort();
    }
    return 0;
}
