// pointer.cpp -- client-area points stretched onto the scene
#include "platform/pointer.h"

namespace {
// Rounds towards minus infinity, so that points left of or above the client area stay outside.
int32_t scaleCoordinate(int32_t value, int32_t sceneSize, int32_t clientSize) {
    const int64_t product = int64_t(value) * sceneSize;
    int64_t quotient = product / clientSize;
    if (product % clientSize != 0 && product < 0) --quotient;
    return int32_t(quotient);
}
} // namespace

void scaleToScene(int32_t clientX, int32_t clientY, int32_t clientWidth, int32_t clientHeight,
                  int32_t* sceneX, int32_t* sceneY) {
    *sceneX = clientX;
    *sceneY = clientY;
    if (clientWidth > 0 && clientWidth != SceneWidth)
        *sceneX = scaleCoordinate(clientX, SceneWidth, clientWidth);
    if (clientHeight > 0 && clientHeight != SceneHeight)
        *sceneY = scaleCoordinate(clientY, SceneHeight, clientHeight);
}
