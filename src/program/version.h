#pragma once
// The program's version, written here only: the code (product.h), the version resource, the
// build (CMake's project version) and the release files all take it from these two lines.
// Plain macros, so that the resource compiler and CMake can read them too.

#define VENTRIX_VERSION_MAJOR 3
#define VENTRIX_VERSION_MINOR 36

#define VENTRIX_TEXT_OF(tokens) #tokens
#define VENTRIX_TEXT(tokens) VENTRIX_TEXT_OF(tokens)
// "3.36".
#define VENTRIX_VERSION_TEXT VENTRIX_TEXT(VENTRIX_VERSION_MAJOR.VENTRIX_VERSION_MINOR)
