#pragma once

// Where one syntagm lies in the wrapped display lines of the listening window: it begins
// after the first FirstColumn characters of line FirstLine and ends after the first
// LastColumn characters of line LastLine. Lines count from 1; a separator ("#" line) has
// the span 0, 0, 0, 0.
struct SyntagmSpan {
    int FirstLine = 0;
    int FirstColumn = 0;
    int LastLine = 0;
    int LastColumn = 0;

    bool isEmpty() const { return FirstLine == 0; }
    friend bool operator==(const SyntagmSpan &, const SyntagmSpan &) = default;
};
