#include "SyntagmReading.h"

SyntagmReading::SyntagmReading(const QStringList &items)
{
    spans_.reserve(items.size());
    bool lineOpen = false;
    for (const QString &item : items) {
        if (item.startsWith(u'#')) {
            if (lineOpen)
                text_ += u'\n';
            QString line = item.mid(1);
            if (line.startsWith(u'@'))
                line.remove(0, 1);
            const int start = int(text_.size());
            text_ += line.trimmed();
            spans_.append({start, int(text_.size())});
            text_ += u'\n';
            lineOpen = false;
            continue;
        }
        if (lineOpen)
            text_ += u' ';
        const int start = int(text_.size());
        text_ += item.trimmed();
        spans_.append({start, int(text_.size())});
        lineOpen = true;
    }
}

std::pair<int, int> SyntagmReading::span(int index) const
{
    if (index < 0 || index >= spans_.size())
        return {0, 0};
    return spans_[index];
}
