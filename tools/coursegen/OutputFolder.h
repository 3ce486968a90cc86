#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

// The course folder being built. A file is rewritten only when its bytes change, so
// unchanged outputs keep their times and a rebuild touches nothing it need not.
// The folder is also the program's working directory, where the program keeps its
// users and recordings; the generator therefore removes only files it wrote itself
// on an earlier run (listed in a manifest) and no longer writes.
class OutputFolder {
public:
    explicit OutputFolder(const QString &root);

    // Writes the file at the relative path ('/'), making its folders.
    void write(const QString &relativePath, const QByteArray &bytes);
    // Makes the folder; it is not recorded, so it is never removed.
    void makeFolder(const QString &relativePath);

    int changedCount() const { return changed_; }
    int removedCount() const { return removed_; }

    // Removes what earlier runs wrote and this one did not, and records this run's files.
    void finish();

private:
    QString absolute(const QString &relativePath) const;
    bool writeIfChanged(const QString &relativePath, const QByteArray &bytes);

    QString root_;
    QSet<QString> written_;
    int changed_ = 0;
    int removed_ = 0;
};
