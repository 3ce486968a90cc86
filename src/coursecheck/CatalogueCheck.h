#pragma once

#include "course/Catalogue.h"

#include <QString>

#include <optional>
#include <vector>

class CheckContext;

struct CheckedCatalogue {
    Catalogue entries;        // 0..N, entry 0 empty
    std::vector<bool> loaded; // 0..N: the line loaded
};

// Checks a catalogue file of the working directory as the program's loader and lesson
// tree will read it: every line must load (the loader stops at the first bad number),
// every Link must lie in 0..N (else the tree cannot be built) and name an earlier entry,
// no node may lie deeper than the tree allows, and the entries must be in pre-order, so that entry k is node k - 1 of the tree.
// Unlike the loader it goes on after a bad line, to report them all; the entries it
// returns keep the line numbers, a bad line giving an empty entry. Empty when the file
// cannot be read at all.
std::optional<CheckedCatalogue> checkCatalogue(CheckContext &context, const QString &fileName);
