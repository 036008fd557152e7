// The shipped shared objects, loaded as hosts load them: the VST 2.4 object's record, and
// Debian's lv2apply on a copy of the bundle giving the samples the VST object gives.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "effect/lv2/Lv2Plugin.h"
#include "lv2/Lv2TestSupport.h"
#include "tools/host/WavFile.h"

using lv2test::Stereo;
namespace fs = std::filesystem;

namespace {

using VstMain = AEffect* (*)(audioMasterCallback);

constexpr float kPercent = 37.0f;
constexpr float kDecibels = -3.0f;

class SharedObject {
  public:
    explicit SharedObject(const char* path) : handle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
    ~SharedObject() {
        if (handle) dlclose(handle);
    }
    SharedObject(const SharedObject&) = delete;
    SharedObject& operator=(const SharedObject&) = delete;
    void* find(const char* name) const { return handle ? dlsym(handle, name) : nullptr; }

  private:
    void* handle;
};

// The VST object's render of `in` at kPercent and kDecibels, through its record.
Stereo vstRender(Stereo& in) {
    SharedObject vst(TALON_VST_OBJECT);
    auto entry = reinterpret_cast<VstMain>(vst.find("VSTPluginMain"));
    EXPECT_NE(entry, nullptr);
    Stereo out(in.left.size(), 99);
    if (!entry) return out;
    AEffect* effect = entry(lv2test::versionOnlyHost);
    effect->setParameter(effect, kParamExpansion, talonLv2::expansionFromPercent(kPercent));
    effect->setParameter(effect, kParamOutput, talonLv2::outputFromDecibels(kDecibels));
    effect->processReplacing(effect, in.pointers(), out.pointers(),
                             static_cast<int32>(in.left.size()));
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return out;
}

}  // namespace

TEST(VstObject, ExportsBothEntriesAndRefusesAnEditorWithoutAWindow) {
    SharedObject vst(TALON_VST_OBJECT);
    auto entry = reinterpret_cast<VstMain>(vst.find("VSTPluginMain"));
    auto legacy = reinterpret_cast<VstMain>(vst.find("main"));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(legacy, nullptr);
    EXPECT_EQ(entry(nullptr), nullptr);
    for (VstMain open : {entry, legacy}) {
        AEffect* effect = open(lv2test::versionOnlyHost);
        ASSERT_NE(effect, nullptr);
        EXPECT_EQ(effect->magic, kEffectMagic);
        EXPECT_EQ(effect->uniqueID, kTalonUniqueId);
        EXPECT_EQ(effect->flags,
                  effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing);
        EXPECT_EQ(effect->numInputs, 2);
        EXPECT_EQ(effect->numOutputs, 2);
        // No X window has this id (nor is there always a display): the editor does not open.
        const auto noWindow = reinterpret_cast<void*>(std::uintptr_t{0x7FFFFFF1});
        EXPECT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, noWindow, 0.0f), 0);
        ERect* rect = nullptr;
        ASSERT_EQ(effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f), 1);
        EXPECT_EQ(rect->right - rect->left, 752);
        EXPECT_EQ(rect->bottom - rect->top, 80);
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
}

// lv2apply finds the bundle, wherever it is installed, and runs it at the given control values.
TEST(Lv2apply, RendersABundleInAFolderWithSpacesAsTheVstObjectDoes) {
    const fs::path folder = fs::temp_directory_path() / ("talon lv2 " + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "lv2 bundles");
    fs::copy(TALON_LV2_BUNDLE, folder / "lv2 bundles" / "talon5800.lv2",
             fs::copy_options::recursive);
    Stereo in(5000, 11);
    StereoAudio audio;
    audio.sampleRate = 48000;
    audio.left = in.left;
    audio.right = in.right;
    writeWavFile((folder / "in.wav").string(), audio);

    const std::string command = "LV2_PATH='" + (folder / "lv2 bundles").string() + "' " +
                                TALON_LV2APPLY + " -i '" + (folder / "in.wav").string() + "' -o '" +
                                (folder / "out.wav").string() +
                                "' -c StEx 37 -c Output -3 urn:mirevox:talon5800";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const DecodedWav rendered = readWavFile((folder / "out.wav").string());
    fs::remove_all(folder);
    Stereo out(0, 0);
    out.left = rendered.audio.left;
    out.right = rendered.audio.right;
    EXPECT_EQ(rendered.formatName.find("float") != std::string::npos ||
                  rendered.formatName.find("Float") != std::string::npos,
              true)
        << rendered.formatName;
    EXPECT_TRUE(out.sameBits(vstRender(in)));
}
