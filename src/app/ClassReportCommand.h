#pragma once

class CommandLine;

// "--class-report DIR [--html FILE]": the class's progress without a window, as CSV in UTF-8
// on standard output, and as a printable page in FILE. Exit status 0, or 2 with a line on
// standard error when the course or the page cannot be read or written.
int runClassReport(int argc, char **argv, const CommandLine &commandLine);
