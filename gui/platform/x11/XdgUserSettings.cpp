// The user's settings on Linux: one small text file per product, "$XDG_CONFIG_HOME/<vendor>/
// <product>" (or "~/.config/..."), a "name=value" line per setting. Writes go to a temporary file
// that replaces the old one, so another process never reads half a file.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <string>

#include "gui/platform/UserSettings.h"

namespace gui::platform {

namespace {

constexpr mode_t kPrivateFolder = 0700;
// Every instance of the module shares the file: one writer at a time within the process.
std::mutex fileLock;

// The base folder; empty when neither variable gives an absolute path (a relative one is
// ignored, as the base directory convention asks).
std::string configBase() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return config;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    return std::string();
}

// A name or scope part that cannot break the file's lines or leave its folder.
bool usable(const char* part) {
    return part && part[0] && !std::strpbrk(part, "=\n\r/") && std::strcmp(part, "..") != 0;
}

bool usable(const SettingsScope& scope, const char* name) {
    return usable(scope.vendor) && usable(scope.product) && usable(name);
}

std::string fileOf(const SettingsScope& scope) {
    const std::string base = configBase();
    if (base.empty()) return base;
    return base + "/" + scope.vendor + "/" + scope.product;
}

bool makeFolder(const std::string& path) {
    return mkdir(path.c_str(), kPrivateFolder) == 0 || errno == EEXIST;
}

// Lines that are no "name=number" are dropped; the rest keeps its values.
std::map<std::string, std::uint32_t> readAll(const std::string& path) {
    std::map<std::string, std::uint32_t> values;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t equals = line.find('=');
        if (equals == 0 || equals == std::string::npos) continue;
        const std::string number = line.substr(equals + 1);
        char* end = nullptr;
        errno = 0;
        const unsigned long long value = std::strtoull(number.c_str(), &end, 10);
        if (number.empty() || *end || errno || number[0] == '-' || value > UINT32_MAX) continue;
        values[line.substr(0, equals)] = static_cast<std::uint32_t>(value);
    }
    return values;
}

bool writeAll(const SettingsScope& scope, const std::map<std::string, std::uint32_t>& values) {
    const std::string base = configBase();
    if (base.empty() || !makeFolder(base) || !makeFolder(base + "/" + scope.vendor)) return false;
    const std::string path = fileOf(scope);
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary, std::ios::trunc);
        for (const auto& [name, value] : values) file << name << '=' << value << '\n';
        file.flush();
        if (!file) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace

bool readSetting(const SettingsScope& scope, const char* name, std::uint32_t& value) {
    if (!usable(scope, name)) return false;
    std::lock_guard<std::mutex> hold(fileLock);
    const std::string path = fileOf(scope);
    if (path.empty()) return false;
    const auto values = readAll(path);
    const auto found = values.find(name);
    if (found == values.end()) return false;
    value = found->second;
    return true;
}

bool writeSetting(const SettingsScope& scope, const char* name, std::uint32_t value) {
    if (!usable(scope, name)) return false;
    std::lock_guard<std::mutex> hold(fileLock);
    const std::string path = fileOf(scope);
    if (path.empty()) return false;
    auto values = readAll(path);
    values[name] = value;
    return writeAll(scope, values);
}

bool removeSetting(const SettingsScope& scope, const char* name) {
    if (!usable(scope, name)) return false;
    std::lock_guard<std::mutex> hold(fileLock);
    const std::string path = fileOf(scope);
    if (path.empty()) return false;
    auto values = readAll(path);
    if (values.erase(name) == 0) return true;
    return writeAll(scope, values);
}

}  // namespace gui::platform
