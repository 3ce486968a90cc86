#include "ExerciseHelpCheck.h"

#include "SourceError.h"
#include "SourceText.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <map>

namespace {

constexpr int kMinTopicWords = 40;

// The help topic each kind's window opens (its help context or help key). The windows of
// kinds 4 and 8 open the contents (context 0): their topic is the one the contents link
// under the entry's title.
const std::map<int, QString> kKindTopics = {
    {1, QStringLiteral("80")},   {2, QStringLiteral("90")},   {3, QStringLiteral("100")},
    {4, QString()},              {5, QStringLiteral("130")},  {6, QStringLiteral("120")},
    {7, QStringLiteral("TrueFalse")}, {8, QString()},         {11, QStringLiteral("110")},
    {12, QStringLiteral("140")}, {13, QStringLiteral("150")}, {14, QStringLiteral("160")},
    {15, QStringLiteral("170")},
};
// Text work with the learner's recording to play back opens this topic instead.
const QString kOwnRecordingTopic = QStringLiteral("180");

bool isRecordingKind(int kind)
{
    return kind == 4 || (kind >= 12 && kind <= 15);
}

bool isListeningKind(int kind)
{
    return kind == 4 || kind == 8 || (kind >= 11 && kind <= 15);
}

// A thing a text promises the learner, and the offer that must back it.
struct Promise {
    const char *says;
    QRegularExpression pattern;
    bool ExerciseOffer::*offer;
    bool listeningOnly;
};

const std::vector<Promise> &promises()
{
    static const std::vector<Promise> list = {
        {"«Показывать текст»", QRegularExpression(QStringLiteral("«Показывать текст»")), &ExerciseOffer::textShown, true},
        {"«Показывать перевод»", QRegularExpression(QStringLiteral("«Показывать перевод»")),
         &ExerciseOffer::translationShown, true},
        {"«Подождать»", QRegularExpression(QStringLiteral("«Подождать»")), &ExerciseOffer::wait, true},
        {"a pause after each phrase", QRegularExpression(QStringLiteral("пауз\\w* после каждой фразы"),
                                                               QRegularExpression::CaseInsensitiveOption
                                                                   | QRegularExpression::UseUnicodePropertiesOption),
         &ExerciseOffer::pauses, true},
        {"the learner's recording", QRegularExpression(QStringLiteral("(?<!не )записыва")), &ExerciseOffer::records, true},
        {"«Перевод пользователя»", QRegularExpression(QStringLiteral("«Перевод пользователя»")),
         &ExerciseOffer::ownRecording, false},
    };
    return list;
}

QString describe(const ExerciseOffer &offer)
{
    QStringList parts;
    parts << (offer.records ? QStringLiteral("records") : QStringLiteral("does not record"));
    if (offer.textShown)
        parts << QStringLiteral("can show the text");
    if (offer.translationShown)
        parts << QStringLiteral("can show the translation");
    if (offer.wait)
        parts << QStringLiteral("has the wait button");
    parts << (offer.pauses ? QStringLiteral("pauses after each phrase") : QStringLiteral("no pauses to translate in"));
    return parts.join(QStringLiteral(", "));
}

// Checks what `text` promises against `offer`; `what` names the text in the message.
void checkPromises(const QString &text, int kind, const ExerciseOffer &offer, const SourcePos &pos, const QString &what)
{
    const bool listening = isListeningKind(kind);
    for (const Promise &promise : promises()) {
        if (promise.listeningOnly && !listening)
            continue;
        if (!promise.listeningOnly && kind != 5)
            continue;
        const bool says = promise.pattern.match(text).hasMatch();
        if (says != offer.*promise.offer)
            throw SourceError(pos, QStringLiteral("%1 %2 %3, but the window of kind %4 %5")
                                       .arg(what, says ? QStringLiteral("speaks of") : QStringLiteral("does not speak of"),
                                            QString::fromUtf8(promise.says))
                                       .arg(kind)
                                       .arg(says ? QStringLiteral("does not offer it") : QStringLiteral("offers it")));
    }
    if (listening && !offer.records && !text.contains(QStringLiteral("не записывается")))
        throw SourceError(pos, QStringLiteral("%1 must say that the voice is not recorded (\"не записывается\"): "
                                              "the window of kind %2 %3")
                                   .arg(what)
                                   .arg(kind)
                                   .arg(describe(offer)));
}

const HelpTopic &topicOfKind(const HelpSource &help, int kind, const CatalogueLine &line)
{
    QString name = kKindTopics.at(kind);
    if (name.isEmpty()) {
        for (const HelpLink &link : help.contents) {
            if (link.title == line.title)
                name = link.target;
        }
        if (name.isEmpty())
            throw SourceError({help.file}, QStringLiteral("the window of kind %1 opens the contents, which has no link "
                                                          "titled \"%2\"")
                                               .arg(kind)
                                               .arg(line.title));
    }
    const HelpTopic *topic = help.topic(name);
    if (!topic)
        throw SourceError({help.file}, QStringLiteral("no topic \"%1\" for the window of kind %2").arg(name).arg(kind));
    return *topic;
}

SourcePos posOf(const HelpSource &help, const HelpTopic &topic)
{
    return {help.file, topic.line};
}

} // namespace

ExerciseOffer offerOf(const CatalogueSource &catalogue, size_t index, QChar mode)
{
    const CatalogueLine &line = catalogue.lines.at(index);
    const int kind = line.exerciseKind;
    ExerciseOffer offer;
    offer.records = isRecordingKind(kind);
    // The dispatcher lets kinds 4 and 8 show the text in modes C and D only.
    offer.textShown = kind == 15 || ((kind == 4 || kind == 8) && (mode == u'C' || mode == u'D'));
    offer.translationShown = kind == 14;
    offer.wait = kind == 12;
    // The lesson builder makes the slow recording, with its pauses, under this name.
    offer.pauses = isListeningKind(kind) && QFileInfo(line.filePaths[2]).fileName() == QLatin1String("textslow.wav");
    if (kind == 5) {
        // Text work plays the recording of the nearest recording exercise above it, up to
        // the heading of its part of the lesson.
        for (size_t i = index; i-- > 0;) {
            const int above = catalogue.lines[i].exerciseKind;
            if (above == 0)
                break;
            if (isRecordingKind(above)) {
                offer.ownRecording = true;
                break;
            }
        }
    }
    return offer;
}

void checkExerciseHelp(const std::vector<ModeCatalogue> &catalogues, const HelpSource &help,
                       const std::function<QString(const CatalogueLine &)> &descriptionText)
{
    for (const HelpTopic &topic : help.topics) {
        if (topic.wordCount() < kMinTopicWords)
            throw SourceError(posOf(help, topic), QStringLiteral("the topic \"%1\" has %2 words; a topic needs at least %3 "
                                                                 "to help")
                                                      .arg(topic.heading)
                                                      .arg(topic.wordCount())
                                                      .arg(kMinTopicWords));
    }

    // One topic, one kind of window: the offers each topic serves.
    std::map<const HelpTopic *, std::pair<ExerciseOffer, QString>> served;
    auto serve = [&](const HelpTopic &topic, const ExerciseOffer &offer, const QString &where) {
        const auto [it, added] = served.try_emplace(&topic, offer, where);
        if (!added && !(it->second.first == offer))
            throw SourceError(posOf(help, topic), QStringLiteral("the topic \"%1\" serves %2 (%3) and %4 (%5), whose "
                                                                 "windows differ")
                                                      .arg(topic.heading, it->second.second, describe(it->second.first),
                                                           where, describe(offer)));
    };

    for (const ModeCatalogue &mode : catalogues) {
        const CatalogueSource &catalogue = *mode.catalogue;
        for (size_t i = 0; i < catalogue.lines.size(); ++i) {
            const CatalogueLine &line = catalogue.lines[i];
            const int kind = line.exerciseKind;
            if (!kKindTopics.contains(kind))
                continue;
            const SourcePos entryPos{catalogue.sourceFile, line.number};
            const QString where = QStringLiteral("%1 entry %2").arg(mode.mode).arg(line.number);
            const HelpTopic &topic = topicOfKind(help, kind, line);
            if (topic.heading != line.title)
                throw SourceError(posOf(help, topic), QStringLiteral("the topic \"%1\" is what the window of %2 opens; "
                                                                     "head it with the entry's title \"%3\"")
                                                          .arg(topic.heading, where, line.title));
            if (!isListeningKind(kind) && kind != 5)
                continue;

            const ExerciseOffer offer = offerOf(catalogue, i, mode.mode);
            // Text work opens its topic by whether it got a recording, whatever the mode.
            ExerciseOffer topicOffer = offer;
            topicOffer.ownRecording = false;
            serve(topic, topicOffer, where);
            checkPromises(topic.text, kind, topicOffer, posOf(help, topic), QStringLiteral("the help topic \"%1\"").arg(topic.heading));
            if (offer.ownRecording) {
                const HelpTopic *own = help.topic(kOwnRecordingTopic);
                if (!own)
                    throw SourceError({help.file}, QStringLiteral("no topic \"%1\" for text work with the learner's recording")
                                                       .arg(kOwnRecordingTopic));
                checkPromises(own->text, kind, offer, posOf(help, *own), QStringLiteral("the help topic \"%1\"").arg(own->heading));
            }

            const QString description = descriptionText(line);
            const QString title = description.section(QLatin1Char('\n'), 0, 0).trimmed();
            if (title != line.title)
                throw SourceError(entryPos, QStringLiteral("the description %1 begins with \"%2\", not with the entry's "
                                                           "title")
                                                .arg(line.infoFile, title));
            checkPromises(description, kind, offer, entryPos, QStringLiteral("the description %1").arg(line.infoFile));
        }
    }
}

void checkCourseHelp(const QString &sourceDir, const std::vector<ModeCatalogue> &catalogues)
{
    const QDir source(sourceDir);
    const QString helpFile = source.filePath(QStringLiteral("help/LRX_HELP.HLP"));
    if (!QFileInfo::exists(helpFile))
        return;
    checkExerciseHelp(catalogues, readHelpSource(helpFile), [&source](const CatalogueLine &line) {
        const QString text = readUtf8File(source.filePath(QStringLiteral("data/") + line.infoPath));
        return line.infoPath.endsWith(QLatin1String(".rtf")) ? plainTextOfRichText(text) : text;
    });
}
