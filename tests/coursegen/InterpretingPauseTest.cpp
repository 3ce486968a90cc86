#include "InterpretingPause.h"

#include <gtest/gtest.h>

namespace {

TEST(InterpretingPause, SyllablesOfTheRussianLinesAsALearnerSaysThem)
{
    struct Case {
        const char *russian;
        int syllables;
    };
    const Case cases[] = {
        {"потом поверните налево.", 9},
        {"«Спасибо.", 3},
        {"Ёлка, ЮЛЯ и Эмма", 7},                      // capitals and ё count
        {"Мой номер — (212) 555-0147».", 3 + 4 + 3 + 7}, // digits by their names: два, один, два...
        {"«W-O-O-D».", 3 + 1 + 1 + 1},                 // a spelled name, "double u" first
        {"—", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(russianSyllables(QString::fromUtf8(c.russian)), c.syllables) << c.russian;

    // Four syllables a second and half a second to begin; a part of a syllable rounds up.
    EXPECT_EQ(sayingTimeMs(QStringLiteral("потом поверните налево.")), 9 * 250 + 500);
    EXPECT_EQ(interpretingPauseMs(QStringLiteral("потом поверните налево."), 825), 2750);
    // A long phrase with a short translation keeps a pause as long as the phrase.
    EXPECT_EQ(interpretingPauseMs(QStringLiteral("Да."), 1800), 1800);
}

TextLine syntagm(int line, const char *russian)
{
    TextLine text;
    text.pos = {QStringLiteral("lessons/l/text.tsv"), line};
    text.english = QStringLiteral("Phrase.");
    text.spoken = text.english;
    text.russian = QString::fromUtf8(russian);
    return text;
}

TEST(InterpretingPause, TheCheckFailsAtTheSyntagmWhosePauseIsTooShort)
{
    TextLine heading;
    heading.english = QStringLiteral("#Title");
    // "потом поверните налево." needs 2750 ms, "Да." 750 ms.
    const std::vector<TextLine> text{heading, syntagm(2, "потом поверните налево."), syntagm(3, "Да.")};
    struct Case {
        const char *name;
        std::vector<SoundSpan> spans;
        qint32 lengthMs;
        int failingLine; // 0: passes
    };
    const Case cases[] = {
        {"both pauses long enough", {{800, 1625}, {4375, 5000}, }, 5750, 0},
        {"first pause as long as its phrase only", {{800, 1625}, {2450, 3000}}, 4000, 2},
        {"first pause a millisecond short", {{800, 1625}, {4374, 5000}}, 5750, 2},
        {"last pause cut by the end of the sound", {{800, 1625}, {4375, 5000}}, 5700, 3},
        {"last pause shorter than its long phrase", {{800, 1625}, {4375, 6375}}, 7500, 3},
    };
    for (const Case &c : cases) {
        JoinedSound sound;
        sound.spans = c.spans;
        sound.lengthMs = c.lengthMs;
        if (c.failingLine == 0) {
            EXPECT_NO_THROW(checkInterpretingPauses(text, sound)) << c.name;
            continue;
        }
        try {
            checkInterpretingPauses(text, sound);
            ADD_FAILURE() << c.name << ": passed";
        } catch (const SourceError &error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("text.tsv:%1:").arg(c.failingLine)))
                << c.name << ": " << error.what();
        }
    }
}

} // namespace
