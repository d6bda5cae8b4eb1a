// error_text.h -- the text of an errno value, worded alike on every system
#pragma once

// What the C library of Linux says for error, so that the tools' messages read the same on
// Windows, whose runtime words some of them otherwise.
const char* errorText(int error);
