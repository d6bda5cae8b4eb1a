// scene.cpp -- initScene
#include "app/scene.h"

#include <new>

#include "engine/processor_check.h"
#include "engine/tile_textures.h"
#include "engine/viewer_state.h"
#include "platform/gl.h"
#include "platform/window_system.h"
#include "ui/bitmap_font.h"
#include "ui/heads_up_display.h"
#include "ui/palette.h"

int initScene() {
    if (!loadFontTexture()) return 0;
    glShadeModel(GL_FLAT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    viewerState.font = new (std::nothrow) BitmapFont(viewerState.fontTexture);
    loadPalette("palety/Default.pal");
    windowSystem->showCursor(0); // the frame draws its own pointer cross
    viewerState.has3DNow = detect3DNow();
    // The implementation starts afresh; the colouring the user chose stays, and the method with it.
    viewerState.method = methodOf(viewerState.colourEnabled, viewerState.has3DNow ? 2 : 1);
    // The textures of an earlier context went with it, so there is nothing to delete.
    computeMandelbrotTiles();
    helpTimer.restart(); // each new scene opens with the help screen
    return 1;
}
