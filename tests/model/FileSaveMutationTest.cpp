// Damaged files: thousands of truncated, bit-flipped and length-corrupted variants of one
// graph file, from a fixed seed. Every load must end in success or in the load error, with
// no other exception, no crash, no endless prompt, and nothing for the sanitizers to find.

#include "model/FILESAVE.h"

#include "common/GraphFileBytes.h"
#include "platform/Errors.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <random>

using namespace recordtest;

namespace {

// A body made of tagged typed values, read back by tag: a stand-in for the section readers
// that exercises every typed reader on whatever a damaged file offers.
enum : int32_t {
    tgEnd,
    tgInteger,
    tgColor,
    tgWord,
    tgPoint,
    tgString,
    tgMathString,
    tgShortString,
    tgFont,
    tgFontV1,
    tgExtended,
    tgRecord,
    tgSkip,
    tgPacked,
    tgBitmap,
    tgConstant,
    tgJpeg,
};

void writeSample(TWriteGraphFile& w, std::mt19937& rng) {
    auto text = [&](int maxLen) {
        std::string s(rng() % (maxLen + 1), ' ');
        for (char& c : s)
            c = char(' ' + rng() % 95);
        return s;
    };
    for (int round = 0; round < 3; ++round) {
        w.WriteInteger(tgInteger);
        w.WriteInteger(int32_t(rng()));
        w.WriteInteger(tgColor);
        w.WriteColor(TColor(rng()));
        w.WriteInteger(tgPoint);
        w.WritePoint(TPoint{int32_t(rng()), -int32_t(rng() % 1000)});
        w.WriteInteger(tgString);
        w.WriteString(text(40));
        w.WriteInteger(tgMathString);
        w.WriteMathString("1.5*X+" + std::to_string(rng() % 100));
        w.WriteInteger(tgFont);
        TFontRecord f;
        f.Name = text(20);
        f.Size = int(rng() % 72);
        w.WriteFont(f);
        w.WriteInteger(tgExtended);
        w.WriteExtended((long double)rng() / 7.0L);
        w.WriteInteger(tgRecord);
        TRecordBuilder rec(24);
        rec.SetInt32(0, int32_t(rng()));
        rec.SetExtended(4, -1.25L);
        rec.SetByte(14, 3);
        rec.SetByte(15, 'a');
        rec.SetByte(16, 'b');
        rec.SetByte(17, 'c');
        rec.WriteTo(w);
        w.WriteInteger(tgSkip);
        w.WriteInteger(5);
        w.WriteRecord("12345", 5);
        w.WriteInteger(tgPacked);
        w.WritePackedMathValue(
            TMathValue{int64_t(rng() % 1000), 7, (long double)(rng() % 1000) / 7, mvFraction});
        w.WriteInteger(tgBitmap);
        TBitmap bitmap(3, 2, round == 0 ? pf24bit : round == 1 ? pf8bit : pf16bit);
        bitmap.SetPixel(1, 1, TColor(rng() & 0xFFFFFF));
        w.WriteBitmap(bitmap);
        w.WriteInteger(tgJpeg);
        TJPEGImage jpeg;
        jpeg.Options.Progressive = round != 1;
        EXPECT_TRUE(jpeg.Assign(bitmap));
        w.WriteJPEG(jpeg);
        w.WriteInteger(tgConstant);
        w.WriteMathString(std::to_string(rng() % 100) + ".5/3");
        // Read-only layouts, written raw.
        w.WriteInteger(tgWord);
        w.WriteRecord("\x34\x12", 2);
        w.WriteInteger(tgShortString);
        uint8_t shortText[21] = {4, 'a', 'b', 'c', 'd'};
        w.WriteRecord(shortText, 21);
        w.WriteInteger(tgFontV1);
        uint8_t v1[32 + 4 + 1 + 2] = {5, 'A', 'r', 'i', 'a', 'l'};
        w.WriteRecord(v1, sizeof v1);
    }
    w.WriteInteger(tgEnd);
}

void readSample(TReadGraphFile& r) {
    for (;;) {
        switch (r.ReadInteger()) {
        case tgEnd:
            return;
        case tgInteger:
            (void)r.ReadInteger();
            break;
        case tgColor:
            (void)r.ReadColor();
            break;
        case tgWord:
            (void)r.ReadWord();
            break;
        case tgPoint: {
            TPoint p;
            r.ReadPoint(p);
            break;
        }
        case tgString:
            (void)r.ReadString();
            break;
        case tgMathString:
            (void)r.ReadMathString();
            break;
        case tgShortString:
            (void)r.ReadShortString(20);
            break;
        case tgFont: {
            TFontRecord f;
            r.ReadFont(f);
            break;
        }
        case tgFontV1: {
            TFontRecord f;
            r.ReadFontV1(f);
            break;
        }
        case tgExtended:
            (void)r.ReadExtended();
            break;
        case tgRecord: {
            TRecordReader rec(r, 24);
            (void)rec.Int32(0);
            (void)rec.Extended(4);
            (void)rec.ShortString(14, 9);
            break;
        }
        case tgSkip: {
            int32_t n = r.ReadInteger();
            if (n > 0) r.SkipBytes(n);
            break;
        }
        case tgPacked:
            (void)r.ReadPackedMathValue();
            break;
        case tgBitmap:
            (void)r.ReadBitmap();
            break;
        case tgJpeg:
            (void)r.ReadJPEG();
            break;
        case tgConstant: {
            std::string s;
            TMathValue v;
            r.ReadMathConstString(s, v, false);
            break;
        }
        default:
            r.RaiseLoadError();
        }
    }
}

bool isExpectedMessage(const std::string& m) {
    return m == "File is not a Quorix data file, and can not be opened" ||
           m == "Error in file; file data is corrupted" || m == "Error loading file" ||
           m == "Error reading from file" || m.rfind("File created by version number ", 0) == 0;
}

enum TOutcome { ocRefused, ocLoadError, ocLoaded };

TOutcome load(const std::string& file) {
    TReadGraphFile r;
    if (!r.OpenGraphFile(file, ',')) return ocRefused;
    try {
        readSample(r);
    } catch (const EFileLoadError&) {
        return ocLoadError;
    }
    return ocLoaded;
}

} // namespace

TEST(FileMutation, DamagedFilesEndInSuccessOrTheLoadError) {
    TDecimalSeparator comma(','); // the reader localises the constant texts to it
    TTempDir dir;
    const std::string file = dir.File("m.qxf");
    std::mt19937 rng(20240611);
    {
        TScopedScriptedUiHook hook;
        TWriteGraphFile w;
        ASSERT_TRUE(w.CreateGraphFile(file, GraphKind2D, '.'));
        writeSample(w, rng);
        ASSERT_TRUE(w.CloseGraphFile());
    }
    const Bytes original = readBytes(file);
    ASSERT_GT(original.size(), 400u);
    {
        TScopedScriptedUiHook hook;
        ASSERT_EQ(load(file), ocLoaded);
        EXPECT_TRUE(hook->Messages.empty());
    }

    const int32_t nasty[] = {-1, 0, 1, 3, 7, 255, 256, 4096, 65535, 1 << 20, INT32_MAX, INT32_MIN, -100};
    int counts[3] = {};
    int flipsCaught = 0, flips = 0;
    TScopedScriptedUiHook hook;
    for (int iteration = 0; iteration < 4000; ++iteration) {
        Bytes f = original;
        const size_t bodyStart = 63, bodyEnd = f.size() - 2;
        auto bodyOffset = [&] { return bodyStart + rng() % (bodyEnd - bodyStart); };
        const int kind = int(rng() % 7);
        bool isPlainFlip = false;
        switch (kind) {
        case 0: // truncated anywhere, sums left as they are
            f.resize(rng() % f.size());
            break;
        case 1: // one bit flipped anywhere, sums left as they are
            f[rng() % f.size()] ^= uint8_t(1u << (rng() % 8));
            isPlainFlip = true;
            break;
        case 2: // a few body bytes changed, sums made right again
            for (int n = 1 + int(rng() % 4); n > 0; --n)
                f[bodyOffset()] = uint8_t(rng());
            fixSums(f);
            break;
        case 3: { // a length or count overwritten with a nasty value, sums made right
            size_t at = bodyOffset();
            if (at + 4 > bodyEnd) at = bodyEnd - 4;
            int32_t v = nasty[rng() % std::size(nasty)];
            for (int i = 0; i < 4; ++i)
                f[at + i] = uint8_t(uint32_t(v) >> (8 * i));
            fixSums(f);
            break;
        }
        case 4: { // the body cut short, with a right trailer
            size_t keep = bodyStart + 1 + rng() % (bodyEnd - bodyStart);
            f.resize(keep + 2);
            fixSums(f);
            break;
        }
        case 5: { // bytes inserted into or taken out of the body, sums made right
            size_t at = bodyOffset();
            if (rng() % 2)
                f.insert(f.begin() + long(at), 1 + rng() % 8, uint8_t(rng()));
            else
                f.erase(f.begin() + long(at), f.begin() + long(std::min(at + 1 + rng() % 8, f.size() - 2)));
            fixSums(f);
            break;
        }
        case 6: // version record fields changed, sums made right
            f[38 + rng() % 23] = uint8_t(rng());
            fixSums(f);
            break;
        }
        writeBytes(file, f);
        hook->Clear();
        hook->MessageAnswers.clear();
        if (rng() % 4 == 0) {
            hook->AnswerMessage(mrRetry); // a prompt answered Retry once more before giving up
            hook->AnswerMessage(mrRetry);
        }
        TOutcome outcome = ocRefused;
        try {
            outcome = load(file);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "iteration " << iteration << " (kind " << kind << "): " << e.what();
            continue;
        }
        ++counts[outcome];
        for (const auto& m : hook->MessageTexts())
            EXPECT_TRUE(isExpectedMessage(m)) << "iteration " << iteration << ": " << m;
        if (outcome == ocLoadError) { // the user was told, or gave up in the repair dialog
            EXPECT_FALSE(hook->Messages.empty() && hook->ModalForms.empty()) << "iteration " << iteration;
        }
        if (isPlainFlip) {
            ++flips;
            if (outcome == ocRefused) ++flipsCaught;
        }
    }
    RecordProperty("refused", counts[ocRefused]);
    RecordProperty("loadErrors", counts[ocLoadError]);
    RecordProperty("loaded", counts[ocLoaded]);
    // Every damage kind had its chance: refused at the door, failed inside the body, loaded.
    EXPECT_GT(counts[ocRefused], 500);
    EXPECT_GT(counts[ocLoadError], 500);
    EXPECT_GT(counts[ocLoaded], 50);
    EXPECT_EQ(flipsCaught, flips); // a single flipped bit never gets past the sums
}
