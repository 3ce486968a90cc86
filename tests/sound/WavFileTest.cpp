#include "sound/SoundResult.h"
#include "support/SoundFiles.h"
#include "support/TempCourse.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

struct EncodingCase {
    const char *name;
    int rate;
    int channels;
    int format;
};

class WavEncodings : public ::testing::TestWithParam<EncodingCase> {};

// Every encoding a course may hold decodes to the frames libsndfile itself reads, and a
// save writes the same encoding back.
TEST_P(WavEncodings, DecodeAsLibsndfileReadsThemAndEncodeBackTheSameWay)
{
    const EncodingCase c = GetParam();
    TempCourse course;
    writeRampWav(course.absolute("s.wav"), c.rate, c.channels, c.rate / 2, c.format);
    const WavContents reference = readWavContents(course.absolute("s.wav"));
    ASSERT_TRUE(reference.readable);

    const SoundData sound = readWavFile(QStringLiteral("s.wav"));

    EXPECT_EQ(sound.format.rate, c.rate);
    EXPECT_EQ(sound.format.channels, c.channels);
    EXPECT_EQ(sound.format.fileFormat, c.format);
    EXPECT_EQ(sound.samples, reference.samples);

    course.writeBytes("copy.wav", encodeWav(sound));
    const WavContents copy = readWavContents(course.absolute("copy.wav"));
    EXPECT_EQ(copy.format, c.format);
    EXPECT_EQ(copy.rate, c.rate);
    EXPECT_EQ(copy.frames(), reference.frames());
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, WavEncodings,
    ::testing::Values(EncodingCase{"pcm16 mono", 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                      EncodingCase{"pcm16 stereo", 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                      EncodingCase{"pcm8", 11025, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
                      EncodingCase{"pcm24", 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_24},
                      EncodingCase{"float", 22050, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
                      EncodingCase{"ima adpcm", 22050, 1, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM},
                      EncodingCase{"ms adpcm stereo", 22050, 2, SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM},
                      EncodingCase{"extensible", 16000, 1, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16}));

TEST(WavFile, FloatSamplesAreScaledToTheSixteenBitRange)
{
    TempCourse course;
    writeRampWav(course.absolute("f.wav"), 8000, 1, 8000, SF_FORMAT_WAV | SF_FORMAT_FLOAT);

    const SoundData sound = readWavFile(QStringLiteral("f.wav"));

    ASSERT_EQ(sound.frames(), 8000);
    EXPECT_NEAR(sound.samples[7999], rampSample(7999, 0), 1);
}

TEST(WavFile, SixteenBitPcmRoundTripsSampleForSample)
{
    SoundData sound;
    sound.format = {22050, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16};
    sound.samples = rampFrames(0, 3000, 2);

    const SoundData back = decodeWav(encodeWav(sound));

    EXPECT_EQ(back.samples, sound.samples);
    EXPECT_EQ(back.format.fileFormat, sound.format.fileFormat);
}

// Each damaged file is refused with a code or read as what its bytes can hold: never more
// than 8 frames a byte (the densest encoding libsndfile reads), never a crash (the
// sanitizer build checks every read).
TEST(WavFile, DamagedHeadersAreRefusedOrReadWithinTheirBytes)
{
    SoundData sound;
    sound.format = {22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16};
    sound.samples = rampFrames(0, 100, 1);
    const QByteArray good = encodeWav(sound);

    // Each damage, at the byte it hits: the RIFF tag, the format tag, the channel count, the
    // sample rate, the block size, the bits per sample, the data size.
    struct Damage {
        int offset;
        QByteArray bytes;
    };
    const std::vector<Damage> damages = {
        {0, "RIFX"}, {20, QByteArray("\x55\x00", 2)}, {22, QByteArray("\x00\x00", 2)},
        {24, QByteArray("\x00\x00\x00\x00", 4)}, {32, QByteArray("\x00\x00", 2)},
        {34, QByteArray("\x03\x00", 2)}, {40, QByteArray("\xff\xff\xff\x7f", 4)},
    };
    for (const Damage &damage : damages) {
        QByteArray bytes = good;
        bytes.replace(damage.offset, damage.bytes.size(), damage.bytes);
        try {
            const SoundData read = decodeWav(bytes);
            EXPECT_LE(read.frames(), 8 * bytes.size()) << "damage at " << damage.offset;
        } catch (const SoundFailure &failure) {
            EXPECT_NE(failure.code(), SoundResult::Ok) << "damage at " << damage.offset;
        }
    }
    for (int length = 0; length < good.size(); ++length) {
        try {
            const SoundData read = decodeWav(good.left(length));
            EXPECT_LE(read.frames(), 100) << "cut at " << length;
            // A file cut inside its data still gives every whole frame before the cut.
            const qsizetype header = good.size() - 200;
            if (length >= header) {
                EXPECT_EQ(read.frames(), (length - header) / 2) << "cut at " << length;
            }
        } catch (const SoundFailure &) {
        }
    }
}

} // namespace
