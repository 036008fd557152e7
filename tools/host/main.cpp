// talonhost: runs a VST 2.4 stereo effect over a WAV file or a built-in test signal and shows
// what the effect reports about itself and how it changed the stereo image; or shows its editor.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/host/CommandLine.h"
#include "tools/host/EditorHost.h"
#include "tools/host/EffectSession.h"
#include "tools/host/HostCallback.h"
#include "tools/host/HostError.h"
#include "tools/host/PluginHost.h"
#include "tools/host/Report.h"
#include "tools/host/SignalStats.h"
#include "tools/host/TestSignal.h"
#include "tools/host/WavFile.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

StereoAudio loadInput(const HostOptions& options) {
    if (options.inputPath.empty()) {
        StereoAudio signal = makeTestSignal();
        std::cout << "Input:          built-in test signal (" << kTestSignalSeconds << " s, "
                  << signal.sampleRate << " Hz, " << signal.frames()
                  << " frames; common, opposite and one-sided sines)\n";
        return signal;
    }
    DecodedWav decoded = readWavFile(options.inputPath);
    std::cout << "Input:          " << options.inputPath << " (" << decoded.formatName << ", "
              << (decoded.channels == 1 ? "mono fed to both inputs" : "stereo") << ", "
              << decoded.audio.sampleRate << " Hz, " << decoded.audio.frames() << " frames)\n";
    return std::move(decoded.audio);
}

// Opens the effect and applies --program and --set, as a host restores a setting.
EffectIdentity setUp(EffectSession& session, const HostOptions& options, double sampleRate) {
    session.open(sampleRate, options.blockSize);
    EffectIdentity identity = session.identity();
    printIdentity(std::cout, identity);
    if (options.program) {
        session.selectProgram(*options.program);
        std::cout << "Selected program " << *options.program << '\n';
    }
    for (const ParameterAssignment& assignment : options.assignments) {
        std::cout << "Set " << describeParameter(session.apply(assignment)) << '\n';
    }
    return identity;
}

// Sets the effect up as asked, processes the input and closes the effect again.
StereoAudio runEffect(AEffect* effect, const HostOptions& options, const StereoAudio& input) {
    EffectSession session(effect, options.verbose ? &std::cerr : nullptr);
    setUp(session, options, input.sampleRate);
    printParameters(std::cout, session.parameters());
    printPrograms(std::cout, session.programNames(), session.currentProgram());

    session.resume(options.useDouble);
    std::cout << "Processing:     " << input.frames() << " frames in blocks of "
              << options.blockSize << " through "
              << (options.useDouble ? "processDoubleReplacing" : "processReplacing") << '\n';
    StereoAudio output = session.process(input, options.blockSize);
    session.close();
    return output;
}

void run(const HostOptions& options) {
    const StereoAudio input = options.showsEditor() ? StereoAudio() : loadInput(options);
    const double sampleRate = options.showsEditor() ? kTestSignalSampleRate : input.sampleRate;
    configureHostCallback({sampleRate, options.blockSize, options.verbose ? &std::cerr : nullptr});

    const std::string pluginPath =
        options.pluginPath.empty() ? defaultPluginPath() : options.pluginPath;
    const PluginLibrary library(pluginPath);
    std::cout << "Plug-in:        " << library.loadedPath() << " (entry " << library.entryName()
              << ")\n";
    AEffect* effect = library.instantiate(hostCallback);
    checkStereoEffect(effect);
    if (options.showsEditor()) {
        EffectSession session(effect, options.verbose ? &std::cerr : nullptr);
        const EffectIdentity identity = setUp(session, options, kTestSignalSampleRate);
        showEditor(session, identity.effectName, options, std::cout);
        return;
    }
    const StereoAudio output = runEffect(effect, options, input);

    writeWavFile(options.outputPath, output);
    std::cout << "Output:         " << options.outputPath << " (IEEE float 32-bit, stereo, "
              << output.sampleRate << " Hz, " << output.frames() << " frames)\n";
    printLevels(std::cout, "Input ", measureStereo(input));
    printLevels(std::cout, "Output", measureStereo(output));
}

int fail(const char* message, int status) {
    std::cout.flush();
    std::cerr << "talonhost: error: " << message << std::endl;
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const HostOptions options =
            parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (options.showHelp) {
            std::cout << usageText();
            return 0;
        }
        run(options);
        return 0;
    } catch (const UsageError& error) {
        return fail(error.what(), kExitUsage);
    } catch (const std::exception& error) {
        return fail(error.what(), kExitFailure);
    }
}
