#pragma once
// The options the main window owns and its three ini routines: read everything at start,
// write the options after the Options dialog's OK, write the tool-bar visibility at close.
// The main window derives from this, so graph windows and dialogs reach the option
// objects through it. The program never creates the ini file: it is read when it exists
// and written only when it exists and its own "AllowIniFileChanges" does not forbid it.

#include "shell/Options.h"
#include "shell/status.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class TMemIniFile;

// "quorix.ini" in the folder of the running program.
std::string DefaultIniFileName();

class TMainFormOptions {
public:
    explicit TMainFormOptions(std::string IniFileName = DefaultIniFileName());

    // Where the ini file lies; tests point it at a file of their own.
    std::string IniFileName;
    // Opens the ini file by name; a test may hand out a file that fails while it is read
    // or written.
    std::function<std::unique_ptr<TMemIniFile>(const std::string& FileName)> OpenIniFile;

    bool AllowIniFileChanges = true;
    bool IniShowGraphToolBar = true;  // as read at start
    bool IniShowLabelToolBar = false; // as read at start

    TGeneralOptionsObj GeneralOptions;
    TStatusLineObj StatusLine;
    THotKey2DObj HotKeys2D;
    THotKeyPolarObj HotKeysPolar;
    THotKey3DObj HotKeys3D;

    // At start: the permission, the tool-bar visibility, the trigonometric fix-up, then
    // the default font, general, status line, 2D, polar and 3D options in a chain that
    // stops at the first that fails. Without a file everything keeps its defaults.
    void ReadIniFile();
    // After the Options dialog's OK: the same chain of writes, then the file is written
    // back, also after a write that failed.
    void WriteIniOptions();
    // At close, with the tool bars' visibility (nullopt for a tool bar that does not exist):
    // writes both only when one differs from what was read at start.
    void WriteIniToolBarVisibility(std::optional<bool> GraphToolBarVisible,
                                   std::optional<bool> LabelToolBarVisible);

private:
    // The ini file when it exists and reads, else null.
    std::unique_ptr<TMemIniFile> openExisting() const;
};
