#include "HelpSource.h"

#include "SourceText.h"

#include <QRegularExpression>

int HelpTopic::wordCount() const
{
    static const QRegularExpression word(QStringLiteral("[\\w]+"), QRegularExpression::UseUnicodePropertiesOption);
    int count = 0;
    for (auto it = word.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

const HelpTopic *HelpSource::topic(const QString &name) const
{
    for (const HelpTopic &t : topics) {
        if (t.names.contains(name))
            return &t;
    }
    return nullptr;
}

QString plainTextOfHtml(const QString &html)
{
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"), QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.remove(comment);
    text.replace(tag, QStringLiteral(" "));
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text.simplified();
}

QString plainTextOfRichText(const QString &rtf)
{
    static const QRegularExpression tables(QStringLiteral("\\{\\\\(fonttbl|colortbl)[^{}]*(\\{[^{}]*\\}[^{}]*)*\\}"));
    static const QRegularExpression paragraph(QStringLiteral("\\\\par\\b ?"));
    static const QRegularExpression dash(QStringLiteral("\\\\(endash|emdash)\\b ?"));
    static const QRegularExpression control(QStringLiteral("\\\\[a-z]+-?[0-9]* ?"));
    QString text = rtf;
    text.remove(tables);
    text.replace(paragraph, QStringLiteral("\n"));
    text.replace(dash, QStringLiteral("—"));
    text.remove(control);
    text.remove(QLatin1Char('{'));
    text.remove(QLatin1Char('}'));
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    }
    return lines.join(QLatin1Char('\n'));
}

HelpSource readHelpSource(const QString &path)
{
    HelpSource help;
    help.file = path;
    const QString html = readUtf8File(path);
    static const QRegularExpression heading(QStringLiteral("<h2>(.*?)</h2>"), QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression anchor(QStringLiteral("<a name=\"([^\"]+)\">"));
    static const QRegularExpression link(QStringLiteral("<a href=\"#([^\"]+)\">(.*?)</a>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression back(QStringLiteral("<p class=\"back\">.*?</p>"),
                                         QRegularExpression::DotMatchesEverythingOption);

    std::vector<QRegularExpressionMatch> headings;
    for (auto it = heading.globalMatch(html); it.hasNext();)
        headings.push_back(it.next());
    const qsizetype contentsEnd = headings.empty() ? html.size() : headings.front().capturedStart();
    for (auto it = link.globalMatch(QStringView(html).first(contentsEnd)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        help.contents.push_back({m.captured(1), plainTextOfHtml(m.captured(2))});
    }
    for (size_t i = 0; i < headings.size(); ++i) {
        const QRegularExpressionMatch &h = headings[i];
        const qsizetype end = i + 1 < headings.size() ? headings[i + 1].capturedStart() : html.indexOf(QStringLiteral("</body>"));
        HelpTopic topic;
        for (auto it = anchor.globalMatch(h.captured(1)); it.hasNext();)
            topic.names << it.next().captured(1);
        topic.heading = plainTextOfHtml(h.captured(1));
        QString body = html.mid(h.capturedEnd(), (end < 0 ? html.size() : end) - h.capturedEnd());
        body.remove(back);
        topic.text = plainTextOfHtml(body);
        topic.line = int(QStringView(html).first(h.capturedStart()).count(QLatin1Char('\n'))) + 1;
        help.topics.push_back(topic);
    }
    return help;
}
