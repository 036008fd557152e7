// Loading an effect's library and calling its entry point: one source file per platform
// (PluginHostWin32.cpp, PluginHostPosix.cpp) implements it.
#pragma once

#include <string>

#include "host/aeffect.h"

using PluginEntryProc = AEffect*(VSTCALLBACK*)(audioMasterCallback host);

class PluginLibrary {
  public:
    // Loads the library and finds VSTPluginMain, or else main; throws HostError if either fails.
    explicit PluginLibrary(const std::string& path);
    // Unloads the library; every effect it created must be closed by then.
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Calls the entry point; the result still has to pass checkStereoEffect.
    AEffect* instantiate(audioMasterCallback host) const;
    const std::string& entryName() const { return entryName_; }
    const std::string& loadedPath() const { return loadedPath_; }

  private:
    void* module_ = nullptr;
    PluginEntryProc entry_ = nullptr;
    std::string entryName_;
    std::string loadedPath_;
};

// The platform's plug-in file (kDefaultPluginName) in the folder of the running executable.
std::string defaultPluginPath();
