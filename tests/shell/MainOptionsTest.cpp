#include "shell/MainOptions.h"

#include "common/CommaLocale.h"
#include "common/TextFiles.h"
#include "math/DefFont.h"
#include "math/MathFunc.h"
#include "platform/FormatSettings.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace {

// An ini file that fails on one key, the way a real file fails halfway (out of memory).
class TFailingIni : public TMemIniFile {
public:
    TFailingIni(const std::string& name, std::string section, std::string key)
        : TMemIniFile(name), section_(std::move(section)), key_(std::move(key)) {}

    std::string ReadString(const std::string& s, const std::string& k,
                           const std::string& def) const override {
        check(s, k);
        return TMemIniFile::ReadString(s, k, def);
    }
    int ReadInteger(const std::string& s, const std::string& k, int def) const override {
        check(s, k);
        return TMemIniFile::ReadInteger(s, k, def);
    }
    bool ReadBool(const std::string& s, const std::string& k, bool def) const override {
        check(s, k);
        return TMemIniFile::ReadBool(s, k, def);
    }
    long double ReadFloat(const std::string& s, const std::string& k, long double def) const override {
        check(s, k);
        return TMemIniFile::ReadFloat(s, k, def);
    }
    void WriteString(const std::string& s, const std::string& k, const std::string& v) override {
        check(s, k);
        TMemIniFile::WriteString(s, k, v);
    }

private:
    void check(const std::string& s, const std::string& k) const {
        if (s == section_ && k == key_) throw std::runtime_error("ini fault");
    }
    std::string section_, key_;
};

class MainOptions : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path = dir.filePath("quorix.ini").toStdString();

    void TearDown() override {
        ResetFormatSettings();
        SetTrigFixup(tfTenThou, false);
        DefaultFontHolder().ResetFont();
    }
    TMainFormOptions optionsFailingAt(const std::string& section, const std::string& key) {
        TMainFormOptions options(path);
        options.OpenIniFile = [section, key](const std::string& name) {
            return std::make_unique<TFailingIni>(name, section, key);
        };
        return options;
    }
};

// Every option away from its default.
void changeEverything(TMainFormOptions& o) {
    TFontRecord font;
    font.Name = "Mono Test", font.Color = clNavy, font.Style = fsBold | fsStrikeOut, font.Size = 11;
    DefaultFontHolder().SetFontAttributes(&font);
    TGeneralOptionsObj& g = o.GeneralOptions;
    g.EnableRepTBButtons = false, g.RepeatDelay = 450, g.RepeatRate = 90, g.DefaultBmpWidth = 640;
    g.DefaultBmpHeight = 480, g.DefaultColorDepth = 4, g.FlatToolBars = true, g.CenterDlgsOnPosition = 1;
    g.CenterCommonDlgs = false;
    TStatusLineObj& s = o.StatusLine;
    s.CenterFormat2D = vcPixels, s.MouseFormat2D = mpBitMap, s.CenterFormatPolar = vcRadians;
    s.MouseFormatPolar = mpCartesian, s.MouseFormat3D = m3Pixels, s.ShowStatusLine = false;
    o.HotKeys2D.GrScrollAmt = 33, o.HotKeys2D.Zoom3Range = 7.25L;
    o.HotKeysPolar.GrScrollAmt = 44, o.HotKeysPolar.Zoom6Range = 0.0004L;
    o.HotKeys3D.Rotation3DIncAmt = 4.5L, o.HotKeys3D.Zoom2Range3D = 12;
}

} // namespace

TEST_F(MainOptions, EveryOptionRoundTripsThroughAnExistingFile) {
    writeTextFile(path, "; kept as written\n[Other]\nKeep=yes\n");
    TMainFormOptions written(path);
    changeEverything(written);
    const TFontRecord font = GetDefaultFont();
    written.WriteIniOptions();

    const std::string text = readTextFile(path);
    EXPECT_EQ(text.substr(0, text.find("[StatusLine]")),
              "; kept as written\n[Other]\nKeep=yes\n[General]\nDefFontName=Mono Test\nDefFontColor=8388608\n"
              "DefFontStyleBold=1\nDefFontStyleItalic=0\nDefFontStyleUnderline=0\nDefFontStyleStrikeOut=1\n"
              "DefFontSize=11\nEnableRepTBButtons=0\nRepeatDelay=450\nRepeatRate=90\nDefaultBmpWidth=640\n"
              "DefaultBmpHeight=480\nDefaultColorDepth=pf15bit\nFlatToolBars=1\nCenterDlgsOnPosition="
              "dpDesktopCenter\n"
              "CenterCommonDlgs=0\n");
    for (const char* section : {"[StatusLine]\nCenterFormat2D=vcPixels\n", "[HotKey2D]\nGrScrollAmt2D=33\n",
                                "[HotKeyPol]\nGrScrollAmtPol=44\n", "[HotKey3D]\nRotation3DIncAmt=4.5\n"})
        EXPECT_NE(text.find(section), std::string::npos) << section;

    DefaultFontHolder().ResetFont();
    TMainFormOptions read(path);
    read.ReadIniFile();
    EXPECT_EQ(GetDefaultFont(), font);
    const TGeneralOptionsObj& g = read.GeneralOptions;
    EXPECT_EQ(std::tie(g.EnableRepTBButtons, g.RepeatDelay, g.RepeatRate, g.DefaultBmpWidth,
                       g.DefaultBmpHeight, g.DefaultColorDepth, g.FlatToolBars, g.CenterDlgsOnPosition,
                       g.CenterCommonDlgs),
              std::make_tuple(false, 450, 90, 640, 480, uint8_t(4), true, uint8_t(1), false));
    const TStatusLineObj& s = read.StatusLine;
    EXPECT_EQ(std::tie(s.CenterFormat2D, s.MouseFormat2D, s.CenterFormatPolar, s.MouseFormatPolar,
                       s.MouseFormat3D, s.ShowStatusLine),
              std::make_tuple(vcPixels, mpBitMap, vcRadians, mpCartesian, m3Pixels, false));
    EXPECT_EQ(read.HotKeys2D.GrScrollAmt, 33);
    EXPECT_EQ(read.HotKeys2D.Zoom3Range, 7.25L);
    EXPECT_EQ(read.HotKeysPolar.GrScrollAmt, 44);
    EXPECT_EQ(read.HotKeysPolar.Zoom6Range, 0.0004L);
    EXPECT_EQ(read.HotKeys3D.Rotation3DIncAmt, 4.5L);
    EXPECT_EQ(read.HotKeys3D.Zoom2Range3D, 12);

    // Writing the same options again changes no byte.
    read.WriteIniOptions();
    EXPECT_EQ(readTextFile(path), text);
}

TEST_F(MainOptions, WithoutAFileNothingIsReadOrCreated) {
    SetTrigFixup(tfMill, true);
    TMainFormOptions options(path);
    changeEverything(options);
    options.IniShowLabelToolBar = true;
    options.ReadIniFile();
    EXPECT_FALSE(options.IniShowLabelToolBar);
    EXPECT_TRUE(options.IniShowGraphToolBar);
    EXPECT_EQ(options.HotKeys2D.GrScrollAmt, 33); // nothing was read over it
    EXPECT_EQ(CurrentTrigFixup(), tfMill);
    EXPECT_TRUE(CurrentRequireExact());

    options.WriteIniOptions();
    options.WriteIniToolBarVisibility(false, true);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));

    // Without a test's path the file is the one beside the program.
    EXPECT_EQ(TMainFormOptions().IniFileName,
              QDir(QCoreApplication::applicationDirPath()).filePath("quorix.ini").toStdString());
}

// The options of an object as the ini file would hold them, to compare every key at once.
std::string optionsText(const TMainFormOptions& o) {
    TMemIniFile ini;
    EXPECT_TRUE(WriteDefaultFontToIni(ini) && o.GeneralOptions.WriteIni(ini) && o.StatusLine.WriteIni(ini) &&
                o.HotKeys2D.WriteIni(ini) && o.HotKeysPolar.WriteIni(ini) && o.HotKeys3D.WriteIni(ini));
    return ini.GetText();
}

TEST_F(MainOptions, TheFileShippedBesideTheProgramHoldsTheDefaultsAndKeepsChanges) {
    // The build puts it beside the program, where the program looks for it.
    const QString beside = QDir(QUORIX_HELP_BUILD_DIR "/..").filePath("quorix.ini");
    ASSERT_TRUE(QFileInfo(beside).isFile()) << beside.toStdString();

    writeTextFile(path, readTextFile(QUORIX_SHIPPED_INI));
    const std::string defaults = optionsText(TMainFormOptions(path));
    SetTrigFixup(tfMill, true);
    TMainFormOptions fresh(path);
    fresh.ReadIniFile();
    EXPECT_EQ(optionsText(fresh), defaults);
    EXPECT_TRUE(fresh.AllowIniFileChanges);
    EXPECT_TRUE(fresh.IniShowGraphToolBar);
    EXPECT_FALSE(fresh.IniShowLabelToolBar);
    EXPECT_EQ(CurrentTrigFixup(), tfTenThou);
    EXPECT_FALSE(CurrentRequireExact());

    // What Options' OK writes is there at the next start.
    fresh.HotKeys2D.Zoom5Range = 0.05L;
    fresh.WriteIniOptions();
    TMainFormOptions next(path);
    next.ReadIniFile();
    EXPECT_EQ(double(next.HotKeys2D.Zoom5Range), 0.05);
}

TEST_F(MainOptions, AFileThatForbidsChangesStaysByteForByte) {
    const std::string text = "[CanSaveOptions]\r\nAllowIniFileChanges=0\r\n";
    writeTextFile(path, text);
    TMainFormOptions options(path);
    options.ReadIniFile();
    EXPECT_FALSE(options.AllowIniFileChanges);
    EXPECT_EQ(options.GeneralOptions.RepeatDelay, 600);
    EXPECT_EQ(options.StatusLine.MouseFormat3D, m3DontShow);
    EXPECT_EQ(CurrentTrigFixup(), tfTenThou);

    changeEverything(options);
    options.WriteIniOptions();
    options.WriteIniToolBarVisibility(false, true);
    EXPECT_EQ(readTextFile(path), text);
}

TEST_F(MainOptions, ToolBarVisibilityIsWrittenOnlyWhenItChanged) {
    const std::string text = "[ToolBarVisibility]\nShowGraphToolBar=0\nShowLabelToolBar=1\n";
    writeTextFile(path, text);
    TMainFormOptions options(path);
    options.ReadIniFile();
    EXPECT_FALSE(options.IniShowGraphToolBar);
    EXPECT_TRUE(options.IniShowLabelToolBar);

    // Shown and hidden again before closing, or a tool bar that does not exist: nothing is written.
    options.WriteIniToolBarVisibility(false, true);
    options.WriteIniToolBarVisibility(std::nullopt, false);
    EXPECT_EQ(readTextFile(path), text);

    options.WriteIniToolBarVisibility(false, false);
    EXPECT_EQ(readTextFile(path), "[ToolBarVisibility]\nShowGraphToolBar=0\nShowLabelToolBar=0\n");
}

TEST_F(MainOptions, TrigFixupWordsSetTheEngine) {
    const std::pair<const char*, TTrigFixupType> table[] = {{"tfNormal", tfNormal},
                                                            {"tfMill", tfMill},
                                                            {"tfTenMill", tfTenMill},
                                                            {"TFMILL", tfTenThou},
                                                            {"xyz", tfTenThou}};
    for (auto [word, level] : table) {
        writeTextFile(path, std::string("[TrigFixup]\nTrigFixupType=") + word + "\nTrigRequireExact=1\n");
        TMainFormOptions(path).ReadIniFile();
        EXPECT_EQ(CurrentTrigFixup(), level) << word;
        EXPECT_TRUE(CurrentRequireExact());
    }
}

TEST_F(MainOptions, AReadFaultStopsTheChainAndLaterObjectsKeepTheirDefaults) {
    writeTextFile(path,
                  "[General]\nRepeatDelay=111\nDefaultBmpWidth=222\nRepeatRate=333\nDefaultBmpHeight=444\n"
                  "[StatusLine]\nCenterFormat2D=vcPixels\nMouseFormat2D=mpBitMap\nShowStatusLine=0\n"
                  "[HotKey2D]\nGrScrollAmt2D=77\n[HotKey3D]\nZoom1Range3D=99\n"
                  "[TrigFixup]\nTrigFixupType=tfMill\n");
    TMainFormOptions options = optionsFailingAt("StatusLine", "MouseFormat2D");
    options.ReadIniFile();
    EXPECT_EQ(options.GeneralOptions.RepeatDelay, 111); // read before the fault
    EXPECT_EQ(options.GeneralOptions.RepeatRate, 333);
    EXPECT_EQ(options.StatusLine.CenterFormat2D, vcPixels); // read before the fault in its own object
    EXPECT_EQ(options.StatusLine.MouseFormat2D, mpCartesian);
    EXPECT_TRUE(options.StatusLine.ShowStatusLine);
    EXPECT_EQ(options.HotKeys2D.GrScrollAmt, 10);
    EXPECT_EQ(options.HotKeys3D.Zoom1Range3D, 20);
    EXPECT_EQ(CurrentTrigFixup(), tfMill); // read ahead of the chain

    TMainFormOptions early = optionsFailingAt("General", "DefaultBmpWidth");
    early.ReadIniFile();
    EXPECT_EQ(early.GeneralOptions.RepeatDelay, 111);
    EXPECT_EQ(early.GeneralOptions.DefaultBmpWidth, 1000);
    EXPECT_EQ(early.GeneralOptions.RepeatRate, 333);        // comes before the width
    EXPECT_EQ(early.GeneralOptions.DefaultBmpHeight, 1000); // comes after it
    EXPECT_EQ(early.StatusLine.CenterFormat2D, vcCartesian);

    // A fault in the trigonometric keys is skipped and the chain still runs.
    TMainFormOptions trig = optionsFailingAt("TrigFixup", "TrigRequireExact");
    SetTrigFixup(tfNormal, false);
    trig.ReadIniFile();
    EXPECT_EQ(CurrentTrigFixup(), tfNormal);
    EXPECT_EQ(trig.HotKeys3D.Zoom1Range3D, 99);
}

TEST_F(MainOptions, AWriteFaultStopsTheChainButTheFileIsStillWritten) {
    writeTextFile(path, "[Other]\nKeep=1\n");
    TMainFormOptions options = optionsFailingAt("General", "DefaultColorDepth");
    changeEverything(options);
    options.WriteIniOptions();
    const std::string text = readTextFile(path);
    EXPECT_NE(text.find("DefFontName=Mono Test\n"), std::string::npos);
    EXPECT_NE(text.find("DefaultBmpHeight=480\n"), std::string::npos);
    EXPECT_EQ(text.find("FlatToolBars"), std::string::npos);
    EXPECT_EQ(text.find("[StatusLine]"), std::string::npos);
    EXPECT_EQ(text.find("[HotKey3D]"), std::string::npos);
}

TEST_F(MainOptions, NumbersReadBackWhateverLocaleWroteThem) {
    // Written under one decimal separator, read under the other; a file that holds ','
    // (written before, or by hand) reads the same.
    struct Row {
        char Writer, Reader;
        const char* OldText; // a file as found, instead of one this program writes
    };
    for (const Row& row :
         {Row{',', '.', nullptr}, Row{'.', ',', nullptr},
          Row{',', '.', "[HotKey2D]\nZoom5Range2D=0,07\n[HotKey3D]\nRotation3DIncAmt=2,5\n"},
          Row{'.', ',', "[HotKey2D]\nZoom5Range2D=0.07\n[HotKey3D]\nRotation3DIncAmt=2.5\n"}}) {
        SCOPED_TRACE(std::string(1, row.Writer) + " then " + row.Reader + (row.OldText ? " (as found)" : ""));
        writeTextFile(path, row.OldText ? row.OldText : "");
        {
            std::optional<TCommaLocale> comma;
            if (row.Writer == ',') comma.emplace();
            FormatSettings().DecimalSeparator = row.Writer;
            TMainFormOptions written(path);
            written.HotKeys2D.Zoom5Range = 0.07L;
            written.HotKeys3D.Rotation3DIncAmt = 2.5L;
            written.HotKeysPolar.Zoom1Range = 1234.5L;
            if (!row.OldText) written.WriteIniOptions();
        }
        const std::string text = readTextFile(path);
        if (!row.OldText) {
            EXPECT_NE(text.find("Zoom5Range2D=0.07\n"), std::string::npos) << text;
            EXPECT_NE(text.find("Rotation3DIncAmt=2.5\n"), std::string::npos) << text;
            EXPECT_NE(text.find("Zoom1RangePol=1234.5\n"), std::string::npos) << text;
        }

        std::optional<TCommaLocale> comma;
        if (row.Reader == ',') comma.emplace();
        FormatSettings().DecimalSeparator = row.Reader;
        TMainFormOptions read(path);
        read.ReadIniFile();
        EXPECT_EQ(double(read.HotKeys2D.Zoom5Range), 0.07);
        EXPECT_EQ(read.HotKeys3D.Rotation3DIncAmt, 2.5L);
        if (!row.OldText) {
            EXPECT_EQ(read.HotKeysPolar.Zoom1Range, 1234.5L);
        }
    }
}
