#pragma once
// Switches the C library to a locale whose decimal separator is ',' for the life of the
// object, generating one with localedef when the system has none installed.
//
// Several test processes may ask for the generated locale at the same moment (ctest -j), so
// each one compiles it in a folder of its own and renames that into place: a reader finds
// either no locale or a whole one, never a half-written one.

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <sys/wait.h>
#include <unistd.h>

class TCommaLocale {
public:
    TCommaLocale() {
        const char* old = std::setlocale(LC_ALL, nullptr);
        saved_ = old ? old : "C";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"})
            if (activate(name)) return;
        std::error_code ec;
        auto shared = std::filesystem::temp_directory_path(ec) / "quorix-comma-locale";
        std::filesystem::create_directories(shared, ec);
        if (!std::filesystem::exists(shared / kName, ec)) publish(shared);
        if (useFolder(shared)) return;
        // The shared copy is damaged, and the C library remembers a failed load per folder:
        // this process builds and uses a private one.
        privateDir_ = makePrivateFolder(shared);
        if (!privateDir_.empty() && build(privateDir_)) useFolder(privateDir_);
    }
    ~TCommaLocale() {
        std::setlocale(LC_ALL, saved_.c_str());
        unsetenv("LOCPATH");
        std::error_code ec;
        if (!privateDir_.empty()) std::filesystem::remove_all(privateDir_, ec);
    }
    // True when the C library now really uses ',' as its decimal point.
    bool Active() const { return active_; }

private:
    static constexpr const char* kName = "de_DE.UTF-8";

    bool activate(const char* name) {
        if (!std::setlocale(LC_ALL, name)) return false;
        active_ = std::localeconv()->decimal_point[0] == ',';
        return active_;
    }
    bool useFolder(const std::string& dir) {
        std::error_code ec;
        if (!std::filesystem::exists(std::filesystem::path(dir) / kName, ec)) return false;
        setenv("LOCPATH", dir.c_str(), 1);
        return activate(kName);
    }
    static std::string makePrivateFolder(const std::filesystem::path& in) {
        std::string dir = (in / "build.XXXXXX").string();
        return mkdtemp(dir.data()) ? dir : std::string();
    }
    static bool build(const std::string& dir) {
        std::string cmd = "localedef -i de_DE -f UTF-8 '" + dir + "/" + kName + "' >/dev/null 2>&1";
        int status = std::system(cmd.c_str());
        return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    // Builds the locale privately and renames it to shared/kName. A rename onto a folder that
    // is there already fails, which leaves the first finished copy in place.
    static void publish(const std::filesystem::path& shared) {
        std::string dir = makePrivateFolder(shared);
        if (dir.empty()) return;
        if (build(dir)) (void)std::rename((dir + "/" + kName).c_str(), (shared / kName).c_str());
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    std::string saved_;
    std::string privateDir_;
    bool active_ = false;
};
