// clock.cpp -- the clocks the timers read
#include "platform/clock.h"

const ClockSource* clockSource = &systemClocks;
