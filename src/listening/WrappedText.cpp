#include "WrappedText.h"

namespace {

// The words of a syntagm, each with the blank that follows it (the last one without).
QStringList wordsOf(const QString &syntagm)
{
    QStringList words;
    qsizetype start = 0;
    while (start < syntagm.size()) {
        const qsizetype blank = syntagm.indexOf(u' ', start);
        const qsizetype end = blank < 0 ? syntagm.size() : blank + 1;
        words.append(syntagm.sliced(start, end - start));
        start = end;
    }
    return words;
}

} // namespace

WrappedText WrappedText::wrap(const QStringList &syntagms, int wrapWidth, const Measure &measure)
{
    WrappedText text;
    int L = 1;
    const auto lineAt = [&text](int k) -> QString & {
        while (text.lines_.size() <= k)
            text.lines_.append(QString());
        return text.lines_[k];
    };
    lineAt(L);
    for (const QString &syntagm : syntagms) {
        if (syntagm.startsWith(u'#')) {
            L += 2; // one empty line between paragraphs
            lineAt(L);
            text.spans_.append(SyntagmSpan{});
            continue;
        }
        SyntagmSpan span;
        span.FirstLine = L;
        span.FirstColumn = int(lineAt(L).size());
        for (const QString &word : wordsOf(syntagm)) {
            QString &current = lineAt(L);
            // A word wider than the whole line stays on the line it starts, when that line is
            // still empty, rather than leaving an empty line behind it.
            if (!current.isEmpty() && measure(current + word) > wrapWidth) {
                ++L;
                lineAt(L) = word;
            } else {
                current += word;
            }
        }
        lineAt(L) += u' ';
        span.LastLine = L;
        span.LastColumn = int(lineAt(L).size());
        text.spans_.append(span);
    }
    text.lineTotal_ = L;
    return text;
}
