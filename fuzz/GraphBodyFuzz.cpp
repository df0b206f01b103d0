// The record readers of the graph file body, past the sums: the input is a version byte, a
// graph kind byte, a byte that picks the reader (BodyReaders()), then the body. The harness
// wraps the body in a header of that version and kind and writes both sums, so every
// mutation reaches the reader.
#include "fuzz/FuzzSupport.h"

#include "model/FILESAVE.h"
#include "platform/Errors.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSetUp();
    const std::string folder = FuzzSeedFolder();
    if (folder.empty()) return 0;
    const std::vector<TBodyReader>& readers = BodyReaders();
    for (size_t i = 0; i < readers.size(); ++i) {
        if (!readers[i].WriteSeed) continue;
        std::vector<uint8_t> seed = {3, uint8_t(readers[i].SeedGraphKind - 1), uint8_t(i)};
        const std::vector<uint8_t> body = WrittenBody(readers[i].SeedGraphKind, readers[i].WriteSeed);
        seed.insert(seed.end(), body.begin(), body.end());
        WriteSeedFile(folder, "seed-" + std::to_string(i) + ".bin", seed);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<TBodyReader>& readers = BodyReaders();
    if (size < 4 || readers.empty()) return 0; // a body has at least one byte
    FuzzNextInput();
    const int32_t version = 1 + data[0] % 4, kind = 1 + data[1] % 3;
    const TBodyReader& reader = readers[data[2] % readers.size()];
    const std::vector<uint8_t> file = GraphFileBytes(version, kind, data + 3, size - 3);
    const std::string name = WriteInputFile(file.data(), file.size());
    TReadGraphFile r;
    try {
        if (r.OpenGraphFile(name, '.')) reader.Read(r);
    } catch (const EFileLoadError&) {
    }
    return 0;
}
