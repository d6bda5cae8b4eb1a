// message_box.cpp -- the message box the program calls
#include "platform/message_box.h"

MessageBoxFunction showMessageBox = systemMessageBox;
