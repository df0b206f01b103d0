#pragma once
// Whole files as bytes, for the picture codecs and the ini file.

#include <cstddef>
#include <string>

class QByteArray;

// Writes the bytes to a temporary file beside fileName and puts it in the target's place
// only once every byte is written, so a failed write leaves the old file as it was. On
// failure errorText (when given) says "Cannot write file NAME: reason".
bool WriteFileBytes(const std::string& fileName, const void* data, std::size_t size,
                    std::string* errorText = nullptr);

// Reads the whole file. On failure to open it errorText (when given) says
// "Cannot open file NAME: reason".
bool ReadFileBytes(const std::string& fileName, QByteArray& bytes, std::string* errorText = nullptr);
