#pragma once

class CommandLine;

// "--make-timing TEXT SOUND" and "--import-timing FILE TEXT": the timing file goes to
// standard output, or with "--out FILE" replaces that file in one step. A file that cannot
// be read (or timings that do not fit the text) is reported on standard error as
// "vestoria: file:line: message", and the status is 1.
int runTimingCommand(const CommandLine &line);
