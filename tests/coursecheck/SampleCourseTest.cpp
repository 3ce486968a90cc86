#include "CourseFixture.h"

#include "core/Cp1251.h"
#include "core/LineReader.h"
#include "course/CourseState.h"
#include "course/LessonTreeShape.h"
#include "coursecheck/CourseCheck.h"
#include "coursecheck/SegmentLines.h"
#include "coursecheck/WavLength.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QtEndian>

#include <filesystem>
#include <functional>
#include <numeric>

#include <ostream>

#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(VESTORIA_SAMPLE_COURSE_DIR);
const QStringList kLessons = {QStringLiteral("lesson1"), QStringLiteral("lesson2"), QStringLiteral("lesson3"),
                              QStringLiteral("lesson4"), QStringLiteral("lesson5"), QStringLiteral("lesson6")};

// Makes a folder the working directory for a while, as the program runs in its course.
class InFolder {
public:
    explicit InFolder(const QString &folder) : previous_(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~InFolder() { QDir::setCurrent(previous_); }
    InFolder(const InFolder &) = delete;
    InFolder &operator=(const InFolder &) = delete;

private:
    QString previous_;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> linesOf(const QString &path)
{
    return splitLines(readAll(path));
}

void writeLinesRaw(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The 1-based number of the first line containing `needle`, 0 when none does.
int lineContaining(const QString &path, const QByteArray &needle)
{
    const QList<QByteArray> lines = linesOf(path);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(needle))
            return int(i + 1);
    }
    return 0;
}

// The copy is made by the kernel, file by file: the course's sounds are megabytes.
void copyFolder(const QString &from, const QString &to)
{
    std::filesystem::copy(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

// The 16-bit mono samples of one of the course's own sounds.
std::vector<qint16> samplesOf(const QString &path, int &rate)
{
    const QByteArray bytes = readAll(path);
    const qsizetype data = bytes.indexOf("data");
    rate = 0;
    if (bytes.size() < 44 || data < 0 || qFromLittleEndian<quint16>(bytes.constData() + 22) != 1
        || qFromLittleEndian<quint16>(bytes.constData() + 34) != 16)
        return {};
    rate = int(qFromLittleEndian<quint32>(bytes.constData() + 24));
    const qsizetype count = qMin<qsizetype>(qFromLittleEndian<quint32>(bytes.constData() + data + 4),
                                            bytes.size() - data - 8) / 2;
    std::vector<qint16> samples(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        samples[size_t(i)] = qFromLittleEndian<qint16>(bytes.constData() + data + 8 + 2 * i);
    return samples;
}

// --- the built course ---------------------------------------------------------------

TEST(SampleCourse, GivenTheBuiltCourse_WhenChecked_ThenItHasNoProblem)
{
    const InFolder in(kSample);
    const auto problems = checkCourse();
    EXPECT_TRUE(problems.empty()) << describe(problems).toStdString();
}

TEST(SampleCourse, GivenTheBuiltCourse_WhenTheProgramLoadsItsCatalogues_ThenEveryTreeIsInPreOrder)
{
    const InFolder in(kSample);
    CourseState state;
    ASSERT_NO_THROW(loadCatalogues(state));
    for (const QChar letter : {u'A', u'B', u'C', u'D'}) {
        const Catalogue &catalogue = *state.catalogue(letter);
        ASSERT_GT(catalogue.size(), 1);
        std::vector<int> expected(size_t(catalogue.size() - 1));
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(preOrder(lessonTreeParents(catalogue)), expected) << "catalogue " << char(letter.unicode());
    }
}

// The modes as the mode dialog describes them: A interpreting, B listening then text work,
// C questions first, D everything.
TEST(SampleCourse, GivenTheBuiltCourse_WhenItsCataloguesAreRead_ThenEachModeHasTheKindsItsDescriptionPromises)
{
    const InFolder in(kSample);
    CourseState state;
    ASSERT_NO_THROW(loadCatalogues(state));
    auto kindsOf = [&](QChar letter) {
        QSet<int> kinds;
        for (const CatalogueEntry &entry : *state.catalogue(letter)) {
            if (entry.ExerciseKind != 0)
                kinds.insert(entry.ExerciseKind);
        }
        return kinds;
    };
    EXPECT_EQ(kindsOf(u'A'), (QSet<int>{12, 13, 14, 15, 5}));
    EXPECT_EQ(kindsOf(u'B'), (QSet<int>{8, 5}));
    EXPECT_EQ(kindsOf(u'C'), (QSet<int>{3, 11, 6, 7}));
    EXPECT_EQ(kindsOf(u'D'), (QSet<int>{1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 14, 15}));
}

// Text work plays the learner's recording of the nearest recording exercise above it, and
// only the wait kind writes the cue file that times that recording line by line.
TEST(SampleCourse, GivenTheBuiltCatalogues_WhenTextWorkLooksForTheLearnersRecording_ThenItFindsTheWaitKind)
{
    const InFolder in(kSample);
    CourseState state;
    ASSERT_NO_THROW(loadCatalogues(state));
    const QSet<int> recordingKinds{4, 12, 13, 14, 15};
    for (const QChar letter : {u'A', u'B', u'C', u'D'}) {
        const Catalogue &catalogue = *state.catalogue(letter);
        int textWork = 0;
        bool hasWaitKind = false;
        for (int k = 1; k < catalogue.size(); ++k) {
            hasWaitKind = hasWaitKind || catalogue[k].ExerciseKind == 12;
            if (catalogue[k].ExerciseKind != 5)
                continue;
            ++textWork;
            int found = k - 1; // the dispatcher's walk: back to a heading or a recording kind
            while (found > 0 && catalogue[found].ExerciseKind != 0 && !recordingKinds.contains(catalogue[found].ExerciseKind))
                --found;
            if (hasWaitKind || recordingKinds.contains(catalogue[found].ExerciseKind)) {
                EXPECT_EQ(catalogue[found].ExerciseKind, 12) << "catalogue " << char(letter.unicode()) << ", entry " << k;
            }
        }
        if (hasWaitKind) {
            EXPECT_GT(textWork, 0) << "catalogue " << char(letter.unicode());
        }
    }
}

// The interpreting exercises 13 to 15 play the text with a pause after each syntagm that
// is at least as long as the syntagm (within 10 %), time to say its translation; kind 4,
// the last and hardest step, plays the natural recording, without those pauses.
TEST(SampleCourse, GivenTheSlowRecordings_WhenTheirTimingIsRead_ThenEachPauseIsAsLongAsItsSyntagm)
{
    const InFolder in(kSample);
    CourseState state;
    ASSERT_NO_THROW(loadCatalogues(state));
    for (const QChar letter : {u'A', u'D'}) {
        for (const CatalogueEntry &entry : *state.catalogue(letter)) {
            if (entry.ExerciseKind >= 13 && entry.ExerciseKind <= 15) {
                EXPECT_TRUE(entry.File3().endsWith(QStringLiteral("textslow.wav"))) << entry.File3().toStdString();
            }
            if (entry.ExerciseKind == 4) {
                EXPECT_TRUE(entry.File3().endsWith(QStringLiteral("\\text.wav"))) << entry.File3().toStdString();
            }
        }
    }
    for (const QString &lesson : kLessons) {
        SCOPED_TRACE(lesson.toStdString());
        const QString folder = QStringLiteral("____Data/") + lesson + u'/';
        std::vector<SegmentSpan> spans;
        for (const QByteArray &line : linesOf(folder + QStringLiteral("textslowseg.txt"))) {
            QString why;
            if (const auto span = parseSegmentLine(line, why))
                spans.push_back(*span);
        }
        const WavLength length = wavLength(readAll(folder + QStringLiteral("textslow.wav")), 1 << 30);
        ASSERT_TRUE(length.problem.isEmpty());
        ASSERT_GT(spans.size(), 1u);
        for (size_t i = 0; i < spans.size(); ++i) {
            const qint32 next = i + 1 < spans.size() ? spans[i + 1].startMs : length.ms;
            const qint32 phrase = spans[i].endMs - spans[i].startMs;
            EXPECT_GE((next - spans[i].endMs) * 10, phrase * 9) << "syntagm " << i + 1;
        }
    }
}

TEST(SampleCourse, GivenTheBuiltCourse_ThenItsFolderHoldsTheFixedFilesAndAnEmptyReportFolder)
{
    for (const char *name : {"music.wav", "Null.wav", "NullRec.wav", "TSBegin.wav", "NFREESET.TTF"})
        EXPECT_TRUE(QFileInfo(kSample + u'/' + QString::fromLatin1(name)).isFile()) << name;
    EXPECT_TRUE(QFileInfo(kSample + QStringLiteral("/Report")).isDir());
}

struct TimedSound {
    const char *items;  // the text file with one line per item
    const char *timing; // its timing or segment file
    const char *sound;
};

// Every timing line covers exactly one spoken clip: sound inside the span, digital silence
// between spans, and the last end within the sound's length.
TEST(SampleCourse, GivenTheBuiltSounds_WhenTheirTimingIsRead_ThenItFollowsTheVoiceExactly)
{
    const TimedSound sounds[] = {{"text.txt", "textseg.txt", "text.wav"},
                                 {"text.txt", "textslowseg.txt", "textslow.wav"},
                                 {"words.txt", "wordseg.txt", "words.wav"},
                                 {"quest.txt", "questseg.txt", "quest.wav"},
                                 {"truefalse.txt", "tfseg.txt", "truefalse.wav"}};
    for (const QString &lesson : kLessons) {
        for (const TimedSound &s : sounds) {
            const QString folder = kSample + QStringLiteral("/____Data/") + lesson + u'/';
            SCOPED_TRACE((lesson + u'/' + QString::fromLatin1(s.timing)).toStdString());
            const QList<QByteArray> items = linesOf(folder + QString::fromLatin1(s.items));
            const QList<QByteArray> timing = linesOf(folder + QString::fromLatin1(s.timing));
            ASSERT_EQ(timing.size(), items.size());

            int rate = 0;
            const std::vector<qint16> samples = samplesOf(folder + QString::fromLatin1(s.sound), rate);
            ASSERT_GT(rate, 0);
            const WavLength length = wavLength(readAll(folder + QString::fromLatin1(s.sound)), 1 << 30);
            ASSERT_TRUE(length.problem.isEmpty());

            qint64 silentFrom = 0; // frame where the silence before the next span began
            int spans = 0;
            for (qsizetype i = 0; i < timing.size(); ++i) {
                if (timing[i].startsWith('#')) {
                    EXPECT_TRUE(items[i].startsWith('#')) << "line " << i + 1;
                    continue;
                }
                QString why;
                const auto span = parseSegmentLine(timing[i], why);
                ASSERT_TRUE(span) << "line " << i + 1 << ": " << why.toStdString();
                ASSERT_LT(span->startMs, span->endMs);
                ASSERT_LE(span->endMs, length.ms);
                // Milliseconds are rounded; keep 2 ms off each edge.
                const qint64 start = (qint64(span->startMs) + 2) * rate / 1000;
                const qint64 end = (qint64(span->endMs) - 2) * rate / 1000;
                const qint64 gapEnd = (qint64(span->startMs) - 2) * rate / 1000;
                for (qint64 f = silentFrom; f < gapEnd; ++f)
                    ASSERT_EQ(samples[size_t(f)], 0) << "sound before line " << i + 1 << " at frame " << f;
                int loudest = 0;
                for (qint64 f = start; f < end; ++f)
                    loudest = qMax(loudest, qAbs(int(samples[size_t(f)])));
                EXPECT_GT(loudest, 3000) << "no voice in line " << i + 1;
                silentFrom = (qint64(span->endMs) + 2) * rate / 1000;
                ++spans;
            }
            EXPECT_GT(spans, 0);
            for (qint64 f = silentFrom; f < qint64(samples.size()); ++f)
                ASSERT_EQ(samples[size_t(f)], 0) << "sound after the last line at frame " << f;
        }
    }
}

// --- damaged copies -------------------------------------------------------------------

struct Damage {
    const char *name;
    // Damages the copy in the working directory; returns where the problem must be reported.
    std::function<CourseProblem()> apply;
    size_t problems; // how many the damage causes in all
    // When set, the damage is reported once at every catalogue entry naming this file
    // instead, however many the course has.
    const char *atEveryEntryNaming = nullptr;
};

// How many entries of the four catalogues of the working directory name `file`.
size_t entriesNaming(const QByteArray &file)
{
    size_t count = 0;
    for (const char *catalogue : {"InitRegA.txt", "InitRegB.txt", "InitRegC.txt", "InitRegD.txt"}) {
        for (const QByteArray &line : linesOf(QString::fromLatin1(catalogue)))
            count += line.contains(file) ? 1 : 0;
    }
    return count;
}

// Test names show the case's name, not its bytes.
void PrintTo(const Damage &value, std::ostream *out)
{
    *out << value.name;
}

QString data(const QString &relative)
{
    return QStringLiteral("____Data/") + relative;
}

// Replaces column `column` (0-based) of catalogue line `line`.
void setCatalogueColumn(const QString &file, int line, int column, const QByteArray &value)
{
    QList<QByteArray> lines = linesOf(file);
    QList<QByteArray> columns = lines[line - 1].split('\t');
    columns[column] = value;
    lines[line - 1] = columns.join('\t');
    writeLinesRaw(file, lines);
}

const Damage kDamages[] = {
    {"UnreadableCatalogue",
     [] {
         QFile::remove(QStringLiteral("InitRegC.txt"));
         return CourseProblem{QStringLiteral("InitRegC.txt"), 0, QStringLiteral("каталог не читается")};
     },
     1},
    {"BadNumberInCatalogue",
     [] {
         setCatalogueColumn(QStringLiteral("InitRegA.txt"), 3, 2, "two");
         return CourseProblem{QStringLiteral("InitRegA.txt"), 3, QStringLiteral("'two' не является допустимым целым числом")};
     },
     1},
    {"LinkOutOfRange",
     [] {
         setCatalogueColumn(QStringLiteral("InitRegB.txt"), 3, 2, "999");
         return CourseProblem{QStringLiteral("InitRegB.txt"), 3, QStringLiteral("Link 999 вне диапазона")};
     },
     1},
    {"NotInPreOrder",
     [] {
         // The first multiple-choice entry of D moves under the lesson's vocabulary heading,
         // a branch that has ended by then.
         const int choice = lineContaining(QStringLiteral("InitRegD.txt"), "\t6\tlesson1\\quest.txt");
         const int vocabulary = lineContaining(QStringLiteral("InitRegD.txt"), "common\\lexis.txt");
         setCatalogueColumn(QStringLiteral("InitRegD.txt"), choice, 1, "1");
         setCatalogueColumn(QStringLiteral("InitRegD.txt"), choice, 2, QByteArray::number(vocabulary));
         return CourseProblem{QStringLiteral("InitRegD.txt"), choice, QStringLiteral("не в порядке дерева")};
     },
     1},
    {"MissingCourseFile",
     [] {
         QFile::remove(data(QStringLiteral("lesson2/words.wav")));
         return CourseProblem{QStringLiteral("InitRegD.txt"), lineContaining(QStringLiteral("InitRegD.txt"), "lesson2\\words.wav"),
                              QStringLiteral("нет файла ____Data\\lesson2\\words.wav")};
     },
     2}, // at the presentation and at the drill, which both name it
    {"MissingDescription",
     [] {
         QFile::remove(data(QStringLiteral("common/lexis.txt")));
         return CourseProblem{QStringLiteral("InitRegD.txt"), lineContaining(QStringLiteral("InitRegD.txt"), "common\\lexis.txt"),
                              QStringLiteral("файл описания ____Data\\common\\lexis.txt не читается")};
     },
     0, "common\\lexis.txt"}, // at the vocabulary heading of each lesson
    {"TranslationsShorterThanExpressions",
     [] {
         QList<QByteArray> lines = linesOf(data(QStringLiteral("lesson1/trans.txt")));
         lines.removeLast();
         writeLinesRaw(data(QStringLiteral("lesson1/trans.txt")), lines);
         return CourseProblem{data(QStringLiteral("lesson1/words.txt")), int(lines.size() + 1), QStringLiteral("нет перевода")};
     },
     1},
    {"SegmentsLongerThanExpressions",
     [] {
         QList<QByteArray> lines = linesOf(data(QStringLiteral("lesson3/wordseg.txt")));
         lines.append("100\t200");
         writeLinesRaw(data(QStringLiteral("lesson3/wordseg.txt")), lines);
         return CourseProblem{data(QStringLiteral("lesson3/wordseg.txt")), int(lines.size()), QStringLiteral("лишняя строка")};
     },
     1},
    {"FifthAnswerInAGroup",
     [] {
         QList<QByteArray> lines = linesOf(data(QStringLiteral("lesson2/answers.txt")));
         qsizetype next = 1;
         while (!lines[next].startsWith('#'))
             ++next; // the first group's answers are lines 2 .. next
         for (qsizetype answers = next - 1; answers < 5; ++answers)
             lines.insert(next++, "Another wrong answer.");
         writeLinesRaw(data(QStringLiteral("lesson2/answers.txt")), lines);
         return CourseProblem{data(QStringLiteral("lesson2/answers.txt")), 6, QStringLiteral("пятый ответ")};
     },
     1},
    {"EmptyLineInAnswers",
     [] {
         QList<QByteArray> lines = linesOf(data(QStringLiteral("lesson3/answers.txt")));
         lines.insert(2, QByteArray());
         writeLinesRaw(data(QStringLiteral("lesson3/answers.txt")), lines);
         return CourseProblem{data(QStringLiteral("lesson3/answers.txt")), 3, QStringLiteral("пустая строка")};
     },
     1},
    {"TimingLineDoesNotParse",
     [] {
         QList<QByteArray> lines = linesOf(data(QStringLiteral("lesson1/textseg.txt")));
         lines[2] = "0:02.6\t0:04.1";
         writeLinesRaw(data(QStringLiteral("lesson1/textseg.txt")), lines);
         return CourseProblem{data(QStringLiteral("lesson1/textseg.txt")), 3, QStringLiteral("не читается")};
     },
     1},
    {"TimingEndBeyondTheSound",
     [] {
         QList<QByteArray> lines = linesOf(data(QStringLiteral("lesson2/textseg.txt")));
         qsizetype last = lines.size() - 1;
         while (lines[last].startsWith('#'))
             --last;
         lines[last] = lines[last].split('\t').first() + "\t999999";
         writeLinesRaw(data(QStringLiteral("lesson2/textseg.txt")), lines);
         return CourseProblem{data(QStringLiteral("lesson2/textseg.txt")), int(last + 1), QStringLiteral("дальше конца звука")};
     },
     1},
    {"StoryPictureDoesNotLoad",
     [] {
         QFile file(data(QStringLiteral("lesson1/key.jpg")));
         file.open(QIODevice::WriteOnly | QIODevice::Truncate);
         file.write("JFIF? no.");
         file.close();
         return CourseProblem{data(QStringLiteral("lesson1/textpic.txt")),
                              lineContaining(data(QStringLiteral("lesson1/textpic.txt")), "lesson1\\key.jpg"),
                              QStringLiteral("не загружается")};
     },
     2}, // in the picture lists of the text and of its slow recording
    {"DescriptionPictureDoesNotLoad",
     [] {
         const QByteArray bytes = readAll(data(QStringLiteral("lesson2/title.jpg")));
         QFile file(data(QStringLiteral("lesson2/title.jpg")));
         file.open(QIODevice::WriteOnly | QIODevice::Truncate);
         file.write(bytes.first(100));
         file.close();
         return CourseProblem{QStringLiteral("InitRegA.txt"), lineContaining(QStringLiteral("InitRegA.txt"), "lesson2\\title.jpg"),
                              QStringLiteral("рисунок описания ____Data\\lesson2\\title.jpg")};
     },
     4}, // the lesson's heading in every mode
    {"MarkPictureVariantMissing",
     [] {
         QFile::remove(QStringLiteral("rnotepad.bmp"));
         return CourseProblem{data(QStringLiteral("lesson3/text.txt")),
                              lineContaining(data(QStringLiteral("lesson3/text.txt")), "#@notepad.bmp"),
                              QStringLiteral("рисунок rnotepad.bmp не загружается")};
     },
     2}, // the text and the translation
    {"CommentForALineThatDoesNotExist",
     [] {
         QList<QByteArray> lines = linesOf(data(QStringLiteral("lesson1/text.apc")));
         lines.append("999Far beyond the text. ");
         writeLinesRaw(data(QStringLiteral("lesson1/text.apc")), lines);
         return CourseProblem{data(QStringLiteral("lesson1/text.apc")), int(lines.size()), QStringLiteral("к строке 999")};
     },
     1},
    {"SoundIsNotAWav",
     [] {
         QFile file(data(QStringLiteral("lesson3/quest.wav")));
         file.open(QIODevice::WriteOnly | QIODevice::Truncate);
         file.write("ID3 this is not a WAV");
         file.close();
         return CourseProblem{QStringLiteral("InitRegC.txt"), lineContaining(QStringLiteral("InitRegC.txt"), "lesson3\\quest.wav"),
                              QStringLiteral("файл не является звуковым файлом WAV")};
     },
     4}, // at each of the question exercises of modes C and D that play it
    {"TextSavedAsUtf8",
     [] {
         // An editor's default: the translation saved again, in UTF-8.
         const QString file = data(QStringLiteral("lesson1/textru.txt"));
         const QByteArray bytes = readAll(file);
         QFile out(file);
         out.open(QIODevice::WriteOnly | QIODevice::Truncate);
         out.write(fromCp1251(bytes).toUtf8());
         out.close();
         return CourseProblem{file, 1, QStringLiteral("UTF-8")};
     },
     1},
    {"SoundCutShort",
     [] {
         // Half the text's sound is gone, as a copy that stopped leaves it: the file is
         // reported, not each timing line that now ends beyond the cut.
         const QString file = data(QStringLiteral("lesson2/text.wav"));
         const QByteArray bytes = readAll(file);
         QFile out(file);
         out.open(QIODevice::WriteOnly | QIODevice::Truncate);
         out.write(bytes.first(bytes.size() / 2));
         out.close();
         return CourseProblem{QStringLiteral("InitRegB.txt"), lineContaining(QStringLiteral("InitRegB.txt"), "lesson2\\text.wav"),
                              QStringLiteral("файл обрезан")};
     },
     0, "lesson2\\text.wav"},
};

class DamagedSampleCourse : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedSampleCourse, GivenADamagedCopy_WhenChecked_ThenTheDamageIsReportedWhereItIs)
{
    const TempCourse course;
    copyFolder(kSample, course.root());
    const CourseProblem expected = GetParam().apply();
    ASSERT_GT(expected.line, -1);

    const auto problems = checkCourse();
    EXPECT_TRUE(hasProblem(problems, expected.file, expected.line, expected.message))
        << "expected " << formatProblem(expected).toStdString() << "\ngot:\n" << describe(problems).toStdString();
    const size_t count = GetParam().atEveryEntryNaming ? entriesNaming(GetParam().atEveryEntryNaming) : GetParam().problems;
    EXPECT_EQ(problems.size(), count) << describe(problems).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedSampleCourse, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage> &info) { return std::string(info.param.name); });

} // namespace
