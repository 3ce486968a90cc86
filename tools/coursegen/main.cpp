// vestoria-coursegen SOURCE_DIR OUTPUT_DIR [--font FILE] [--fixed DIR] [--speech-cache DIR]
// Builds the sample course folder (catalogues, data folder, lesson files with their
// spoken sounds, pictures, course font, fixed sounds) from the UTF-8 sources in
// SOURCE_DIR. See course/README.md for the source format.

#include "CourseBuilder.h"
#include "SourceError.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

bool parseArguments(const QStringList &args, CourseBuildOptions &options)
{
    QStringList positional;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg.startsWith(QLatin1String("--"))) {
            if (i + 1 >= args.size())
                return false;
            const QString value = args.at(++i);
            if (arg == QLatin1String("--font"))
                options.fontFile = value;
            else if (arg == QLatin1String("--fixed"))
                options.fixedFilesDir = value;
            else if (arg == QLatin1String("--speech-cache"))
                options.speechCacheDir = value;
            else
                return false;
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2)
        return false;
    options.sourceDir = positional.at(0);
    options.outputDir = positional.at(1);
    if (options.speechCacheDir.isEmpty())
        options.speechCacheDir = options.outputDir + QStringLiteral(".speech");
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Pictures are drawn without a display, so the course builds on machines without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    CourseBuildOptions options;
    if (!parseArguments(QCoreApplication::arguments(), options)) {
        std::fputs("usage: vestoria-coursegen SOURCE_DIR OUTPUT_DIR [--font FILE] [--fixed DIR] [--speech-cache DIR]\n",
                   stderr);
        return 2;
    }

    try {
        const CourseSummary summary = buildCourse(options);
        std::printf("vestoria-coursegen: %d catalogue entries, %d lessons, %d data files, %d pictures, "
                    "%d clips spoken; %d files updated, %d removed\n",
                    summary.catalogueEntries, summary.lessons, summary.dataFiles, summary.pictures, summary.clipsMade,
                    summary.changedFiles, summary.removedFiles);
        return 0;
    } catch (const SourceError &error) {
        std::fprintf(stderr, "vestoria-coursegen: %s\n", error.what());
        return 1;
    }
}
