// Options of talonhost and their parsing; everything here is plain C++ so it can be unit-tested.
#pragma once

#include <optional>
#include <string>
#include <vector>

constexpr int kMinBlockSize = 1;
constexpr int kMaxBlockSize = 65536;
constexpr int kDefaultBlockSize = 512;
// The editor scale factors a host may announce.
constexpr double kMinEditorScale = 1.0;
constexpr double kMaxEditorScale = 3.0;

// One --set NAME=VALUE request.
struct ParameterAssignment {
    std::string name;
    double value = 0.0;
    // True for "norm:X": value is the parameter's 0..1 value, not a number in its display unit.
    bool isNormalized = false;
};

struct HostOptions {
    std::string inputPath;  // empty: the built-in test signal
    std::string outputPath = "talon-out.wav";
    bool outputGiven = false;  // --output was on the command line
    std::string pluginPath;    // empty: kDefaultPluginName beside the executable
    int blockSize = kDefaultBlockSize;
    bool useDouble = false;
    std::optional<int> program;
    std::vector<ParameterAssignment> assignments;
    bool openEditor = false;     // --editor: show the effect's editor until it is closed
    std::string screenshotPath;  // --screenshot: write the drawn editor to this PNG file
    // --scale: announced to the editor before its size is asked.
    std::optional<double> editorScale;
    bool verbose = false;
    bool showHelp = false;

    // The editor modes process no audio.
    bool showsEditor() const { return openEditor || !screenshotPath.empty(); }
};

// Parses the arguments after the program name; throws UsageError on anything it does not accept.
HostOptions parseCommandLine(const std::vector<std::string>& args);

// Parses a whole string as a finite decimal number; nothing else may follow it.
std::optional<double> parseNumber(const std::string& text);

// Parses a whole string as an integer within [minimum, maximum].
std::optional<long long> parseInteger(const std::string& text, long long minimum,
                                      long long maximum);

std::string usageText();
