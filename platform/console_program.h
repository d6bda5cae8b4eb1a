// console_program.h -- what every command-line tool sets up first
#pragma once

// Called first by each tool's main with its name. Message boxes, such as the bitmap loader's,
// then go to stderr as "NAME: CAPTION: TEXT" and count as closed, so that a tool never waits on
// a window. On Windows argv becomes the wide command line in UTF-8, the form in which every file
// call of the platform layer takes names, and the console shows UTF-8 until the tool ends.
void startConsoleProgram(const char* name, int* argc, char*** argv);
