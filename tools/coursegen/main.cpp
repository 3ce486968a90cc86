// vestoria-coursegen SOURCE_DIR OUTPUT_DIR [FONT_FILE]
// Builds the sample course folder (catalogues, data folder, pictures, course font)
// from the UTF-8 sources in SOURCE_DIR. See course/README.md for the source format.

#include "CourseBuilder.h"
#include "SourceError.h"

#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Pictures are drawn without a display, so the course builds on machines without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fputs("usage: vestoria-coursegen SOURCE_DIR OUTPUT_DIR [FONT_FILE]\n", stderr);
        return 2;
    }

    try {
        const CourseSummary summary = buildCourse(args.at(1), args.at(2), args.value(3));
        std::printf("vestoria-coursegen: %d catalogue entries, %d data files, %d pictures; "
                    "%d files updated, %d removed; %d course files named by exercises not written yet\n",
                    summary.catalogueEntries, summary.dataFiles, summary.pictures, summary.changedFiles,
                    summary.removedFiles, summary.missingCourseFiles);
        return 0;
    } catch (const SourceError &error) {
        std::fprintf(stderr, "vestoria-coursegen: %s\n", error.what());
        return 1;
    }
}
