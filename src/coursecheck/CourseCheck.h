#pragma once

#include "CourseProblem.h"

#include <QString>

#include <vector>

// Checks the course folder that is the working directory, as the program will use it:
// the fixed files of the folder, the four catalogues (loading, numbers, links, tree
// order), and for every entry its description and the course files its exercise reads,
// found by the program's own name resolution, with the rules of their formats.
// Nothing is changed; the problems come back in a fixed order (fixed files, then
// catalogues A to D entry by entry), each once.
std::vector<CourseProblem> checkCourse();

// What the check says about a course folder it cannot enter: the reason for the system's
// error number, in the check's language.
QString courseFolderProblem(int errorNumber);

// The one line the check prints for a course without problems.
QString cleanCourseLine();
