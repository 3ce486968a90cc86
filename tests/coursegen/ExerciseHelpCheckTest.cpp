#include "ExerciseHelpCheck.h"
#include "SourceError.h"

#include "support/TempCourse.h"

#include <QDir>
#include <QFile>

#include <functional>

#include <gtest/gtest.h>

namespace {

const QString kFiller = QStringLiteral(" Это предложение нужно только для того, чтобы в разделе было достаточно слов для "
                                       "проверки: ученик должен найти в помощи всё, что ему нужно знать об упражнении. "
                                       "Второе предложение добавляет ещё десяток с лишним слов, и раздел "
                                       "становится длиннее сорока слов.");

// A small course source: mode D with the wait kind, the slow unaided kind and text work;
// mode B with listening and text work; its help and descriptions, all telling the truth.
struct HelpCourse {
    QMap<QString, QString> files;

    HelpCourse()
    {
        const QString root = QStringLiteral("Курс\t0\t0\t0\t\t0\t\t\t\t\t");
        const QString lesson = QStringLiteral("Урок\t1\t1\t0\t\t0\t\t\t\t\t");
        auto entry = [](const char *title, int link, const char *info, int kind, const char *sound) {
            return QStringLiteral("%1\t%2\t%3\t0\t%4\t%5\tl\\text.txt\tl\\textru.txt\tl\\%6.wav\tl\\%6seg.txt\tl\\textpic.txt")
                .arg(QString::fromUtf8(title), link == 2 ? QStringLiteral("1") : QStringLiteral("0"))
                .arg(link)
                .arg(QString::fromLatin1(info))
                .arg(kind)
                .arg(QString::fromLatin1(sound));
        };
        files["catalogues/InitRegA.tsv"] = root;
        files["catalogues/InitRegC.tsv"] = root;
        files["catalogues/InitRegD.tsv"] = QStringList{root, lesson, entry("Последовательный перевод", 2, "d13.txt", 13, "textslow"),
                                                       entry("Перевод с паузами", 3, "d12.txt", 12, "text"),
                                                       entry("Работа с текстом", 4, "d5.txt", 5, "text")}
                                               .join('\n');
        files["catalogues/InitRegB.tsv"] = QStringList{root, lesson, entry("Прослушивание текста", 2, "b8.txt", 8, "text"),
                                                       entry("Работа с текстом", 3, "b5.txt", 5, "text")}
                                               .join('\n');
        files["data/d13.txt"] = "Последовательный перевод\n\nПауза после каждой фразы. Ваш голос записывается.";
        files["data/d12.txt"] = "Перевод с паузами\n\nНажмите «Подождать». Ваш голос записывается.";
        files["data/d5.txt"] = "Работа с текстом\n\nФлажок «Перевод пользователя» включает ваш перевод.";
        files["data/b8.txt"] = "Прослушивание текста\n\nСлушайте. Ваш голос не записывается.";
        files["data/b5.txt"] = "Работа с текстом\n\nСлушайте текст по фразам.";
        files["help/LRX_HELP.HLP"] =
            "<html><body><h1>Помощь</h1><ul><li><a href=\"#110\">Прослушивание текста</a></li></ul>\n"
            "<h2><a name=\"110\">Прослушивание текста</a></h2><p>Текст звучит. Ваш голос не записывается." + kFiller + "</p>\n"
            "<h2><a name=\"140\">Перевод с паузами</a></h2><p>Нажмите «Подождать»; программа записывает ваш перевод." + kFiller + "</p>\n"
            "<h2><a name=\"150\">Последовательный перевод</a></h2><p>Пауза после каждой фразы; программа записывает ваш перевод." + kFiller + "</p>\n"
            "<h2><a name=\"130\"></a><a name=\"WorkText\">Работа с текстом</a></h2><p>Текст по фразам." + kFiller + "</p>\n"
            "<h2><a name=\"180\">Работа с текстом и своим переводом</a></h2><p>«Перевод пользователя» включает ваш перевод." + kFiller + "</p>\n"
            "<p class=\"back\"><a href=\"#contents\">К содержанию</a></p></body></html>";
    }

    void replace(const QString &file, const QString &from, const QString &to) { files[file].replace(from, to); }

    // Writes the sources into the working directory and checks them; the error, or empty.
    QString check() const
    {
        for (auto it = files.begin(); it != files.end(); ++it) {
            QDir().mkpath(QFileInfo(it.key()).path());
            QFile file(it.key());
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return QStringLiteral("cannot write ") + it.key();
            file.write(it.value().toUtf8() + '\n');
        }
        try {
            std::vector<CatalogueSource> catalogues;
            for (const char *mode : {"A", "B", "C", "D"})
                catalogues.push_back(readCatalogueSource(QStringLiteral("catalogues/InitReg%1.tsv").arg(QLatin1String(mode))));
            checkCourseHelp(QDir::currentPath(), {{u'A', &catalogues[0]}, {u'B', &catalogues[1]}, {u'C', &catalogues[2]},
                                                  {u'D', &catalogues[3]}});
        } catch (const SourceError &error) {
            return QString::fromUtf8(error.what());
        }
        return {};
    }
};

TEST(ExerciseHelpCheck, TheHelpAndDescriptionsMustTellWhatEachWindowOffers)
{
    struct Case {
        const char *name;
        std::function<void(HelpCourse &)> damage;
        const char *error; // a part of the error
    };
    auto replacing = [](const char *file, const char *from, const char *to) {
        return [=](HelpCourse &source) { source.replace(QString::fromUtf8(file), QString::fromUtf8(from), QString::fromUtf8(to)); };
    };
    const char *help = "help/LRX_HELP.HLP";
    const Case cases[] = {
        {"topic under another title", replacing(help, "name=\"150\">Последовательный", "name=\"150\">Синхронный"),
         "head it with the entry's title"},
        {"topic promises the text", replacing(help, "Пауза после каждой фразы;", "Пауза после каждой фразы; «Показывать текст»;"),
         "«Показывать текст»"},
        {"topic forgets the pauses", replacing(help, "Пауза после каждой фразы;", "Текст звучит без остановок;"),
         "a pause after each phrase"},
        {"listening topic says it records", replacing(help, "Ваш голос не записывается.", "Программа записывает ваш голос."),
         "the learner's recording"},
        {"topic too short", [](HelpCourse &source) { source.replace("help/LRX_HELP.HLP", "Текст по фразам." + kFiller, "Текст по фразам."); },
         "has 3 words"},
        {"text work without a recording speaks of it",
         replacing("data/b5.txt", "Слушайте текст по фразам.", "Щёлкните «Перевод пользователя»."), "«Перевод пользователя»"},
        {"description under another title", replacing("data/d12.txt", "Перевод с паузами\n", "Перевод с ожиданием\n"),
         "not with the entry's title"},
        {"wait kind's description forgets the button", replacing("data/d12.txt", "Нажмите «Подождать».", "Нажмите «Пауза»."),
         "«Подождать»"},
        {"one topic for windows that differ",
         [](HelpCourse &source) {
             // Mode C lets kind 8 show the text, mode B does not; both open the same topic.
             source.files["catalogues/InitRegC.tsv"] = source.files["catalogues/InitRegB.tsv"];
         },
         "whose windows differ"},
        {"no contents link for a kind that opens the contents",
         replacing(help, "<a href=\"#110\">Прослушивание текста</a>", "<a href=\"#110\">Слушаем</a>"), "opens the contents"},
    };

    TempCourse course;
    EXPECT_EQ(HelpCourse().check(), QString()) << "the untouched course";
    for (const Case &c : cases) {
        HelpCourse source;
        c.damage(source);
        const QString error = source.check();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.error))) << c.name << ": " << error.toStdString();
    }
}

// The course's own help and descriptions pass, as the build requires.
TEST(ExerciseHelpCheck, TheSampleCourseSourcesPass)
{
    std::vector<CatalogueSource> catalogues;
    for (const char *mode : {"A", "B", "C", "D"})
        catalogues.push_back(readCatalogueSource(QStringLiteral(VESTORIA_COURSE_SOURCE_DIR "/catalogues/InitReg%1.tsv")
                                                     .arg(QLatin1String(mode))));
    EXPECT_NO_THROW(checkCourseHelp(QStringLiteral(VESTORIA_COURSE_SOURCE_DIR),
                                    {{u'A', &catalogues[0]}, {u'B', &catalogues[1]}, {u'C', &catalogues[2]},
                                     {u'D', &catalogues[3]}}));
}

} // namespace
