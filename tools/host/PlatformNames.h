// What the plug-in file and the host program are called where talonhost is built: the one place
// outside the per-platform source files where the platforms differ.
#pragma once

#ifdef _WIN32
constexpr const char* kDefaultPluginName = "Talon5800.dll";
constexpr const char* kPluginFileKind = "DLL";
constexpr const char* kHostProgramFile = "talonhost.exe";
#else
constexpr const char* kDefaultPluginName = "talon5800.so";
constexpr const char* kPluginFileKind = "shared object";
constexpr const char* kHostProgramFile = "talonhost";
#endif
