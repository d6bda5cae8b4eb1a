// three_dnow_form.h -- the tools' choice between the 3DNow! instructions and the packed-pair layer
#pragma once

// Where the processor lacks 3DNow!, methods 2 and 5 run on the packed-pair layer, with the same
// pictures, and program says so on stderr when wanted is true (the run uses those methods).
// Returns true when they run on the layer. Called by the tools at start.
bool chooseThreeDNowForm(const char* program, bool wanted);
