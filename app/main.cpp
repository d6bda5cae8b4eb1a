// main.cpp -- the viewer's entry
#include "app/main_loop.h"

int main() {
    return viewerMain();
}
