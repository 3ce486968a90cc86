#pragma once

#include "shell/CourseChoice.h"

class CommandLine;

// Chooses the course a start opens, from the command line, the working directory and the
// user's places (see CourseChoice).
CourseChoice::Result chooseCourse(const CommandLine &commandLine);

// Tells why no course can open: on stderr, in Russian and English, and in the message
// window when there is a display to show it on.
void reportCourseProblem(int &argc, char **argv, const CommandLine &commandLine, const CourseChoice::Result &result);
