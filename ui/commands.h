// commands.h -- the user's commands, applied once per frame from KeyTable and the pointer
#pragma once

#include "engine/viewer_state.h"

// What the commands call after each change of the picture: recomputeImage, unless a test
// records the calls instead.
extern void (*recomputation)();

// Applies every command in its fixed order: palette keys, zoom about the centre, zoom about the
// pointer, pan, reset, update, colouring, method, kind. Each command that changes the picture
// recomputes it at once; one-shot keys are cleared, held keys act again next frame. The first
// half of runFrame.
void applyCommands();

// The point of the plane under the pointer position in view, with the picture's own pixel step
// (1/512 of the extent). The Julia constant comes from it, and so do the display's coordinates.
JuliaSeed pointOfPointer(const PointerPosition& pointer, const ViewRegion& view);
