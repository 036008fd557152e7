// Loading an effect DLL and calling its entry point: the only part of talonhost that uses Win32.
#pragma once

#include <string>

#include "host/aeffect.h"

using PluginEntryProc = AEffect*(VSTCALLBACK*)(audioMasterCallback host);

class PluginLibrary {
  public:
    // Loads the DLL and finds VSTPluginMain, or else main; throws HostError if either fails.
    explicit PluginLibrary(const std::string& path);
    // Unloads the DLL; every effect it created must be closed by then.
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

// Talon5800.dll in the folder of the running executable.
std::string defaultPluginPath();
