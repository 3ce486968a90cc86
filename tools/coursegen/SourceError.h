#pragma once

#include <QString>

#include <stdexcept>

// Where a piece of course source was read: the file and, for line-based sources,
// the line (0 when the whole file is meant).
struct SourcePos {
    QString file;
    int line = 0;
};

// A fault in the course sources or in writing the course. The generator stops at the
// first one; faults in the sources stop it before it writes anything.
class SourceError : public std::runtime_error {
public:
    SourceError(const SourcePos &pos, const QString &message);
    explicit SourceError(const QString &message);
};
