#include "CourseFixture.h"

#include "coursecheck/WavLength.h"

#include <QtEndian>

#include <ostream>

#include <gtest/gtest.h>

namespace {

struct LengthCase {
    const char *name;
    QByteArray bytes;
    qint32 ms;
    const char *problem; // a part of the problem text, or nullptr for none
};

// Test names show the case's name, not its bytes.
void PrintTo(const LengthCase &value, std::ostream *out)
{
    *out << value.name;
}

QByteArray withFact(quint32 frames)
{
    // IMA ADPCM header (tag 0x11), a fact chunk, then a data chunk.
    QByteArray bytes = wavBytes(0x11, 1, 8000, 4, 0);
    const qsizetype data = bytes.indexOf("data");
    QByteArray fact("fact");
    fact += QByteArray::fromHex("04000000");
    char raw[4];
    qToLittleEndian(frames, raw);
    fact.append(raw, 4);
    bytes.insert(data, fact);
    return bytes;
}

QByteArray withOddChunk()
{
    // A one-byte "junk" chunk before fmt: chunks are padded to even sizes.
    QByteArray bytes = wavBytes(1, 1, 8000, 16, 1600);
    bytes.insert(12, QByteArray("junk") + QByteArray::fromHex("01000000") + QByteArray("x\0", 2));
    return bytes;
}

class WavLengthTable : public ::testing::TestWithParam<LengthCase> {};

TEST_P(WavLengthTable, GivenHeaders_WhenMeasured_ThenLengthOrProblem)
{
    const LengthCase &c = GetParam();
    const WavLength length = wavLength(c.bytes, c.bytes.size());
    if (c.problem) {
        EXPECT_TRUE(length.problem.contains(QString::fromUtf8(c.problem))) << length.problem.toStdString();
    } else {
        EXPECT_TRUE(length.problem.isEmpty()) << length.problem.toStdString();
        EXPECT_EQ(length.ms, c.ms);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, WavLengthTable,
    ::testing::Values(
        LengthCase{"MonoPcm", wavBytes(1, 1, 22050, 16, 22050 * 2), 1000, nullptr},
        LengthCase{"StereoPcmTruncatesPartialMilliseconds", wavBytes(1, 2, 8000, 16, 4 * 8001), 1000, nullptr},
        LengthCase{"EightBit", wavBytes(1, 1, 11025, 8, 11025 / 2), 499, nullptr},
        LengthCase{"FloatSamples", wavBytes(3, 1, 8000, 32, 4 * 4000), 500, nullptr},
        LengthCase{"EmptyData", wavBytes(1, 1, 22050, 16, 0), 0, nullptr},
        LengthCase{"DataLongerThanFileIsCutShort", wavBytes(1, 1, 8000, 16, 1600, 16000), 0,
                   "файл обрезан: в нем 100 мс звука из 1000 мс"},
        LengthCase{"OddChunkPadding", withOddChunk(), 100, nullptr},
        LengthCase{"CompressedWithFact", withFact(4000), 500, nullptr},
        LengthCase{"CompressedWithoutFact", wavBytes(0x11, 1, 8000, 4, 100), 0, "fact"},
        LengthCase{"NotRiff", QByteArray("RIFX----WAVEfmt "), 0, "WAV"},
        LengthCase{"TooShort", QByteArray("RIFF"), 0, "WAV"},
        LengthCase{"NoFormat", QByteArray("RIFF\x04\0\0\0WAVEdata\0\0\0\0", 20), 0, "fmt"},
        LengthCase{"FormatCutShort", QByteArray("RIFF\x10\0\0\0WAVEfmt \x10\0\0\0\x01\0", 22), 0, "fmt"},
        LengthCase{"NoData", wavBytes(1, 1, 8000, 16, 0).chopped(8), 0, "data"},
        LengthCase{"ZeroRate", wavBytes(1, 1, 0, 16, 100), 0, "0"},
        LengthCase{"ZeroBlock", wavBytes(1, 0, 8000, 16, 100), 0, "кадра"},
        LengthCase{"ZeroChannels", wavBytes(1, 1, 8000, 16, 100).replace(22, 2, QByteArray(2, '\0')), 0, "0 каналов"}),
    [](const ::testing::TestParamInfo<LengthCase> &info) { return std::string(info.param.name); });

TEST(WavLength, GivenAFileOnDisk_WhenRead_ThenLengthFromItsHeaders)
{
    const TempCourse course;
    course.writeBytes(QStringLiteral("____Data\\Sound.wav"), pcmWav(1500));
    // Course names use backslashes and any letter case.
    const WavLength length = readWavLength(QStringLiteral("____data\\SOUND.WAV"));
    EXPECT_TRUE(length.problem.isEmpty()) << length.problem.toStdString();
    EXPECT_EQ(length.ms, 1500);
}

TEST(WavLength, GivenAFolderOrNothing_WhenRead_ThenAProblem)
{
    const TempCourse course;
    course.writeBytes(QStringLiteral("folder.wav/inside"), "x");
    EXPECT_FALSE(readWavLength(QStringLiteral("folder.wav")).problem.isEmpty());
    EXPECT_FALSE(readWavLength(QStringLiteral("missing.wav")).problem.isEmpty());
}

} // namespace
