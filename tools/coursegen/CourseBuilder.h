#pragma once

#include <QString>

struct CourseBuildOptions {
    QString sourceDir;
    QString outputDir;
    QString fontFile;         // optional: becomes NFREESET.TTF and the pictures' type face
    QString fixedFilesDir;    // optional: files copied as they are into the course folder
    QString speechCacheDir;   // where spoken clips are kept between builds
};

struct CourseSummary {
    int catalogueEntries = 0;
    int lessons = 0;
    int dataFiles = 0;
    int pictures = 0;
    int clipsMade = 0;
    int changedFiles = 0;
    int removedFiles = 0;
};

// Builds the course folder from the course sources:
//   catalogues/InitRegA.tsv .. InitRegD.tsv -> InitRegA.txt .. InitRegD.txt
//   data/...                                -> ____Data/...  (texts to cp1251, CR LF)
//   lessons/<lesson>/...                    -> ____Data/<lesson>/... (texts, sounds, timing)
//   pictures.tsv                            -> the pictures it lists
//   help/...                                -> the course folder itself (LRX_HELP.HLP, pictures)
//   font file, fixed files                  -> the course folder itself
// and an empty Report folder. Fails with SourceError on the first fault, before
// anything is written when the fault is in the sources.
CourseSummary buildCourse(const CourseBuildOptions &options);
