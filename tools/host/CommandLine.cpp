#include "tools/host/CommandLine.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "tools/host/HostError.h"
#include "tools/host/PlatformNames.h"

namespace {

constexpr const char* kNormalizedPrefix = "norm:";

bool startsWithSpace(const std::string& text) {
    return !text.empty() && std::isspace(static_cast<unsigned char>(text.front()));
}

// Display texts write minus infinity as "-oo"; the command line accepts that and "-inf".
bool isMinusInfinity(const std::string& text) { return text == "-oo" || text == "-inf"; }

ParameterAssignment parseAssignment(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        throw UsageError("--set expects NAME=VALUE, got '" + text + "'");
    }
    ParameterAssignment assignment;
    assignment.name = text.substr(0, equals);
    std::string valueText = text.substr(equals + 1);
    const std::string prefix = kNormalizedPrefix;
    if (valueText.compare(0, prefix.size(), prefix) == 0) {
        valueText.erase(0, prefix.size());
        const std::optional<double> normalized = parseNumber(valueText);
        if (!normalized || *normalized < 0.0 || *normalized > 1.0) {
            throw UsageError("--set " + assignment.name + ": normalized value must be 0..1, got '" +
                             valueText + "'");
        }
        assignment.value = *normalized;
        assignment.isNormalized = true;
        return assignment;
    }
    if (isMinusInfinity(valueText)) {
        assignment.value = -std::numeric_limits<double>::infinity();
        return assignment;
    }
    const std::optional<double> value = parseNumber(valueText);
    if (!value) {
        throw UsageError("--set " + assignment.name + ": bad number '" + valueText + "'");
    }
    assignment.value = *value;
    return assignment;
}

// Walks the argument list; options take their value from "--name=value" or the next argument.
class ArgumentCursor {
  public:
    explicit ArgumentCursor(const std::vector<std::string>& args) : args_(args) {}

    bool done() const { return position_ >= args_.size(); }

    std::string nextRaw() { return args_[position_++]; }

    // Splits the next argument into option name and an inline "=value", if any.
    std::string nextOption() {
        std::string option = args_[position_++];
        inlineValue_.reset();
        const std::size_t equals = option.find('=');
        if (option.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            inlineValue_ = option.substr(equals + 1);
            option.erase(equals);
        }
        return option;
    }

    std::string valueOf(const std::string& option) {
        if (inlineValue_) return *inlineValue_;
        if (done()) throw UsageError("option " + option + " needs a value");
        return args_[position_++];
    }

    void rejectInlineValue(const std::string& option) const {
        if (inlineValue_) throw UsageError("option " + option + " takes no value");
    }

  private:
    const std::vector<std::string>& args_;
    std::size_t position_ = 0;
    std::optional<std::string> inlineValue_;
};

void setInputPath(HostOptions& options, const std::string& path) {
    if (!options.inputPath.empty()) {
        throw UsageError("more than one input file: '" + options.inputPath + "' and '" + path +
                         "'");
    }
    options.inputPath = path;
}

int parseBlockSize(const std::string& text) {
    const std::optional<long long> block = parseInteger(text, kMinBlockSize, kMaxBlockSize);
    if (!block) {
        throw UsageError("--block must be an integer from " + std::to_string(kMinBlockSize) +
                         " to " + std::to_string(kMaxBlockSize) + ", got '" + text + "'");
    }
    return static_cast<int>(*block);
}

int parseProgram(const std::string& text) {
    const std::optional<long long> program = parseInteger(text, 0, std::numeric_limits<int>::max());
    if (!program) throw UsageError("--program must be a non-negative integer, got '" + text + "'");
    return static_cast<int>(*program);
}

double parseEditorScale(const std::string& text) {
    const std::optional<double> scale = parseNumber(text);
    if (!scale || *scale < kMinEditorScale || *scale > kMaxEditorScale) {
        throw UsageError("--scale must be a number from 1.0 to 3.0, got '" + text + "'");
    }
    return *scale;
}

// Applies one option; returns false if it is not an option talonhost knows.
bool applyOption(const std::string& option, ArgumentCursor& cursor, HostOptions& options) {
    if (option == "-o" || option == "--output") {
        options.outputPath = cursor.valueOf(option);
        if (options.outputPath.empty()) throw UsageError("--output needs a file name");
        options.outputGiven = true;
    } else if (option == "--plugin") {
        options.pluginPath = cursor.valueOf(option);
        if (options.pluginPath.empty()) throw UsageError("--plugin needs a file name");
    } else if (option == "--block") {
        options.blockSize = parseBlockSize(cursor.valueOf(option));
    } else if (option == "--program") {
        options.program = parseProgram(cursor.valueOf(option));
    } else if (option == "--set") {
        options.assignments.push_back(parseAssignment(cursor.valueOf(option)));
    } else if (option == "--screenshot") {
        options.screenshotPath = cursor.valueOf(option);
        if (options.screenshotPath.empty()) throw UsageError("--screenshot needs a file name");
    } else if (option == "--scale") {
        options.editorScale = parseEditorScale(cursor.valueOf(option));
    } else if (option == "--editor") {
        cursor.rejectInlineValue(option);
        options.openEditor = true;
    } else if (option == "--double") {
        cursor.rejectInlineValue(option);
        options.useDouble = true;
    } else if (option == "--verbose") {
        cursor.rejectInlineValue(option);
        options.verbose = true;
    } else {
        return false;
    }
    return true;
}

// The editor modes show the editor instead of processing; audio arguments would be ignored.
void checkEditorMode(const HostOptions& options) {
    if (options.editorScale && !options.showsEditor()) {
        throw UsageError("--scale is for the editor: give --editor or --screenshot");
    }
    if (!options.showsEditor()) return;
    if (options.openEditor && !options.screenshotPath.empty()) {
        throw UsageError("--editor and --screenshot cannot be combined");
    }
    const char* mode = options.openEditor ? "--editor" : "--screenshot";
    if (!options.inputPath.empty() || options.outputGiven || options.useDouble) {
        throw UsageError(std::string(mode) +
                         " processes no audio; drop the input file, --output and --double");
    }
}

}  // namespace

std::optional<double> parseNumber(const std::string& text) {
    if (text.empty() || startsWithSpace(text)) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<long long> parseInteger(const std::string& text, long long minimum,
                                      long long maximum) {
    if (text.empty() || startsWithSpace(text)) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || value < minimum || value > maximum) {
        return std::nullopt;
    }
    return value;
}

HostOptions parseCommandLine(const std::vector<std::string>& args) {
    HostOptions options;
    ArgumentCursor cursor(args);
    bool optionsEnded = false;
    while (!cursor.done()) {
        if (optionsEnded) {
            setInputPath(options, cursor.nextRaw());
            continue;
        }
        const std::string argument = cursor.nextOption();
        if (argument == "-" || argument.empty() || argument[0] != '-') {
            setInputPath(options, argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            options.showHelp = true;
            return options;
        } else if (!applyOption(argument, cursor, options)) {
            throw UsageError("unknown option '" + argument + "' (see --help)");
        }
    }
    checkEditorMode(options);
    return options;
}

namespace {

// What --plugin loads by default is the platform's file.
std::string pluginOptionHelp() {
    return std::string("  --plugin PATH       effect ") + kPluginFileKind + " (default " +
           kDefaultPluginName + " beside " + kHostProgramFile + ")\n";
}

}  // namespace

std::string usageText() {
    return "usage: talonhost [options] [input.wav]\n"
           "       talonhost [--plugin PATH] [--program N] [--set NAME=VALUE ...]\n"
           "                 [--scale F] (--editor | --screenshot FILE.png)\n"
           "Runs a 2-in/2-out VST 2.4 effect over a WAV file (or a built-in stereo test signal)\n"
           "and writes the result as a 32-bit float WAV file, or shows the effect's editor.\n"
           "\n"
           "  -o, --output PATH   output file (default talon-out.wav)\n" +
           pluginOptionHelp() +
           "  --block N           block size in frames, 1..65536 (default 512)\n"
           "  --double            process through processDoubleReplacing\n"
           "  --program N         select program N before processing\n"
           "  --set NAME=VALUE    set a parameter in its display unit, e.g. --set Output=-3.0;\n"
           "                      NAME=norm:X sets the normalized value X (0..1); repeatable\n"
           "  --editor            open the effect's editor in a window until it is closed\n"
           "  --screenshot PATH   open the editor, write its drawn window as a PNG file, close\n"
           "  --scale F           announce editor scale factor F (1.0..3.0) to the effect before\n"
           "                      asking the editor's size; with --editor or --screenshot\n"
           "  --verbose           log every call between host and effect on stderr\n"
           "  -h, --help          show this help\n"
           "\n"
           "Input: PCM 16/24-bit or 32-bit float WAV (also WAVE_FORMAT_EXTENSIBLE), mono or "
           "stereo.\n";
}
