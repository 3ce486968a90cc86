#pragma once

#include "CheckContext.h"

#include "course/Catalogue.h"
#include "course/CourseState.h"

#include <QString>

// Checks what the program opens for one catalogue entry: the description the main window
// shows when its node is selected, and the course files its exercise kind reads, after
// the name resolution the dispatcher applies. A file that is missing or cannot be read is
// reported at every entry that names it; what is wrong inside a file is reported at the
// file, once however many entries name it.
class EntryCheck {
public:
    EntryCheck(CheckContext &context, const CourseState &state);

    void check(const QString &catalogue, int line, const CatalogueEntry &entry);

private:
    void checkDescription(const NamedAt &at, const CatalogueEntry &entry);
    // The resolved name of a course file, or empty when the name is empty or the file is
    // missing; a missing file is reported, and so is an empty name when `required`.
    QString courseFile(const NamedAt &at, const QString &role, const QString &name, bool required);

    CheckContext &context_;
    const CourseState &state_;
};
