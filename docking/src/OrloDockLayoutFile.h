#pragma once

// Layout files. Reading takes no more than the header promises, and never
// more than a layout can be; every failure is raised as the library's own
// exception: EOrloDockLayoutFileError for the file, tk::EReadError for a
// header that is not a layout's.

#include <orlodock/tk/streaming.h>

// The header and the payload it promises, with one byte more if the file
// goes on (DecodeLayout then names the difference).
tk::Bytes ReadLayoutFile(const tk::String& fileName);
void WriteLayoutFile(const tk::String& fileName, const tk::Bytes& data);
