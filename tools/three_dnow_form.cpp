// three_dnow_form.cpp -- 3DNow! or the packed-pair layer, for the tools
#include "tools/three_dnow_form.h"

#include <cstdio>

#include "engine/processor_check.h"
#include "engine/tile_computation.h"

bool chooseThreeDNowForm(const char* program, bool wanted) {
    if (detect3DNow()) return false;
    useThreeDNowLayer(true);
    if (wanted)
        std::fprintf(stderr,
                     "%s: no 3DNow! on this processor; methods 2 and 5 run on the packed-pair "
                     "layer\n",
                     program);
    return true;
}
