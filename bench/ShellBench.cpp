// Start-up and node switching costs: four catalogues of 20,000 lines loaded and one of
// them built into the lesson tree; a 50 KB RTF description read into a document.
#include "core/RtfReader.h"
#include "course/CourseState.h"
#include "course/LessonTree.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int LinesPerCatalogue = 20000;

// Lessons of 1 heading and 9 exercises each under one course root, in pre-order.
QByteArray largeCatalogue()
{
    QByteArray bytes = "\xca\xf3\xf0\xf1\t0\t0\t0\tcourse.txt\t0\t\t\t\t\t\r\n";
    int lesson = 0;
    for (int k = 2; k <= LinesPerCatalogue; ++k) {
        if ((k - 2) % 10 == 0) {
            lesson = k;
            bytes += "\xd3\xf0\xee\xea " + QByteArray::number(k) + "\t1\t1\t1\tlesson.jpg\t0\t\t\t\t\t\r\n";
        } else {
            bytes += "\xd3\xef\xf0\xe0\xe6\xed\xe5\xed\xe8\xe5 " + QByteArray::number(k) + "\t1\t" +
                     QByteArray::number(lesson) +
                     "\t0\tex.rtf\t2\tlesson\\words.txt\tlesson\\trans.txt\tlesson\\words.wav\tlesson\\words.seg\t\r\n";
        }
    }
    return bytes;
}

class CourseFolder {
public:
    CourseFolder() : previous_(QDir::currentPath())
    {
        QDir::setCurrent(dir_.path());
        const QByteArray bytes = largeCatalogue();
        for (const char *name : {"InitRegA.txt", "InitRegB.txt", "InitRegC.txt", "InitRegD.txt"}) {
            QFile file(name);
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        }
    }
    ~CourseFolder() { QDir::setCurrent(previous_); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

void LoadFourCataloguesAndBuildTree(benchmark::State &state)
{
    CourseFolder folder;
    QTreeWidget tree;
    for (auto _ : state) {
        CourseState course;
        loadCatalogues(course);
        fillLessonTree(tree, course, u'D', nullptr);
        benchmark::DoNotOptimize(tree.topLevelItemCount());
    }
}
BENCHMARK(LoadFourCataloguesAndBuildTree)->Unit(benchmark::kMillisecond);

QByteArray largeRtf()
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}"
                     "{\\f1\\froman\\fcharset0 Times New Roman;}}{\\colortbl;\\red0\\green0\\blue128;"
                     "\\red200\\green0\\blue0;}\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    int paragraph = 0;
    while (rtf.size() < 50 * 1024) {
        ++paragraph;
        rtf += "\\pard\\li" + QByteArray::number(paragraph % 4 * 200) + (paragraph % 3 == 0 ? "\\qc" : "\\qj") +
               "{\\b\\cf1 \\'d3\\'f0\\'ee\\'ea " + QByteArray::number(paragraph) +
               "}\\tab In this lesson you will {\\i learn} new words: \\'f1\\'eb\\'ee\\'e2\\'e0, "
               "{\\ul phrases} and {\\cf2 \\u1044?\\u1072?} expressions.\\line Second line.\\par\r\n";
    }
    return rtf + "}";
}

void ReadFiftyKilobyteRtf(benchmark::State &state)
{
    const QByteArray rtf = largeRtf();
    for (auto _ : state) {
        QTextDocument document;
        readRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(ReadFiftyKilobyteRtf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
