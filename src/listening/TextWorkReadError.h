#pragma once

#include <QString>

// The one message of the text-work window: its course files could not all be read; it names
// the file that stopped the reading (`problem`, from TextWorkFiles::loadProblem). The window
// shows it once after loading and goes on with what was read.
void reportTextWorkReadError(const QString &problem);
