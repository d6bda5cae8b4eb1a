// processor_check.cpp -- the 3DNow! check
#include "engine/processor_check.h"

// Fallback until the check exists: no 3DNow!.
int32_t detect3DNow() {
    return 0;
}
