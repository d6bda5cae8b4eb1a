// processor_forms.h -- the tools' choice of the processor's forms: the 3DNow! instructions or the
// packed-pair layer, SSE2 or the x87 for methods 0 and 3, and the widest vectorised form
#pragma once

// Where the processor lacks 3DNow!, or without (WithoutFeature bits of tool_options.h) names it,
// methods 2 and 5 run on the packed-pair layer, with the same pictures; program says so on stderr
// when wanted is true (the run uses those methods) and the processor lacks 3DNow! unasked. Where
// without names SSE2, methods 0 and 3 run on the x87. The vectorised kernels take the widest form
// left by without. Returns true when methods 2 and 5 run on the layer. Called by the tools at
// start.
bool chooseProcessorForms(const char* program, bool wanted, unsigned without);
