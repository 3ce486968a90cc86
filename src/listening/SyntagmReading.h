#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// A text cut into syntagms as a screen reader reads it: running syntagms follow each other,
// a space apart; a "#" item stands on a line of its own (a heading as its text, a picture as
// its file name, an empty line as nothing). Each item knows where it lies in the whole.
class SyntagmReading {
public:
    SyntagmReading() = default;
    explicit SyntagmReading(const QStringList &items);

    const QString &text() const { return text_; }
    // Start and end (exclusive) of item `index` in text(); nothing for no such item.
    std::pair<int, int> span(int index) const;

private:
    QString text_;
    QList<std::pair<int, int>> spans_;
};
