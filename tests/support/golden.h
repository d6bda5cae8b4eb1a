// golden.h -- expected outputs kept as reviewed files under tests/golden
#pragma once

#include <string>

// Checks actual against tests/golden/NAME. With ZELVONIA_REWRITE_GOLDEN=1 in the environment the
// file is written instead; review the rewrite with `git diff tests/golden` before committing it.
// On a mismatch the actual output is left in the build folder for comparison.
void expectGolden(const std::string& name, const std::string& actual);
