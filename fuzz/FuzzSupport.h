#pragma once
// What every fuzz target shares: a QApplication on the offscreen platform and a scripted UI
// hook (every message box gets its safe answer, every modal form Cancel), set up once; and,
// for the graph file targets, the registry of body readers.
//
// Adding a body reader: in any fuzz/*.cpp that the graph targets build (see CMakeLists.txt),
//     static TRegisterBodyReader load2D("whole 2D load", read2D, writeSeed2D, GraphKind2D, true);
// where read2D(TReadGraphFile&) reads from the first body byte of an open file and
// writeSeed2D(TWriteGraphFile&) writes one valid body for the seed corpus (or nullptr).
// fuzz_graphbody picks a reader by the input's third byte; fuzz_graphfile runs every reader
// registered as whole (the last argument) on each file that opens, so a whole graph load
// (a controller's LoadFromFile) joins both targets by this one line. The seeds of every
// reader are written when the corpus folder is named in QUORIX_FUZZ_SEEDS.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TReadGraphFile;
class TWriteGraphFile;

// Starts the toolkit and the hook once per process; clears the hook's records per input.
void FuzzSetUp();
void FuzzNextInput();

// The seed folder from QUORIX_FUZZ_SEEDS, or empty.
std::string FuzzSeedFolder();
void WriteSeedFile(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes);

// A file of the given bytes in a private temporary folder, rewritten per input.
std::string WriteInputFile(const uint8_t* data, size_t size);

struct TBodyReader {
    std::string Name;
    std::function<void(TReadGraphFile&)> Read;
    std::function<void(TWriteGraphFile&)> WriteSeed; // may be empty
    int32_t SeedGraphKind = 1;
    bool Whole = false; // reads a whole body, whatever the file's kind
};
std::vector<TBodyReader>& BodyReaders();
struct TRegisterBodyReader {
    TRegisterBodyReader(std::string name, std::function<void(TReadGraphFile&)> read,
                        std::function<void(TWriteGraphFile&)> writeSeed = nullptr, int32_t seedGraphKind = 1,
                        bool whole = false);
};

// A whole graph file: the header of the given version and kind (both sums right) around Body.
std::vector<uint8_t> GraphFileBytes(int32_t version, int32_t graphKind, const uint8_t* body, size_t size);
// The body bytes that Write puts into a version-4 file of the given kind.
std::vector<uint8_t> WrittenBody(int32_t graphKind, const std::function<void(TWriteGraphFile&)>& write);
