// system_threads.h -- the system's threads and semaphores, beneath the workers of threads.h
#pragma once

// Starts entry(argument) on a thread of its own, which runs until the program ends; false if the
// system cannot start one.
bool startThread(void (*entry)(void* argument), void* argument);

// A counting semaphore, starting at 0; never destroyed.
struct SystemSemaphore;
SystemSemaphore* makeSemaphore();
// Waits until the count is above 0 and lowers it by 1.
void waitSemaphore(SystemSemaphore* semaphore);
// Raises the count by 1.
void postSemaphore(SystemSemaphore* semaphore);
