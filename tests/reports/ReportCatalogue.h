#pragma once

#include "course/Catalogue.h"
#include "users/Progress.h"

#include <initializer_list>
#include <utility>

// A catalogue of entries of the given titles and kinds after the empty entry 0.
inline Catalogue catalogueOfKinds(std::initializer_list<std::pair<const char *, int>> entries)
{
    Catalogue catalogue(1);
    for (const auto &[title, kind] : entries) {
        CatalogueEntry entry;
        entry.setTitle(QString::fromUtf8(title));
        entry.ExerciseKind = quint8(kind);
        catalogue.append(entry);
    }
    return catalogue;
}

// A learner's progress in that catalogue with nothing done.
inline ProgressState progressFor(const Catalogue &catalogue)
{
    ProgressState progress;
    progress.EntryCount = int(catalogue.size() - 1);
    progress.Progress = QList<ProgressRecord>(catalogue.size());
    return progress;
}
