#include "SpokenWeight.h"

#include <QtGlobal>

#include <algorithm>

namespace {

constexpr double PerWord = 0.25;
constexpr double PerInnerMark = 0.5;
constexpr double PerDigit = 1.2;
// Letters outside ASCII (a name in Cyrillic, say) count by length.
constexpr double PerOtherLetter = 0.4;
// A word spelt out ("W-O-O-D") is read letter by letter, with a break after each.
constexpr double PerSpeltBreak = 0.5;

bool isVowel(char c)
{
    switch (c | 0x20) {
    case 'a': case 'e': case 'i': case 'o': case 'u': case 'y':
        return true;
    default:
        return false;
    }
}

bool isAsciiLetter(char c)
{
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

// Syllables of one ASCII word: groups of vowels, less a silent final "e" ("made", not "table").
double wordSyllables(QByteArrayView word)
{
    int groups = 0;
    bool inVowels = false;
    for (char c : word) {
        const bool vowel = isVowel(c);
        if (vowel && !inVowels)
            ++groups;
        inVowels = vowel;
    }
    const qsizetype n = word.size();
    if (groups > 1 && n > 2 && (word[n - 1] | 0x20) == 'e' && !isVowel(word[n - 2]) &&
        !((word[n - 2] | 0x20) == 'l' && !isVowel(word[n - 3])))
        --groups;
    return std::max(groups, 1);
}

} // namespace

double spokenWeight(QByteArrayView line)
{
    double weight = 0;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        const char c = line[i];
        if (isAsciiLetter(c)) {
            qsizetype end = i;
            while (end < n && (isAsciiLetter(line[end]) || line[end] == '\''))
                ++end;
            const bool letter = end == i + 1;
            // Letter names are a syllable each, but "double-u".
            weight += (letter ? ((c | 0x20) == 'w' ? 3 : 1) : wordSyllables(line.sliced(i, end - i))) + PerWord;
            if (letter && end + 1 < n && line[end] == '-' && isAsciiLetter(line[end + 1]) &&
                (end + 2 == n || !isAsciiLetter(line[end + 2])))
                weight += PerSpeltBreak;
            i = end;
            continue;
        }
        if (c >= '0' && c <= '9')
            weight += PerDigit;
        else if (uchar(c) >= 0x80)
            weight += PerOtherLetter;
        else if ((c == ',' || c == ';' || c == ':') && i + 1 < n)
            weight += PerInnerMark;
        ++i;
    }
    return std::max(weight, 1.0);
}
