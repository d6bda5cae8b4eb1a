// tile_textures.h -- the viewer's picture: the four tiles computed and uploaded as textures
#pragma once

// Computes the current kind and uploads the four tiles as fresh textures. Called by initScene
// for the first picture of a rendering context.
void computeMandelbrotTiles();
void computeJuliaTiles();

// Deletes the four tile textures and computes the current kind again. Called after every
// command that changes the picture.
void recomputeImage();
