#include "reports/ClassReport.h"
#include "support/TempCourse.h"
#include "users/Progress.h"
#include "users/UserList.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

CatalogueEntry entryOf(const QString &title, quint8 kind)
{
    CatalogueEntry entry;
    entry.setTitle(title);
    entry.ExerciseKind = kind;
    return entry;
}

// A learner of mode `mode` whose progress file has the given records done (with scores),
// or no progress file at all when `records` is empty.
UserRecord learner(const TempCourse &course, const QString &name, QChar mode, const QList<ProgressRecord> &records)
{
    UserRecord user;
    user.setName(name);
    user.setReg(mode);
    user.setFileName(newUserFileName(QDir::currentPath(), name));
    if (!records.isEmpty()) {
        ProgressState state;
        state.EntryCount = int(records.size()) - 1;
        state.Progress = records;
        course.writeBytes(QStringLiteral("Report/%1/%1.rep").arg(name), progressFileBytes(state));
    }
    return user;
}

ProgressRecord done(qint32 score = 0)
{
    ProgressRecord record;
    record.setDone(true);
    record.setScore(score);
    return record;
}

TEST(ClassReport, ARowPerLearnerAndAColumnPerExerciseOfEachMode)
{
    TempCourse course;
    CourseState state;
    // Mode A: a heading, a drill, a multiple choice, a true/false and a kind without a line.
    state.catalogues[0] = Catalogue{CatalogueEntry(), entryOf("Урок", KindHeading), entryOf("Слова", KindVocabularyDrill),
                                    entryOf("Вопросы, часть 1", KindMultipleChoice), entryOf("Да/нет", KindTrueFalse),
                                    entryOf("Пусто", 9)};
    state.catalogues[3] = Catalogue{CatalogueEntry(), entryOf("Текст", KindTextWork)};
    const ProgressRecord no;
    const QList<UserRecord> users{
        learner(course, QStringLiteral("Аня"), u'A', {no, no, done(), done(25), no, no}),
        learner(course, QStringLiteral("Петров, Б."), u'A', {no, done(), no, no, done(4), no}),
        learner(course, QStringLiteral("Вера"), u'D', {no, no}),
        learner(course, QStringLiteral("Гость"), u'D', {}),
    };

    const ClassReport report = buildClassReport(state, users);
    ASSERT_EQ(report.modes.size(), 2) << "modes B and C have no learner";
    const QByteArray csv = classReportCsv(report);
    const QString problem = report.modes[1].rows[1].problem;
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_EQ(QString::fromUtf8(csv),
              QStringLiteral("Ученик,Режим,Выполнено,Слова,\"Вопросы, часть 1\",Да/нет\r\n"
                             "Аня,A,2,+,+ 25%,\r\n"
                             "\"Петров, Б.\",A,1,,,+ 4\r\n"
                             "\r\n"
                             "Ученик,Режим,Выполнено,Текст\r\n"
                             "Вера,D,0,\r\n"
                             "Гость,D,%1\r\n")
                  .arg(problem.contains(u',') ? u'"' + problem + u'"' : problem));

    const QString html = QString::fromUtf8(classReportHtml(report));
    EXPECT_EQ(html.count(QStringLiteral("<table>")), 2);
    EXPECT_TRUE(html.contains(QStringLiteral("<h2>Режим A</h2>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>Аня</td><td>2</td><td>+</td><td>+ 25%</td><td></td></tr>")));
    EXPECT_TRUE(html.contains(report.made.toString(QStringLiteral("dd.MM.yyyy"))));
}

} // namespace
