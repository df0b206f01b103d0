#include "shell/MainOptions.h"

#include "math/MathFunc.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

// The level word and the exact-only flag of the trigonometric fix-up. A failure here
// leaves the fix-up as it was and does not stop the options that follow.
void readTrigFixupOptions(const TMemIniFile& Ini) {
    try {
        const TTrigFixupType level = TrigFixupTypeFromWord(Ini.ReadString("TrigFixup", "TrigFixupType", ""));
        const bool requireExact = Ini.ReadBool("TrigFixup", "TrigRequireExact", false);
        SetTrigFixup(level, requireExact);
    } catch (...) {
    }
}

} // namespace

std::string DefaultIniFileName() {
    const QString folder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return QDir(folder).filePath("quorix.ini").toStdString();
}

TMainFormOptions::TMainFormOptions(std::string IniFileName)
    : IniFileName(std::move(IniFileName)),
      OpenIniFile([](const std::string& name) { return std::make_unique<TMemIniFile>(name); }) {}

std::unique_ptr<TMemIniFile> TMainFormOptions::openExisting() const {
    if (!QFileInfo(QString::fromStdString(IniFileName)).isFile()) return nullptr;
    std::unique_ptr<TMemIniFile> ini = OpenIniFile(IniFileName);
    // A file that exists but cannot be read is left alone: writing it back would lose
    // whatever it holds.
    if (!ini || !ini->Loaded()) return nullptr;
    return ini;
}

void TMainFormOptions::ReadIniFile() {
    IniShowGraphToolBar = true;
    IniShowLabelToolBar = false;
    try {
        std::unique_ptr<TMemIniFile> ini = openExisting();
        if (!ini) return;
        AllowIniFileChanges = ini->ReadBool("CanSaveOptions", "AllowIniFileChanges", true);
        IniShowGraphToolBar = ini->ReadBool("ToolBarVisibility", "ShowGraphToolBar", true);
        IniShowLabelToolBar = ini->ReadBool("ToolBarVisibility", "ShowLabelToolBar", false);
        readTrigFixupOptions(*ini);
        (void)(ReadDefaultFontFromIni(*ini) && GeneralOptions.ReadIni(*ini) && StatusLine.ReadIni(*ini) &&
               HotKeys2D.ReadIni(*ini) && HotKeysPolar.ReadIni(*ini) && HotKeys3D.ReadIni(*ini));
    } catch (...) {
    }
}

void TMainFormOptions::WriteIniOptions() {
    try {
        if (!AllowIniFileChanges) return;
        std::unique_ptr<TMemIniFile> ini = openExisting();
        if (!ini) return;
        (void)(WriteDefaultFontToIni(*ini) && GeneralOptions.WriteIni(*ini) && StatusLine.WriteIni(*ini) &&
               HotKeys2D.WriteIni(*ini) && HotKeysPolar.WriteIni(*ini) && HotKeys3D.WriteIni(*ini));
        ini->UpdateFile();
    } catch (...) {
    }
}

void TMainFormOptions::WriteIniToolBarVisibility(std::optional<bool> GraphToolBarVisible,
                                                 std::optional<bool> LabelToolBarVisible) {
    if (!GraphToolBarVisible || !LabelToolBarVisible) return;
    if (*GraphToolBarVisible == IniShowGraphToolBar && *LabelToolBarVisible == IniShowLabelToolBar) return;
    try {
        if (!AllowIniFileChanges) return;
        std::unique_ptr<TMemIniFile> ini = openExisting();
        if (!ini) return;
        ini->WriteBool("ToolBarVisibility", "ShowGraphToolBar", *GraphToolBarVisible);
        ini->WriteBool("ToolBarVisibility", "ShowLabelToolBar", *LabelToolBarVisible);
        ini->UpdateFile();
    } catch (...) {
    }
}
