#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Readers that take a path get the fuzz input through one scratch file per process, so the
// whole read path (open, size check, parse) is exercised, not just the parser.
const std::string& FuzzScratchFile(const char* extension);
void WriteFuzzInput(const std::string& path, const uint8_t* data, size_t size);
