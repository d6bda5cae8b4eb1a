// processor_forms.cpp -- 3DNow! or the packed-pair layer, SSE2 or the x87, and the vectorised
// form, for the tools
#include "tools/processor_forms.h"

#include <cstdio>

#include "engine/kernels_portable_vector.h"
#include "engine/processor_check.h"
#include "engine/tile_computation.h"
#include "tools/tool_options.h"

namespace {

// Each form needs the features of the narrower ones, SSE2 at the bottom. Without SSE2 the
// portable kernels run on the x87 too.
void chooseVectorForm(unsigned without) {
    if (without & WithoutSse2) {
        limitVectorForm(ScalarForm);
        usePortableOnX87(true);
    } else if (without & WithoutAvx2)
        limitVectorForm(Sse2Form);
    else if (without & WithoutAvx512)
        limitVectorForm(Avx2Form);
}

} // namespace

bool chooseProcessorForms(const char* program, bool wanted, unsigned without) {
    chooseVectorForm(without);
    const bool present = detect3DNow() != 0;
    if (present && !(without & WithoutThreeDNow)) return false;
    useThreeDNowLayer(true);
    if (wanted && !present && !(without & WithoutThreeDNow))
        std::fprintf(stderr,
                     "%s: no 3DNow! on this processor; methods 2 and 5 run on the packed-pair "
                     "layer\n",
                     program);
    return true;
}
