// threads.h -- one piece of work on several of the system's threads at once
#pragma once

// Runs work(context, index) for every index from 0 to count - 1 at the same time: index 0 on the
// calling thread, the others on helper threads, started at the first call that needs them and
// kept for the next (a count below 1 counts as 1); returns when all have ended. An index whose
// thread the system cannot start does not run at all, so work must share its parts out among the
// indexes that do run. Returns how many indexes ran (at least 1). Called from one thread at a time.
int runWorkers(int count, void (*work)(void* context, int index), void* context);

// The processor's hardware threads, at least 1.
int hardwareThreadCount();
