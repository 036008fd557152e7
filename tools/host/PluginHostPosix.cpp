#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "tools/host/HostError.h"
#include "tools/host/PlatformNames.h"
#include "tools/host/PluginHost.h"

namespace {

constexpr const char* kEntryNames[] = {"VSTPluginMain", "main"};

// dlopen looks a name without a slash up on the library path; talonhost is given a file, and a
// bare name means the one in the current folder.
std::string asFilePath(const std::string& path) {
    return path.find('/') == std::string::npos ? "./" + path : path;
}

std::string absolutePath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

std::string loaderError() {
    const char* message = dlerror();
    return message != nullptr ? message : "unknown loader error";
}

std::string runningExecutable() {
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return std::string();
    path.resize(static_cast<std::size_t>(length));
    return path;
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) {
    const std::string file = asFilePath(path);
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        throw HostError("cannot load plug-in '" + path + "' (" + loaderError() + ")");
    }
    module_ = module;
    for (const char* name : kEntryNames) {
        // The handle's own scope: the library and what it needs, never talonhost's own main.
        if (void* address = dlsym(module, name)) {
            entry_ = reinterpret_cast<PluginEntryProc>(address);
            entryName_ = name;
            break;
        }
    }
    if (entry_ == nullptr) {
        dlclose(module);
        throw HostError("'" + path + "' has no VSTPluginMain or main entry point");
    }
    loadedPath_ = absolutePath(file);
}

PluginLibrary::~PluginLibrary() { dlclose(module_); }

AEffect* PluginLibrary::instantiate(audioMasterCallback host) const { return entry_(host); }

std::string defaultPluginPath() {
    std::string folder = runningExecutable();
    const std::size_t separator = folder.find_last_of('/');
    folder.erase(separator == std::string::npos ? 0 : separator + 1);
    return folder + kDefaultPluginName;
}
