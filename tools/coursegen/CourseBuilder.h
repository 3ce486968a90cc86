#pragma once

#include <QString>

struct CourseSummary {
    int catalogueEntries = 0;
    int dataFiles = 0;
    int pictures = 0;
    int changedFiles = 0;
    int removedFiles = 0;
    int missingCourseFiles = 0; // named by exercises, not written yet
};

// Builds the course folder from the course sources:
//   catalogues/InitRegA.tsv .. InitRegD.tsv -> InitRegA.txt .. InitRegD.txt
//   data/...                                -> ____Data/...  (texts to cp1251, CR LF)
//   pictures.tsv                            -> the pictures it lists, in ____Data/...
//   fontFile (optional)                     -> NFREESET.TTF, also the pictures' type face
// and an empty Report folder. Fails with SourceError on the first fault.
CourseSummary buildCourse(const QString &sourceDir, const QString &outputDir, const QString &fontFile);
