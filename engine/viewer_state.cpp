// viewer_state.cpp -- the one instance of the program-wide state
#include "engine/viewer_state.h"

ViewerState viewerState;
