#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The three ways of writing the same join: the first input whole, every
// further one from byte 5000 on. Each creates `output` afresh and flushes it
// to stable storage before returning, as the engine does before it reports
// success; each throws std::runtime_error on failure.

// Korvane's engine; a size of 0 means the engine's own.
void JoinWithEngine(const std::vector<std::string>& inputs, const std::string& output,
                    std::size_t bufferSize = 0, std::size_t sliceSize = 0);

// The engine's copy where the kernel does not copy (and the engine's only
// copy before it could): every byte read into a buffer of the engine's size
// and written from there.
void JoinWithReadWrite(const std::vector<std::string>& inputs, const std::string& output);

// `cat` of the first input and `tail -c +5001` of the others, into one file.
void JoinWithCatAndTail(const std::vector<std::string>& inputs, const std::string& output);

// The same byte ranges copied inside the kernel (copy_file_range).
void JoinWithKernelCopy(const std::vector<std::string>& inputs, const std::string& output);
