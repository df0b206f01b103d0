// The graph file reader on any file: open it (signature, version, both sums) and, when it
// opens, run every whole-body reader on it. Most mutations break a sum, so this target
// mostly tries the frame; fuzz_graphbody repairs the sums to reach the records.
#include "fuzz/FuzzSupport.h"

#include "model/FILESAVE.h"
#include "platform/Errors.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSetUp();
    const std::string folder = FuzzSeedFolder();
    if (folder.empty()) return 0;
    // Each whole-body reader's seed body, in files of every version.
    int n = 0;
    for (const TBodyReader& r : BodyReaders()) {
        if (!r.Whole || !r.WriteSeed) continue;
        const std::vector<uint8_t> body = WrittenBody(r.SeedGraphKind, r.WriteSeed);
        for (int32_t version = 1; version <= 4; ++version)
            WriteSeedFile(folder, "seed-" + std::to_string(n) + "-v" + std::to_string(version) + ".qxf",
                          GraphFileBytes(version, r.SeedGraphKind, body.data(), body.size()));
        ++n;
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzNextInput();
    const std::string name = WriteInputFile(data, size);
    for (const TBodyReader& r : BodyReaders()) {
        if (!r.Whole) continue;
        TReadGraphFile reader;
        try {
            if (!reader.OpenGraphFile(name, '.')) return 0;
            r.Read(reader);
        } catch (const EFileLoadError&) {
        }
    }
    return 0;
}
