#pragma once

#include "bench_options.h"

// --validate: renders each validation run from a fresh start-up and compares
// its frames with the references. Exit status 0 when all pass, 1 when a frame
// fails or a run fails, 2 when the references cannot be used.
int runValidation(const BenchOptions& options);
