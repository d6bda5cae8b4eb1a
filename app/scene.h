// scene.h -- the start of a scene in a new rendering context
#pragma once

// Font texture and font, default palette, processor check and start-up method, the first
// picture and the help timer. 1 on success; 0 when the font texture cannot be loaded, which has
// shown its own message. Called by createAppWindow once the rendering context is current.
int initScene();
