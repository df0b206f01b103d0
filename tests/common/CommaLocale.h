#pragma once
// Switches the C library to a locale whose decimal separator is ',' for the life of the
// object, generating one with localedef when the system has none installed.

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

class TCommaLocale {
public:
    TCommaLocale() {
        const char* old = std::setlocale(LC_ALL, nullptr);
        saved_ = old ? old : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
            if (activate(name)) return;
        auto dir = std::filesystem::temp_directory_path() / "quorix-locales";
        std::filesystem::create_directories(dir);
        std::string target = (dir / "de_DE.UTF-8").string();
        std::string cmd = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
        if (!std::filesystem::exists(target)) (void)std::system(cmd.c_str());
        setenv("LOCPATH", dir.c_str(), 1);
        activate("de_DE.UTF-8");
    }
    ~TCommaLocale() {
        std::setlocale(LC_ALL, saved_.c_str());
        unsetenv("LOCPATH");
    }
    // True when the C library now really uses ',' as its decimal point.
    bool Active() const { return active_; }

private:
    bool activate(const char* name) {
        if (!std::setlocale(LC_ALL, name)) return false;
        active_ = std::localeconv()->decimal_point[0] == ',';
        return active_;
    }
    std::string saved_;
    bool active_ = false;
};
