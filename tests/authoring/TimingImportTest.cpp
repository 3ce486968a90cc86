#include "authoring/TimingImport.h"
#include "core/CourseError.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The same three stretches, 0.5-1.75 s, 2.25-4.1 s and 4.5-6 s, as each tool writes them.
const struct {
    const char *tool;
    ForeignTimingFormat format;
    const char *bytes;
} SameTimings[] = {
    {"Audacity", ForeignTimingFormat::AudacityLabels,
     "0.500000\t1.750000\tGood morning\n2.250000\t4.100000\t\n\\\t120.0\t3400.0\n4.500000\t6.000000\tthe end\n"},
    {"Audacity under a decimal comma", ForeignTimingFormat::AudacityLabels,
     "0,500000\t1,750000\ta\r\n2,250000\t4,100000\tb\r\n4,500000\t6,000000\tc\r\n"},
    {"SubRip", ForeignTimingFormat::SubRip,
     "\xEF\xBB\xBF" "1\r\n00:00:00,500 --> 00:00:01,750\r\nGood morning\r\n\r\n2\r\n00:00:02,250 --> 00:00:04,100\r\n"
     "Two lines\r\nof text\r\n\r\n3\r\n00:00:04,500 --> 00:00:06,000\r\nthe end\r\n"},
    {"WebVTT", ForeignTimingFormat::WebVtt,
     "WEBVTT - a lesson\n\nNOTE made by hand\n\n00:00.500 --> 00:01.750 align:start\nGood morning\n\nsecond\n"
     "00:00:02.250 --> 00:00:04.100\nhello\n\n00:04.500 --> 00:06.000\nthe end\n"},
    {"aeneas", ForeignTimingFormat::AeneasJson,
     R"({"fragments": [{"begin": "0.000", "end": "0.500", "id": "HEAD", "lines": []},
        {"begin": "0.500", "children": [], "end": "1.750", "id": "f000001", "language": "eng", "lines": ["Good morning"]},
        {"begin": "2.250", "end": "4.100", "id": "f000002", "lines": ["a"]},
        {"begin": 4.5, "end": 6, "id": "f000003", "lines": ["b"]},
        {"begin": "6.000", "end": "7.000", "id": "TAIL", "lines": []}]})"},
};

TEST(TimingImportTest, EachToolsTimingsReadAsTheSameStretches)
{
    for (const auto &c : SameTimings) {
        const QByteArray bytes(c.bytes);
        EXPECT_EQ(detectTimingFormat(bytes), c.format) << c.tool;
        const std::vector<Segment> spans = parseForeignTimings(bytes, QStringLiteral("t"));
        ASSERT_EQ(spans.size(), 3u) << c.tool;
        const Segment expected[] = {{500, 1750}, {2250, 4100}, {4500, 6000}};
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(spans[i].startMs, expected[i].startMs) << c.tool << " " << i;
            EXPECT_EQ(spans[i].endMs, expected[i].endMs) << c.tool << " " << i;
        }
    }
}

TEST(TimingImportTest, ADamagedFileIsReportedAtItsLine)
{
    const struct {
        const char *bytes;
        int line;
        const char *says;
    } cases[] = {
        {"0.5\t1.0\ta\n1.5\tone\tb\n", 2, "начало TAB конец TAB метка"},
        {"0.5\n", 1, "начало TAB конец TAB метка"},
        {"-1.0\t2.0\tminus\n", 1, "начало TAB конец TAB метка"},
        {"99999999\t99999999.5\tbeyond the range\n", 1, "начало TAB конец TAB метка"},
        {"2.0\t1.0\tbackwards\n", 1, "конец (1000 мс) раньше начала (2000 мс)"},
        {"1\n00:00:01,000 --> 00:00:02,000\nx\n\n2\n00:00:03,000 --> soon\ny\n", 6, "«начало --> конец»"},
        {"WEBVTT\n\n00:01.000 --> 00:61:02.000\nx\n", 3, "«начало --> конец»"},
        {"{\"fragments\": [\n{\"begin\": \"0.5\", \"end\": \"1.0\"},\n{\"begin\": \"1.5\" \"end\": \"2\"}]}", 3, "JSON"},
        {"{\"fragments\": [{\"begin\": \"0.5\", \"end\": \"1.0\"}, {\"begin\": \"x\", \"end\": \"2\"}]}", 0, "фрагмент 2"},
        {"{\"sync\": []}", 0, "fragments"},
        {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 1, "начало TAB конец TAB метка"},
    };
    for (const auto &c : cases) {
        const QByteArray bytes = QByteArray(c.bytes, qsizetype(std::strlen(c.bytes)) + (c.bytes[0] == '\x89' ? 8 : 0));
        try {
            parseForeignTimings(bytes, QStringLiteral("labels.txt"));
            ADD_FAILURE() << c.bytes << " was read";
        } catch (const CourseError &error) {
            EXPECT_EQ(error.file(), QStringLiteral("labels.txt"));
            EXPECT_EQ(error.line(), c.line) << c.bytes;
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.says))) << error.message().toStdString();
        }
    }
}

TEST(TimingImportTest, StretchesGoToTheSpokenLinesInOrderAndACountThatDiffersNamesBoth)
{
    TempCourse course;
    course.writeLines(QStringLiteral("text.txt"), {QStringLiteral("#Заголовок"), QStringLiteral("Good morning,"),
                                                   QStringLiteral("sir."), QStringLiteral("#"), QStringLiteral("Welcome.")});
    course.writeBytes(QStringLiteral("labels.txt"), SameTimings[0].bytes);
    EXPECT_EQ(importTimingFile(QStringLiteral("labels.txt"), QStringLiteral("text.txt")),
              "#\r\n500\t1750\r\n2250\t4100\r\n#\r\n4500\t6000\r\n");

    course.writeBytes(QStringLiteral("two.srt"), "1\n00:00:00,500 --> 00:00:01,750\na\n\n2\n00:00:02,000 --> 00:00:03,000\nb\n");
    try {
        importTimingFile(QStringLiteral("two.srt"), QStringLiteral("text.txt"));
        ADD_FAILURE() << "two cues were given to three lines";
    } catch (const CourseError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("в файле two.srt 2 отрезка, а в тексте text.txt 3 фразы"));
    }
    for (const QString &missing : {QStringLiteral("none.vtt"), QStringLiteral("none.txt")}) {
        const bool timingsMissing = missing.endsWith(QStringLiteral(".vtt"));
        try {
            importTimingFile(timingsMissing ? missing : QStringLiteral("labels.txt"),
                             timingsMissing ? QStringLiteral("text.txt") : missing);
            ADD_FAILURE() << missing.toStdString() << " was read";
        } catch (const CourseError &error) {
            EXPECT_TRUE(error.userText().contains(missing)) << error.userText().toStdString();
        }
    }
}

} // namespace
