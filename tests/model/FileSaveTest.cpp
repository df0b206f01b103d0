#include "model/FILESAVE.h"
#include "model/readedit.h"

#include "common/GraphFileBytes.h"
#include "platform/Errors.h"
#include "platform/ScriptedUiHook.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include <cfloat>
#include <cmath>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace recordtest;

namespace {

const char* const notDataFile = "File is not a Quorix data file, and can not be opened";
const char* const corrupted = "Error in file; file data is corrupted";

// Saves as a graph controller does: any save error ends the save with false.
template <class F> bool saveGraph(const std::string& file, int32_t kind, char separator, F&& body) {
    TWriteGraphFile w;
    try {
        if (!w.CreateGraphFile(file, kind, separator)) return false;
        body(w);
        return w.CloseGraphFile();
    } catch (const EFileSaveError&) {
        return false;
    }
}

// The messages shown while opening a file image.
std::vector<std::string> openMessages(const Bytes& image, bool* opened = nullptr) {
    TTempDir dir;
    writeBytes(dir.File("g.qxf"), image);
    TScopedScriptedUiHook hook;
    TReadGraphFile r;
    bool ok = r.OpenGraphFile(dir.File("g.qxf"), '.');
    if (opened) *opened = ok;
    EXPECT_EQ(r.IsFileOpen(), ok);
    return hook->MessageTexts();
}

} // namespace

TEST(FileSave, HeaderBytesAndSumsAsComputedByHand) {
    TTempDir dir;
    TScopedScriptedUiHook hook;
    ASSERT_TRUE(saveGraph(dir.File("a.qxf"), GraphKind2D, '.', [](TWriteGraphFile& w) {
        const uint8_t b = 0x5A;
        w.WriteRecord(&b, 1);
    }));
    const Bytes expected = {
        37, 'M', 'a', 't', 'h', 'e', 'm', 'a', 't', 'i', 'c', 'a', 'l', ' ', 'F', 'u', 'n', 'c', 't', 'i',
        'o', 'n', ' ', 'G', 'r', 'a', 'p', 'h', ' ', 'D', 'a', 't', 'a', ' ', 'F', 'i', 'l', 'e', 1, '4', ' ',
        ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', // version text
        4, 0, 0, 0,                             // version number
        1, 0, 0, 0,                             // graph kind
        '.', 0, 0, 0,                           // separator and three zeros
        // Header sum: 37 + 3452 (the signature characters) + 1 + '4' (52) + nine blanks (288)
        // + 4 + 1 + '.' (46) = 3881 = 0x0F29.
        0x29, 0x0F,
        0x5A, // the body
        // Trailer: 3881 + 0x29 + 0x0F + 0x5A = 4027 = 0x0FBB.
        0xBB, 0x0F};
    EXPECT_EQ(readBytes(dir.File("a.qxf")), expected);
    EXPECT_TRUE(hook->Messages.empty());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.qxf"}); // no temporary file left behind

    // The 66-byte file opens; the position is the body byte.
    TReadGraphFile r;
    ASSERT_TRUE(r.OpenGraphFile(dir.File("a.qxf"), '.'));
    EXPECT_EQ(r.VersionNumber(), 4);
    EXPECT_EQ(r.GraphKind(), 1);
    EXPECT_EQ(r.VersionText(), "4");
    EXPECT_EQ(r.BytesLeft(), 1);
    uint8_t b = 0;
    r.ReadRecord(&b, 1);
    EXPECT_EQ(b, 0x5A);
    EXPECT_EQ(r.BytesLeft(), 0);
    r.CloseGraphFile();
    EXPECT_FALSE(r.IsFileOpen());

    // Kind and separator go into the version record and its sum.
    ASSERT_TRUE(
        saveGraph(dir.File("b.qxf"), GraphKindPolar, ',', [](TWriteGraphFile& w) { w.WriteInteger(0); }));
    Bytes polar = readBytes(dir.File("b.qxf"));
    ASSERT_EQ(polar.size(), 69u);
    EXPECT_EQ(polar[53], 2);
    EXPECT_EQ(polar[57], ',');
    EXPECT_EQ(polar[61] | polar[62] << 8, 3881 + 1 - 2); // kind one more, ',' two less than '.'
}

TEST(FileSave, SizeLimitsSignatureAndVersions) {
    bool opened = false;
    // 65 bytes (header and trailer with no body) is refused; 66 opens.
    Bytes f65 = frame(headerBytes(4, 1), {});
    ASSERT_EQ(f65.size(), 65u);
    EXPECT_EQ(openMessages(f65, &opened), std::vector<std::string>{notDataFile});
    EXPECT_FALSE(opened);
    Bytes f66 = graphFile(4, 1, {7});
    EXPECT_TRUE(openMessages(f66, &opened).empty());
    EXPECT_TRUE(opened);
    EXPECT_EQ(openMessages({}, &opened), std::vector<std::string>{notDataFile});

    // Versions 1 to 4 open and report themselves.
    for (int v = 1; v <= 4; ++v) {
        TTempDir dir;
        writeBytes(dir.File("v.qxf"), graphFile(v, 3, {1, 2, 3}));
        TReadGraphFile r;
        ASSERT_TRUE(r.OpenGraphFile(dir.File("v.qxf"), '.')) << v;
        EXPECT_EQ(r.VersionNumber(), v);
        EXPECT_EQ(r.GraphKind(), 3);
        EXPECT_EQ(r.VersionText(), std::to_string(v));
    }
    // A later version names its text; without a sensible text the file is corrupt.
    EXPECT_EQ(
        openMessages(frame(headerBytes(5, 1, '.', "5"), {0})),
        std::vector<std::string>{"File created by version number 5, and can not be read by this version."});
    EXPECT_EQ(openMessages(frame(headerBytes(0, 1, '.', "", 0), {0})), std::vector<std::string>{corrupted});
    EXPECT_EQ(openMessages(frame(headerBytes(0, 1, '.', "0123456789", 11), {0})),
              std::vector<std::string>{corrupted});
    EXPECT_EQ(
        openMessages(frame(headerBytes(-2147483647 - 1, 1, '.', "x"), {0})),
        std::vector<std::string>{"File created by version number x, and can not be read by this version."});

    // The trailer sum counts the header sum's two bytes: a header sum fixed after an edit of
    // the version record, with the trailer left as it was, fails the trailer check.
    Bytes edited = graphFile(4, 1, {9, 9});
    edited[53] = 2;
    unsigned hs = byteSum(edited, 0, 61);
    edited[61] = uint8_t(hs & 0xFF);
    edited[62] = uint8_t(hs >> 8);
    EXPECT_EQ(openMessages(edited), std::vector<std::string>{corrupted});

    // A file that does not exist, and a directory, offer Abort and Retry.
    TTempDir dir;
    TScopedScriptedUiHook hook;
    hook->AnswerMessage(mrRetry);
    hook->AnswerMessage(mrAbort);
    TReadGraphFile r;
    EXPECT_FALSE(r.OpenGraphFile(dir.File("missing.qxf"), '.'));
    EXPECT_EQ(hook->MessageTexts(), (std::vector<std::string>{"Error opening file", "Error opening file"}));
    EXPECT_TRUE(hook->Messages[0].Buttons == (TMsgDlgButtons{mbAbort, mbRetry}));
    EXPECT_EQ(hook->Messages[0].Type, mtError);
    hook->Clear();
    EXPECT_FALSE(r.OpenGraphFile(dir.Path().string(), '.'));
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error opening file"});
    EXPECT_FALSE(r.OpenGraphFile("", '.'));
}

TEST(FileSave, EverySingleByteChangeIsCaught) {
    Bytes good = graphFile(4, 2, {10, 20, 30, 40, 50});
    bool opened = false;
    ASSERT_TRUE(openMessages(good, &opened).empty());
    ASSERT_TRUE(opened);
    for (size_t i = 0; i < good.size(); ++i) {
        for (uint8_t delta : {uint8_t(1), uint8_t(0x80), uint8_t(0xFF)}) {
            Bytes bad = good;
            bad[i] = uint8_t(bad[i] + delta);
            auto messages = openMessages(bad, &opened);
            EXPECT_FALSE(opened) << "offset " << i;
            ASSERT_EQ(messages.size(), 1u) << "offset " << i;
            EXPECT_EQ(messages[0], i < 38 ? notDataFile : corrupted) << "offset " << i;
        }
    }
}

TEST(FileSave, TypedValuesRoundTrip) {
    TTempDir dir;
    TScopedScriptedUiHook hook;
    const std::vector<long double> extendeds = {1.0L,     -2.5L,    1.0L / 3.0L,
                                                LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN,
                                                -0.0L,    0.0L,     3.14159265358979323846264338L};
    TFontRecord font;
    font.Name = "Times New Roman";
    font.Color = clNavy;
    font.Style = fsBold | fsStrikeOut;
    font.Size = -13;
    const std::string text = "caf\xC3\xA9 \xE2\x82\xAC 5"; // "café € 5"

    ASSERT_TRUE(saveGraph(dir.File("t.qxf"), GraphKind3D, ',', [&](TWriteGraphFile& w) {
        w.WriteInteger(-123456789);
        w.WriteColor(clWindow);
        w.WritePoint(TPoint{-5, 70000});
        w.WriteString(text);
        w.WriteString("");
        w.WriteMathString("1,5*X+2,25");
        w.WriteFont(font);
        for (long double v : extendeds)
            w.WriteExtended(v);
        TRecordBuilder rec(19);
        rec.SetInt32(0, 77);
        rec.SetBoolean(4, true);
        rec.SetExtended(5, -7.75L);
        rec.SetColor(15, clRed);
        rec.WriteTo(w);
    }));
    EXPECT_TRUE(hook->Messages.empty());

    // The body as it must lie in the file.
    ByteBuilder body;
    body.I32(-123456789).I32(0x80000005).I32(-5).I32(70000);
    body.I32(8).Chars("caf\xE9 \x80 5").I32(0);
    body.Str("1.5*X+2.25");
    body.Str("Times New Roman").I32(0x800000).U8(9).I32(-13);
    Bytes file = readBytes(dir.File("t.qxf"));
    ASSERT_GT(file.size(), 63 + body.b.size());
    EXPECT_EQ(Bytes(file.begin() + 63, file.begin() + 63 + long(body.b.size())), body.b);
    EXPECT_EQ(file[57], ',');
    // 1.0 as the x87 holds it: explicit integer bit, exponent 0x3FFF.
    const size_t ext0 = 63 + body.b.size();
    EXPECT_EQ(Bytes(file.begin() + long(ext0), file.begin() + long(ext0) + 10),
              (Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));

    for (char separator : {'.', ','}) {
        TReadGraphFile r;
        ASSERT_TRUE(r.OpenGraphFile(dir.File("t.qxf"), separator));
        EXPECT_EQ(r.GraphKind(), 3);
        EXPECT_EQ(r.ReadInteger(), -123456789);
        EXPECT_EQ(r.ReadColor(), clWindow);
        TPoint p;
        r.ReadPoint(p);
        EXPECT_EQ(p.X, -5);
        EXPECT_EQ(p.Y, 70000);
        EXPECT_EQ(r.ReadString(), text);
        EXPECT_EQ(r.ReadString(), "");
        EXPECT_EQ(r.ReadMathString(), separator == ',' ? "1,5*X+2,25" : "1.5*X+2.25");
        TFontRecord f;
        r.ReadFont(f);
        EXPECT_EQ(f, font);
        for (long double v : extendeds) {
            long double got = r.ReadExtended();
            EXPECT_EQ(std::memcmp(&got, &v, 10), 0) << double(v);
        }
        TRecordReader rec(r, 19);
        EXPECT_EQ(rec.Int32(0), 77);
        EXPECT_TRUE(rec.Boolean(4));
        EXPECT_EQ(rec.Extended(5), -7.75L);
        EXPECT_EQ(rec.Color(15), clRed);
        EXPECT_EQ(r.BytesLeft(), 0);
    }
    EXPECT_TRUE(hook->Messages.empty());
}

TEST(FileSave, ReadOnlyLayoutsAndLengthChecks) {
    TTempDir dir;
    ByteBuilder body;
    body.U16(0xFFF6);                                  // word
    body.Short("Courier", 31).I32(0xFF).U8(2).I16(-9); // version-1 font
    body.Short("abc", 5);                              // short text of 5
    body.I32(0).I32(-7).I32(3).Chars("xyz");           // empty, negative and real lengths
    body.I32(1000);                                    // a length beyond the file
    writeBytes(dir.File("r.qxf"), graphFile(1, 1, body.b));

    TScopedScriptedUiHook hook;
    TReadGraphFile r;
    ASSERT_TRUE(r.OpenGraphFile(dir.File("r.qxf"), '.'));
    EXPECT_EQ(r.ReadWord(), 0xFFF6);
    TFontRecord f;
    r.ReadFontV1(f);
    EXPECT_EQ(f.Name, "Courier");
    EXPECT_EQ(f.Color, 0xFFu);
    EXPECT_EQ(f.Style, fsItalic);
    EXPECT_EQ(f.Size, -9);
    EXPECT_EQ(r.ReadShortString(5), "abc");
    EXPECT_EQ(r.ReadString(), "");
    EXPECT_EQ(r.BytesLeft(), 4 + 4 + 3 + 4);
    EXPECT_EQ(r.ReadString(), ""); // a negative length consumes only its four bytes
    EXPECT_EQ(r.BytesLeft(), 4 + 3 + 4);
    EXPECT_EQ(r.ReadString(), "xyz");
    EXPECT_TRUE(hook->Messages.empty());
    EXPECT_THROW(r.ReadString(), EFileLoadError);
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error loading file"});
    EXPECT_EQ(hook->Messages[0].Buttons, TMsgDlgButtons{mbOK});

    // A short text whose length byte exceeds its field, and a bad skip.
    ByteBuilder bad;
    bad.Short("abcdef", 5).I32(5);
    bad.b[0] = 6;
    writeBytes(dir.File("s.qxf"), graphFile(1, 1, bad.b));
    hook->Clear();
    ASSERT_TRUE(r.OpenGraphFile(dir.File("s.qxf"), '.'));
    EXPECT_THROW(r.ReadShortString(5), EFileLoadError);
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error loading file"});
    ASSERT_TRUE(r.OpenGraphFile(dir.File("s.qxf"), '.'));
    EXPECT_THROW(r.SkipBytes(11), EFileLoadError);
    ASSERT_TRUE(r.OpenGraphFile(dir.File("s.qxf"), '.'));
    r.SkipBytes(6);
    EXPECT_EQ(r.ReadInteger(), 5);

    // Extended patterns the x87 would not take.
    ByteBuilder ext;
    ext.ExtBits(0x8000000000000000ull, 0x7FFF); // infinity
    ext.ExtBits(0xC000000000000000ull, 0xFFFF); // NaN
    ext.ExtBits(0x4000000000000000ull, 0x3FFF); // unnormal
    ext.ExtBits(0x8000000000000000ull, 0x0000); // pseudo-denormal: taken
    writeBytes(dir.File("e.qxf"), graphFile(4, 1, ext.b));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(r.OpenGraphFile(dir.File("e.qxf"), '.'));
        if (i) r.SkipBytes(10 * i);
        EXPECT_THROW(r.ReadExtended(), EFileLoadError) << i;
    }
    ASSERT_TRUE(r.OpenGraphFile(dir.File("e.qxf"), '.'));
    r.SkipBytes(30);
    EXPECT_GT(r.ReadExtended(), 0.0L);
}

TEST(FileSave, ReadingPastTheEndOfTheBody) {
    TTempDir dir;
    writeBytes(dir.File("p.qxf"), graphFile(4, 1, {1, 0, 0, 0, 2, 0}));
    TScopedScriptedUiHook hook;
    TReadGraphFile r;
    ASSERT_TRUE(r.OpenGraphFile(dir.File("p.qxf"), '.'));
    EXPECT_EQ(r.ReadInteger(), 1);
    // Two bytes left: a short read says so with OK only, and the load ends.
    EXPECT_THROW(r.ReadInteger(), EFileLoadError);
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error reading from file"});
    EXPECT_EQ(hook->Messages[0].Buttons, TMsgDlgButtons{mbOK});

    // Nothing left (the trailer sum is not body): Abort and Retry until Abort.
    ASSERT_TRUE(r.OpenGraphFile(dir.File("p.qxf"), '.'));
    r.SkipBytes(6);
    hook->Clear();
    hook->AnswerMessage(mrRetry);
    hook->AnswerMessage(mrRetry);
    hook->AnswerMessage(mrAbort);
    EXPECT_THROW(r.ReadWord(), EFileLoadError);
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>(3, "Error reading from file"));
    EXPECT_EQ(hook->Messages[0].Buttons, (TMsgDlgButtons{mbAbort, mbRetry}));
}

TEST(FileSave, WindowsTextConversion) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const std::string utf8 = Win1252ToUtf8(all);
    EXPECT_EQ(Utf8ToWin1252(utf8), all); // every byte survives
    EXPECT_EQ(Win1252ToUtf8("\x80\x9F\xE9"), "\xE2\x82\xAC\xC5\xB8\xC3\xA9");
    // Characters the code page lacks, and malformed UTF-8, become '?'.
    EXPECT_EQ(Utf8ToWin1252("\xE4\xB8\xAD|\xF0\x9F\x98\x80|\xC3|\xC0\x81|\xE0\x80\xAF|\xC2\x80"),
              "?|?|?|??|???|?");
}

TEST(FileSave, OverwriteQuestionAndFailedSavesKeepTheOldFile) {
    TTempDir dir;
    TScopedScriptedUiHook hook;
    auto writeOne = [](TWriteGraphFile& w) { w.WriteInteger(1); };

    // A new name: no question.
    ASSERT_TRUE(saveGraph(dir.File("new.qxf"), 1, '.', writeOne));
    EXPECT_TRUE(hook->Messages.empty());
    // Over a graph data file: no question.
    ASSERT_TRUE(saveGraph(dir.File("new.qxf"), 1, '.', writeOne));
    EXPECT_TRUE(hook->Messages.empty());

    // Over an empty file: the question; Cancel keeps it, OK replaces it.
    writeBytes(dir.File("empty.qxf"), {});
    hook->AnswerMessage(mrCancel);
    EXPECT_FALSE(saveGraph(dir.File("empty.qxf"), 1, '.', writeOne));
    ASSERT_EQ(hook->MessageTexts(),
              std::vector<std::string>{"Existing file is not a Quorix data file, do you want to overwrite?"});
    EXPECT_EQ(hook->Messages[0].Type, mtWarning);
    EXPECT_EQ(hook->Messages[0].Buttons, (TMsgDlgButtons{mbOK, mbCancel}));
    EXPECT_TRUE(readBytes(dir.File("empty.qxf")).empty());
    hook->AnswerMessage(mrOk);
    EXPECT_TRUE(saveGraph(dir.File("empty.qxf"), 1, '.', writeOne));
    EXPECT_EQ(readBytes(dir.File("empty.qxf")), readBytes(dir.File("new.qxf")));

    // A save that fails part-way, or is given up, leaves the old file byte for byte.
    const Bytes old = readBytes(dir.File("new.qxf"));
    hook->Clear();
    EXPECT_FALSE(saveGraph(dir.File("new.qxf"), 1, '.', [](TWriteGraphFile& w) {
        w.WriteInteger(2);
        throw EFileSaveError();
    }));
    {
        TWriteGraphFile w;
        ASSERT_TRUE(w.CreateGraphFile(dir.File("new.qxf"), 1, '.'));
        w.WriteString("abandoned");
        w.CloseWithoutChecksum();
        EXPECT_TRUE(w.CloseGraphFile()); // nothing open: true at once
    }
    EXPECT_EQ(readBytes(dir.File("new.qxf")), old);
    EXPECT_TRUE(hook->Messages.empty());
    auto names = dir.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"empty.qxf", "new.qxf"}));

    // The replaced file keeps its permissions.
    ::chmod(dir.File("new.qxf").c_str(), 0640);
    ASSERT_TRUE(saveGraph(dir.File("new.qxf"), 1, '.', writeOne));
    struct stat st {};
    ::stat(dir.File("new.qxf").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A link: the file it names is replaced, the link stays.
    std::filesystem::create_symlink(dir.File("new.qxf"), dir.File("link.qxf"));
    ASSERT_TRUE(saveGraph(dir.File("link.qxf"), 2, '.', writeOne));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.qxf")));
    EXPECT_EQ(readBytes(dir.File("new.qxf"))[53], 2);

    // A folder that does not exist: Abort and Retry, Abort gives false.
    hook->Clear();
    EXPECT_FALSE(saveGraph(dir.File("no/such/folder.qxf"), 1, '.', writeOne));
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error creating file"});
    EXPECT_EQ(hook->Messages[0].Buttons, (TMsgDlgButtons{mbAbort, mbRetry}));
}

TEST(FileSave, DeviceThatIsFullReportsTheError) {
    if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    TScopedScriptedUiHook hook;
    hook->AnswerMessage(mrOk);    // the overwrite question: it is no graph file
    hook->AnswerMessage(mrRetry); // the first failed write is tried again
    hook->AnswerMessage(mrAbort);
    TWriteGraphFile w;
    EXPECT_FALSE(w.CreateGraphFile("/dev/full", 1, '.'));
    EXPECT_EQ(hook->MessageTexts(),
              (std::vector<std::string>{"Existing file is not a Quorix data file, do you want to overwrite?",
                                        "Error writing to file", "Error writing to file"}));
    EXPECT_FALSE(w.IsFileOpen());
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode)); // the device was written to, never replaced
}

namespace {

// Runs in a child process with a private 64 KiB tmpfs at `mountPoint`. Exit codes: 0 passed,
// 77 no way to mount here, others name the failed check.
int fullDiskChild(const std::string& mountPoint) {
    if (::unshare(CLONE_NEWNS) != 0) {
        uid_t uid = ::getuid();
        gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return 77;
        auto put = [](const char* file, const std::string& text) {
            int fd = ::open(file, O_WRONLY);
            if (fd < 0) return;
            (void)!::write(fd, text.data(), text.size());
            ::close(fd);
        };
        put("/proc/self/setgroups", "deny");
        put("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
        put("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return 77;
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) return 77;

    const std::string file = mountPoint + "/graph.qxf";
    TScriptedUiHook& hook = static_cast<TScriptedUiHook&>(UiHook());
    hook.Clear();
    if (!saveGraph(file, 1, '.', [](TWriteGraphFile& w) { w.WriteString(std::string(20000, 'a')); }))
        return 1;
    const Bytes old = readBytes(file);
    if (old.size() != 63 + 4 + 20000 + 2) return 2;

    // 60000 more bytes do not fit beside the old file.
    bool saved = saveGraph(file, 1, '.', [](TWriteGraphFile& w) {
        for (int i = 0; i < 15; ++i)
            w.WriteString(std::string(4000, 'b'));
    });
    if (saved) return 3;
    if (readBytes(file) != old) return 4;
    auto texts = hook.MessageTexts();
    if (texts.empty() || texts.back() != "Error writing to file") return 5;
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(mountPoint))
        ++entries;
    if (entries != 1) return 6; // the temporary file is gone
    ::umount(mountPoint.c_str());
    return 0;
}

} // namespace

TEST(FileSave, FullDiskLeavesTheOldFileByteIdentical) {
    TTempDir dir;
    std::filesystem::create_directory(dir.File("mnt"));
    // The scripted hook in force is the program-wide one; the child uses its own copy.
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) ::_exit(fullDiskChild(dir.File("mnt")));
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot mount a small tmpfs here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "check " << WEXITSTATUS(status) << " of the full-disk child failed";
}

TEST(FileSave, PackedMathValuesRoundTripBitForBit) {
    TTempDir dir;
    TScopedScriptedUiHook hook;
    TMathValue half{1, 2, 0.5L, mvFraction};
    TMathValue stale{-77, 0, 1e-4000L, mvFloat}; // a float's fraction fields are stale, kept as they are
    TMathValue big{INT64_MAX, 3, (long double)INT64_MAX / 3, mvFraction};
    TMathValue empty;
    ClearMathValue(empty);
    const std::vector<TMathValue> values = {half, stale, big, empty};
    ASSERT_TRUE(saveGraph(dir.File("p.qxf"), 1, '.', [&](TWriteGraphFile& w) {
        for (const auto& v : values)
            w.WritePackedMathValue(v);
        TRecordBuilder rec(30);
        rec.SetPackedMathValue(3, half);
        rec.WriteTo(w);
    }));
    Bytes file = readBytes(dir.File("p.qxf"));
    const Bytes halfBytes = {1, 0, 0, 0, 0, 0, 0, 0, 2, 0,    0,    0,    0, 0,
                             0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F, 2};
    EXPECT_EQ(Bytes(file.begin() + 63, file.begin() + 90), halfBytes);
    EXPECT_EQ(Bytes(file.begin() + 63 + 108 + 3, file.begin() + 63 + 108 + 30), halfBytes);

    TReadGraphFile r;
    ASSERT_TRUE(r.OpenGraphFile(dir.File("p.qxf"), '.'));
    for (const auto& v : values) {
        TMathValue got = r.ReadPackedMathValue();
        EXPECT_EQ(got.Numerator, v.Numerator);
        EXPECT_EQ(got.Denominator, v.Denominator);
        EXPECT_EQ(std::memcmp(&got.FloatValue, &v.FloatValue, 10), 0);
        EXPECT_EQ(got.Kind, v.Kind);
    }
    TRecordReader rec(r, 30);
    EXPECT_EQ(rec.PackedMathValue(3).Denominator, 2);

    // Values no program could have written: the load ends.
    auto packed = [](int64_t num, int64_t den, unsigned exponent, unsigned kind) {
        ByteBuilder b;
        return b.I64(num).I64(den).ExtBits(0x8000000000000000ull, exponent).U8(kind).b;
    };
    const Bytes bad[] = {packed(1, 2, 0x3FFE, 3), packed(1, 0, 0x3FFE, 2), packed(1, -2, 0x3FFE, 2),
                         packed(INT64_MIN, 1, 0x403E, 2), packed(1, 1, 0x7FFF, 1)};
    for (const auto& b : bad) {
        writeBytes(dir.File("bad.qxf"), graphFile(4, 1, b));
        hook->Clear();
        ASSERT_TRUE(r.OpenGraphFile(dir.File("bad.qxf"), '.'));
        EXPECT_THROW(r.ReadPackedMathValue(), EFileLoadError);
        EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error loading file"});
    }
}

TEST(FileSave, BitmapsRoundTripAndBadPictureSections) {
    TTempDir dir;
    TScopedScriptedUiHook hook;
    std::vector<std::unique_ptr<TBitmap>> pictures;
    for (TPixelFormat f : {pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        auto b = std::make_unique<TBitmap>(5, 3, f);
        b->SetPixel(0, 0, clRed);
        b->SetPixel(4, 2, RGBColor(10, 200, 77));
        b->SetPixel(2, 1, clNavy);
        pictures.push_back(std::move(b));
    }
    ASSERT_TRUE(saveGraph(dir.File("b.qxf"), 1, '.', [&](TWriteGraphFile& w) {
        for (const auto& b : pictures)
            w.WriteBitmap(*b);
    }));
    // Each section is the int32 size and the bitmap's own BMP image.
    ByteBuilder expected;
    for (const auto& b : pictures)
        expected.I32(int32_t(b->SaveToBmpBytes().size())).Append(b->SaveToBmpBytes());
    Bytes file = readBytes(dir.File("b.qxf"));
    EXPECT_EQ(Bytes(file.begin() + 63, file.end() - 2), expected.b);

    TReadGraphFile r;
    ASSERT_TRUE(r.OpenGraphFile(dir.File("b.qxf"), '.'));
    for (const auto& b : pictures) {
        std::unique_ptr<TBitmap> got = r.ReadBitmap();
        ASSERT_TRUE(got);
        EXPECT_EQ(got->PixelFormat(), b->PixelFormat());
        ASSERT_EQ(got->Width(), 5);
        ASSERT_EQ(got->Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(got->Pixel(x, y), b->Pixel(x, y));
        EXPECT_EQ(got->SaveToBmpBytes(), b->SaveToBmpBytes()); // written again, byte for byte
    }
    EXPECT_TRUE(hook->Messages.empty());

    // Size 0: no picture, nothing read. Bytes that are no BMP: no picture, the load goes on.
    ByteBuilder body;
    body.I32(0).I32(6).Chars("garbag").I32(42);
    writeBytes(dir.File("z.qxf"), graphFile(4, 1, body.b));
    ASSERT_TRUE(r.OpenGraphFile(dir.File("z.qxf"), '.'));
    EXPECT_EQ(r.ReadBitmap(), nullptr);
    EXPECT_EQ(r.BytesLeft(), 4 + 6 + 4);
    EXPECT_EQ(r.DroppedPictureReason(), "");
    EXPECT_EQ(r.ReadBitmap(), nullptr);
    EXPECT_EQ(r.ReadInteger(), 42);
    EXPECT_TRUE(hook->Messages.empty());
    // Why it was dropped is kept for whoever opened the file, until the next open.
    EXPECT_EQ(r.DroppedPictureReason(), "Invalid bitmap image: too short");
    ASSERT_TRUE(r.OpenGraphFile(dir.File("z.qxf"), '.'));
    EXPECT_EQ(r.DroppedPictureReason(), "");

    // A size the file cannot hold, or a negative one, ends the load before anything is read.
    for (int64_t size : {int64_t(100), int64_t(-1), int64_t(INT32_MIN)}) {
        ByteBuilder bad;
        bad.I32(int32_t(size)).Chars("0123456789");
        writeBytes(dir.File("x.qxf"), graphFile(4, 1, bad.b));
        hook->Clear();
        ASSERT_TRUE(r.OpenGraphFile(dir.File("x.qxf"), '.'));
        EXPECT_THROW(r.ReadBitmap(), EFileLoadError);
        EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error loading file"});
        EXPECT_EQ(r.BytesLeft(), 10);
    }
}

TEST(FileSave, ConstantTextsAreLocalisedEvaluatedAndMended) {
    TDecimalSeparator comma(',');
    TScopedScriptedUiHook hook;
    TTempDir dir;
    ByteBuilder body;
    body.Str("1.5").Str("").Str("2.25").Str("X+1").Str("X+1");
    writeBytes(dir.File("c.qxf"), graphFile(4, 1, body.b));
    TReadGraphFile r;
    ASSERT_TRUE(r.OpenGraphFile(dir.File("c.qxf"), ','));

    std::string s;
    TMathValue v;
    r.ReadMathConstString(s, v, false);
    EXPECT_EQ(s, "1,5");
    EXPECT_EQ(v.Kind, mvFraction);
    EXPECT_EQ(v.Numerator, 3);
    EXPECT_EQ(v.Denominator, 2);
    // An empty text leaves the value alone; a skipped one too, but is localised.
    r.ReadMathConstString(s, v, false);
    EXPECT_EQ(s, "");
    EXPECT_EQ(v.Numerator, 3);
    r.ReadMathConstString(s, v, true);
    EXPECT_EQ(s, "2,25");
    EXPECT_EQ(v.Numerator, 3);
    EXPECT_TRUE(hook->ModalForms.empty());

    // A text that does not compile: mended in the repair dialog...
    hook->ScriptModal([](QDialog& d) {
        auto& dlg = dynamic_cast<TEditStrReadErrorDlg&>(d);
        EXPECT_EQ(dlg.EditString->text().toStdString(), "X+1");
        dlg.EditString->setText("7/2");
        return mrOk;
    });
    r.ReadMathConstString(s, v, false);
    EXPECT_EQ(s, "7/2");
    EXPECT_EQ(v.Numerator, 7);
    EXPECT_EQ(v.Denominator, 2);
    // ... or given up: the load ends, with no box of its own.
    EXPECT_THROW(r.ReadMathConstString(s, v, false), EFileLoadError);
    EXPECT_EQ(s, "X+1");
    EXPECT_EQ(hook->ModalForms.size(), 2u);
    EXPECT_TRUE(hook->Messages.empty());

    // Version-1 texts come from short texts and are localised here.
    std::string old = "0.75";
    r.EvaluateMathConstString(old, v);
    EXPECT_EQ(old, "0,75");
    EXPECT_EQ(v.Numerator, 3);
    EXPECT_EQ(v.Denominator, 4);
}

TEST(FileSave, JpegPicturesGoBackByteForByte) {
    TTempDir dir;
    TScopedScriptedUiHook hook;
    TBitmap source(16, 8, pf24bit);
    for (int x = 0; x < 16; ++x)
        source.SetPixel(x, x % 8, RGBColor(x * 15, 100, 255 - x * 15));
    TJPEGImage picture;
    ASSERT_TRUE(picture.Assign(source));
    ASSERT_FALSE(picture.Empty());
    TJPEGImage empty;
    ASSERT_TRUE(saveGraph(dir.File("j.qxf"), 1, '.', [&](TWriteGraphFile& w) {
        w.WriteJPEG(picture);
        w.WriteJPEG(empty);
        w.WriteInteger(7);
    }));
    ByteBuilder expected;
    expected.I32(int32_t(picture.Data().size())).Append(picture.Data()).I32(0).I32(7);
    Bytes file = readBytes(dir.File("j.qxf"));
    EXPECT_EQ(Bytes(file.begin() + 63, file.end() - 2), expected.b);

    TReadGraphFile r;
    ASSERT_TRUE(r.OpenGraphFile(dir.File("j.qxf"), '.'));
    std::unique_ptr<TJPEGImage> got = r.ReadJPEG();
    ASSERT_TRUE(got);
    EXPECT_EQ(got->Data(), picture.Data());
    EXPECT_EQ(got->Width(), 16);
    EXPECT_EQ(got->Height(), 8);
    EXPECT_EQ(r.ReadJPEG(), nullptr); // size 0: no picture
    EXPECT_EQ(r.ReadInteger(), 7);
    r.CloseGraphFile();

    // Read and saved again unchanged: the same bytes.
    ASSERT_TRUE(saveGraph(dir.File("k.qxf"), 1, '.', [&](TWriteGraphFile& w) { w.WriteJPEG(*got); }));
    Bytes again = readBytes(dir.File("k.qxf"));
    EXPECT_EQ(Bytes(again.begin() + 67, again.end() - 2), picture.Data());

    // A JPEG cut short or garbled reads, does not decode, and is dropped; the load goes on.
    Bytes cut(picture.Data().begin(), picture.Data().begin() + long(picture.Data().size() / 2));
    Bytes garbled = picture.Data();
    for (size_t i = 2; i < garbled.size(); i += 3)
        garbled[i] ^= 0x5A;
    ByteBuilder body;
    body.I32(int32_t(cut.size())).Append(cut).I32(int32_t(garbled.size())).Append(garbled).I32(9);
    writeBytes(dir.File("c.qxf"), graphFile(4, 1, body.b));
    ASSERT_TRUE(r.OpenGraphFile(dir.File("c.qxf"), '.'));
    EXPECT_EQ(r.ReadJPEG(), nullptr);
    EXPECT_EQ(r.DroppedPictureReason().rfind("Invalid JPEG image: ", 0), 0u) << r.DroppedPictureReason();
    EXPECT_EQ(r.ReadJPEG(), nullptr);
    EXPECT_EQ(r.ReadInteger(), 9);
    EXPECT_TRUE(hook->Messages.empty());

    // Picture bytes that are not all there end the load.
    ByteBuilder shortBody;
    shortBody.I32(int32_t(picture.Data().size())).Append(cut);
    writeBytes(dir.File("s.qxf"), graphFile(4, 1, shortBody.b));
    ASSERT_TRUE(r.OpenGraphFile(dir.File("s.qxf"), '.'));
    EXPECT_THROW(r.ReadJPEG(), EFileLoadError);
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error loading file"});
}

TEST(FileSave, FilesTooLargeForTheFormat) {
    TTempDir dir;
    TScopedScriptedUiHook hook;
    // A sparse file one byte beyond the largest size the format allows.
    const std::string big = dir.File("big.qxf");
    {
        int fd = ::open(big.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t(GraphFileMaxSize) + 1), 0);
        ::close(fd);
    }
    TReadGraphFile r;
    EXPECT_FALSE(r.OpenGraphFile(big, '.'));
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error reading file size"});
    EXPECT_FALSE(r.IsFileOpen());

    hook->Clear();
    TWriteGraphFile w;
    EXPECT_FALSE(w.CreateGraphFile(big, 1, '.'));
    EXPECT_EQ(hook->MessageTexts(), std::vector<std::string>{"Error verifying existing file type"});
    EXPECT_FALSE(w.IsFileOpen());
    struct stat st {};
    ::stat(big.c_str(), &st);
    EXPECT_EQ(st.st_size, off_t(GraphFileMaxSize) + 1);
}

TEST(FileSave, MisuseOfTheFilePrimitivesIsAnAssertion) {
    TGraphFileBaseClass f;
    uint8_t b[4] = {};
    EXPECT_THROW(f.DoFileReadRecord(b, 4), EAssertionFailed);
    EXPECT_THROW(f.DoFileWriteRecord(b, 4), EAssertionFailed);
    EXPECT_THROW(f.DoFileSeek(0), EAssertionFailed);
    EXPECT_THROW(f.DoOpenFileRead(""), EAssertionFailed);
    TTempDir dir;
    writeBytes(dir.File("x"), {1, 2, 3});
    ASSERT_TRUE(f.DoOpenFileRead(dir.File("x")));
    EXPECT_THROW(f.DoFileReadRecord(b, 0), EAssertionFailed);
    EXPECT_THROW(f.DoOpenFileRewrite(dir.File("y")), EAssertionFailed); // already open
    EXPECT_EQ(f.DoFileReadRecord(b, 4), 3);                             // short at the end
    EXPECT_TRUE(f.DoFileSeek(1));
    EXPECT_EQ(f.DoFileReadRecord(b, 1), 1);
    EXPECT_EQ(b[0], 2);
    f.CloseFile();
    EXPECT_FALSE(f.IsFileOpen());
}
