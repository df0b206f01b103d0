#include "platform/IniFile.h"

#include "common/TextFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

TEST(IniFile, NamesCompareWithoutCaseAndOrderIsKept) {
    TMemIniFile ini;
    ini.SetText("; settings\n[General]\nRepeatDelay=600\nFlatToolBars=1\n\n[HotKey2D]\nGrScrollAmt2D=10\n");
    EXPECT_EQ(ini.ReadInteger("general", "REPEATDELAY", 0), 600);
    EXPECT_TRUE(ini.ReadBool("GENERAL", "flattoolbars", false));
    EXPECT_TRUE(ini.SectionExists("hotkey2d"));
    EXPECT_TRUE(ini.ValueExists("HotKey2D", "grscrollamt2d"));

    // A write to an existing key keeps its place and its original spelling.
    ini.WriteInteger("GENERAL", "repeatdelay", 700);
    ini.WriteBool("General", "CenterCommonDlgs", false);
    ini.WriteString("TrigFixup", "TrigFixupType", "tfMill");
    EXPECT_EQ(ini.GetText(), "; settings\n[General]\nRepeatDelay=700\nFlatToolBars=1\nCenterCommonDlgs=0\n\n"
                             "[HotKey2D]\nGrScrollAmt2D=10\n[TrigFixup]\nTrigFixupType=tfMill\n");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"General", "HotKey2D", "TrigFixup"}));
    EXPECT_EQ(ini.ReadSection("general"),
              (std::vector<std::string>{"RepeatDelay", "FlatToolBars", "CenterCommonDlgs"}));

    ini.DeleteKey("general", "flattoolbars");
    ini.EraseSection("hotkey2d");
    EXPECT_EQ(ini.GetText(), "; settings\n[General]\nRepeatDelay=700\nCenterCommonDlgs=0\n\n"
                             "[TrigFixup]\nTrigFixupType=tfMill\n");
}

TEST(IniFile, TypedReadsFallBackToTheirDefaults) {
    TMemIniFile ini;
    ini.SetText("[S]\nInt= 42 \nHex=$FF\nHex2=0x80000000\nBad=12abc\nBig=99999999999\nNeg=-7\nB0=0\nB2=2\n"
                "BText=true\nF=2.5\nFBad=2.5x\nEmpty=\n");
    EXPECT_EQ(ini.ReadInteger("S", "Int", 1), 42);
    EXPECT_EQ(ini.ReadInteger("S", "Hex", 1), 255);
    EXPECT_EQ(uint32_t(ini.ReadInteger("S", "Hex2", 1)), 0x80000000u);
    EXPECT_EQ(ini.ReadInteger("S", "Bad", 1), 1);
    EXPECT_EQ(ini.ReadInteger("S", "Big", 1), 1);
    EXPECT_EQ(ini.ReadInteger("S", "Neg", 1), -7);
    EXPECT_EQ(ini.ReadInteger("S", "Missing", 5), 5);
    EXPECT_FALSE(ini.ReadBool("S", "B0", true));
    EXPECT_TRUE(ini.ReadBool("S", "B2", false));
    // Booleans are numbers: a word gives the default.
    EXPECT_FALSE(ini.ReadBool("S", "BText", false));
    EXPECT_EQ(ini.ReadFloat("S", "F", 0), 2.5L);
    EXPECT_EQ(ini.ReadFloat("S", "FBad", 9), 9.0L);
    EXPECT_EQ(ini.ReadString("S", "Empty", "def"), "");
    EXPECT_EQ(ini.ReadString("S", "Missing", "def"), "def");
    EXPECT_EQ(ini.ReadString("Nowhere", "Int", "def"), "def");
}

TEST(IniFile, FloatsAreWrittenWithAPointAndReadInEitherForm) {
    TMemIniFile ini;
    FormatSettings().DecimalSeparator = ',';
    ini.WriteFloat("HotKey2D", "Zoom5Range2D", 0.02L);
    EXPECT_EQ(ini.ReadString("HotKey2D", "Zoom5Range2D", ""), "0.02");
    EXPECT_EQ(ini.ReadFloat("HotKey2D", "Zoom5Range2D", 0), 0.02L);
    ini.WriteString("HotKey2D", "Zoom6Range2D", "0.0002");
    EXPECT_EQ(ini.ReadFloat("HotKey2D", "Zoom6Range2D", 0), 0.0002L);
    ResetFormatSettings();
    ini.WriteFloat("HotKey3D", "Rotation3DIncAmt", 3.0L);
    EXPECT_EQ(ini.ReadString("HotKey3D", "Rotation3DIncAmt", ""), "3");
}

TEST(IniFile, WholeFileReadAndWriteReportFailureAsFalse) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::string path = dir.filePath("quorix.ini").toStdString();

    TMemIniFile missing(path);
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.ReadInteger("General", "RepeatRate", 150), 150);

    writeTextFile(path, "[CanSaveOptions]\r\nAllowIniFileChanges=0\r\n");
    TMemIniFile ini(path);
    ASSERT_TRUE(ini.Loaded());
    EXPECT_FALSE(ini.ReadBool("CanSaveOptions", "AllowIniFileChanges", true));
    ini.WriteBool("ToolBarVisibility", "ShowLabelToolBar", true);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(readTextFile(path),
              "[CanSaveOptions]\nAllowIniFileChanges=0\n[ToolBarVisibility]\nShowLabelToolBar=1\n");

    TMemIniFile nowhere;
    EXPECT_FALSE(nowhere.UpdateFile());
    EXPECT_FALSE(ini.SaveToFile(dir.filePath("no/such/dir/quorix.ini").toStdString()));
    EXPECT_FALSE(ini.SaveToFile("/dev/full/quorix.ini"));
}
