#pragma once

#include "Catalogue.h"

#include <QChar>
#include <QString>

#include <array>

// The course as the shell keeps it for the whole run: the four catalogues (read once at
// start-up, read-only afterwards) and the few settings beside them.
struct CourseState {
    std::array<Catalogue, 4> catalogues; // modes A to D
    QString DataFolder = QStringLiteral("____Data\\");
    QChar AnonMode = u'D';
    QChar ShownCatalogue; // null until the first user switch
    bool TreeReady = false;

    // The catalogue of a mode letter; nullptr for a letter outside A to D.
    const Catalogue *catalogue(QChar letter) const;
    // N of that catalogue; 0 for a letter outside A to D.
    int count(QChar letter) const;
    // The entry of a lesson-tree node (absolute pre-order index) in the shown catalogue;
    // nullptr when there is none.
    const CatalogueEntry *entryOfNode(int absoluteIndex) const;
};

// The catalogue file of a mode: "InitRegA.txt" to "InitRegD.txt".
QString catalogueFileName(QChar letter);

// Reads the four catalogue files of the working directory, A to D. On a missing,
// unreadable or malformed file it throws CourseError with the file and line, and the
// state keeps no catalogue at all.
void loadCatalogues(CourseState &state);

// The path to open for a course file of the catalogue: the name itself when something
// of that name exists, else the data folder in front of it (cut to 255 characters).
QString resolveCourseFile(const CourseState &state, const QString &name);
