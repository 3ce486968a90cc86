#pragma once

// The one message of the text-work window: its course files could not all be read.
// The window shows it once after loading and goes on with what was read.
void reportTextWorkReadError();
