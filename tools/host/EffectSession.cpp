#include "tools/host/EffectSession.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>

#include "tools/host/DisplayValueSearch.h"
#include "tools/host/HostError.h"
#include "tools/host/OpcodeNames.h"

namespace {

// Values of effSetProcessPrecision.
constexpr intptr kProcessPrecision32 = 0;
constexpr intptr kProcessPrecision64 = 1;
constexpr intptr kMainsOff = 0;
constexpr intptr kMainsOn = 1;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

// Feeds the input through the effect block by block. Inputs and outputs are separate buffers,
// refilled for each block, so an effect writing into its inputs cannot alter the source.
template <typename Sample, typename ProcessProc>
void processBlocks(AEffect* effect, ProcessProc process, const StereoAudio& input,
                   std::size_t blockSize, StereoAudio& output) {
    std::vector<Sample> inLeft(blockSize), inRight(blockSize);
    std::vector<Sample> outLeft(blockSize), outRight(blockSize);
    Sample* inputs[kStereoChannels] = {inLeft.data(), inRight.data()};
    Sample* outputs[kStereoChannels] = {outLeft.data(), outRight.data()};
    for (std::size_t start = 0; start < input.frames(); start += blockSize) {
        const std::size_t count = std::min(blockSize, input.frames() - start);
        std::copy_n(input.left.begin() + start, count, inLeft.begin());
        std::copy_n(input.right.begin() + start, count, inRight.begin());
        std::fill(outLeft.begin(), outLeft.end(), Sample(0));
        std::fill(outRight.begin(), outRight.end(), Sample(0));
        process(effect, inputs, outputs, static_cast<int32>(count));
        std::transform(outLeft.begin(), outLeft.begin() + count, output.left.begin() + start,
                       [](Sample s) { return static_cast<float>(s); });
        std::transform(outRight.begin(), outRight.begin() + count, output.right.begin() + start,
                       [](Sample s) { return static_cast<float>(s); });
    }
}

}  // namespace

void checkStereoEffect(AEffect* effect) {
    if (effect == nullptr) throw HostError("the plug-in entry returned no effect");
    if (effect->magic != kEffectMagic) {
        throw HostError("the plug-in entry returned a record without the effect magic number");
    }
    if (effect->numInputs != kStereoChannels || effect->numOutputs != kStereoChannels) {
        const std::string counts = std::to_string(effect->numInputs) + " inputs and " +
                                   std::to_string(effect->numOutputs) + " outputs";
        if (effect->dispatcher != nullptr) {
            effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        }
        throw HostError("the effect has " + counts + "; talonhost needs 2 and 2");
    }
    if (effect->dispatcher == nullptr) throw HostError("the effect has no dispatcher");
}

EffectSession::EffectSession(AEffect* effect, std::ostream* log) : effect_(effect), log_(log) {}

EffectSession::~EffectSession() {
    if (!closed_) close();
}

intptr EffectSession::dispatch(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    const intptr result = effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    if (log_ != nullptr) {
        *log_ << "dispatch: " << effectOpcodeName(opcode) << " (" << opcode << ") index=" << index
              << " value=" << value << " opt=" << opt << " -> " << result << '\n';
    }
    return result;
}

std::string EffectSession::queryText(int32 opcode, int32 index) {
    std::array<char, kTextBufferSize> buffer{};
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    if (log_ != nullptr) *log_ << "  text \"" << buffer.data() << "\"\n";
    return std::string(buffer.data());
}

void EffectSession::setNormalized(int32 index, float value) {
    if (log_ != nullptr) *log_ << "setParameter: index=" << index << " value=" << value << '\n';
    effect_->setParameter(effect_, index, value);
}

void EffectSession::open(double sampleRate, int32 blockSize) {
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
}

EffectIdentity EffectSession::identity() {
    EffectIdentity identity;
    identity.effectName = queryText(effGetEffectName);
    identity.vendor = queryText(effGetVendorString);
    identity.product = queryText(effGetProductString);
    identity.vendorVersion = dispatch(effGetVendorVersion);
    identity.category = dispatch(effGetPlugCategory);
    identity.vstVersion = dispatch(effGetVstVersion);
    identity.uniqueId = effect_->uniqueID;
    identity.numInputs = effect_->numInputs;
    identity.numOutputs = effect_->numOutputs;
    identity.flags = effect_->flags;
    identity.initialDelay = effect_->initialDelay;
    identity.numParams = effect_->numParams;
    identity.numPrograms = effect_->numPrograms;
    return identity;
}

ParameterInfo EffectSession::parameter(int32 index) {
    ParameterInfo info;
    info.index = index;
    info.name = queryText(effGetParamName, index);
    info.display = queryText(effGetParamDisplay, index);
    info.label = queryText(effGetParamLabel, index);
    info.normalized = effect_->getParameter != nullptr ? effect_->getParameter(effect_, index) : 0;
    return info;
}

std::vector<ParameterInfo> EffectSession::parameters() {
    std::vector<ParameterInfo> all;
    for (int32 index = 0; index < effect_->numParams; ++index) all.push_back(parameter(index));
    return all;
}

std::vector<std::string> EffectSession::programNames() {
    std::vector<std::string> names;
    for (int32 index = 0; index < effect_->numPrograms; ++index) {
        names.push_back(queryText(effGetProgramNameIndexed, index));
    }
    return names;
}

int32 EffectSession::currentProgram() { return static_cast<int32>(dispatch(effGetProgram)); }

void EffectSession::selectProgram(int32 program) {
    if (program < 0 || program >= effect_->numPrograms) {
        throw UsageError("--program " + std::to_string(program) +
                         " is out of range: the effect has " +
                         std::to_string(effect_->numPrograms) + " programs");
    }
    dispatch(effSetProgram, 0, program);
}

int32 EffectSession::findParameter(const std::string& name) {
    const std::string wanted = lowerCase(trimmed(name));
    std::string known;
    for (int32 index = 0; index < effect_->numParams; ++index) {
        const std::string candidate = trimmed(queryText(effGetParamName, index));
        if (lowerCase(candidate) == wanted) return index;
        known += (known.empty() ? "" : ", ") + candidate;
    }
    throw UsageError("the effect has no parameter named '" + name + "' (it has: " + known + ")");
}

ParameterInfo EffectSession::apply(const ParameterAssignment& assignment) {
    const int32 index = findParameter(assignment.name);
    if (effect_->setParameter == nullptr) throw HostError("the effect has no setParameter");
    float normalized = static_cast<float>(assignment.value);
    if (!assignment.isNormalized) {
        const DisplayProbe probe = [this, index](float candidate) {
            setNormalized(index, candidate);
            return parseDisplayNumber(queryText(effGetParamDisplay, index));
        };
        try {
            normalized = findNormalizedForDisplay(probe, assignment.value);
        } catch (const UsageError&) {
            throw UsageError("--set " + assignment.name +
                             ": the display text is not a number; use NAME=norm:VALUE");
        }
    }
    setNormalized(index, normalized);
    return parameter(index);
}

void EffectSession::resume(bool useDouble) {
    if (useDouble && (!(effect_->flags & effFlagsCanDoubleReplacing) ||
                      effect_->processDoubleReplacing == nullptr)) {
        throw HostError("--double: the effect cannot process double precision");
    }
    if (!useDouble && effect_->processReplacing == nullptr) {
        throw HostError("the effect has no processReplacing");
    }
    dispatch(effSetProcessPrecision, 0, useDouble ? kProcessPrecision64 : kProcessPrecision32);
    dispatch(effMainsChanged, 0, kMainsOn);
    resumed_ = true;
    useDouble_ = useDouble;
}

StereoAudio EffectSession::process(const StereoAudio& input, int32 blockSize) {
    if (!resumed_) throw HostError("the effect must be resumed before processing");
    StereoAudio output;
    output.sampleRate = input.sampleRate;
    output.resize(input.frames());
    const auto block = static_cast<std::size_t>(std::max<int32>(blockSize, 1));
    if (useDouble_) {
        processBlocks<double>(effect_, effect_->processDoubleReplacing, input, block, output);
    } else {
        processBlocks<float>(effect_, effect_->processReplacing, input, block, output);
    }
    return output;
}

void EffectSession::suspend() {
    dispatch(effMainsChanged, 0, kMainsOff);
    resumed_ = false;
}

void EffectSession::close() {
    closeEditor();
    if (resumed_) suspend();
    closed_ = true;
    dispatch(effClose);
}

bool isUsableEditorSize(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxEditorSide && height <= kMaxEditorSide;
}

bool EffectSession::setEditorScale(double factor) {
    return dispatch(effVendorSpecific, kEditorScaleVendorIndex, kEditorScaleVendorValue, nullptr,
                    static_cast<float>(factor)) == 1;
}

EditorSize EffectSession::editorSize() {
    if (!(effect_->flags & effFlagsHasEditor)) throw HostError("the effect has no editor");
    ERect* rect = nullptr;
    dispatch(effEditGetRect, 0, 0, &rect);
    if (rect == nullptr) throw HostError("the effect's editor gives no rectangle");
    EditorSize size;
    size.width = rect->right - rect->left;
    size.height = rect->bottom - rect->top;
    if (log_ != nullptr) {
        *log_ << "  rect top=" << rect->top << " left=" << rect->left << " bottom=" << rect->bottom
              << " right=" << rect->right << '\n';
    }
    if (!isUsableEditorSize(size.width, size.height)) {
        throw HostError("the effect's editor gives an unusable size of " +
                        std::to_string(size.width) + " x " + std::to_string(size.height));
    }
    return size;
}

bool EffectSession::openEditor(void* parentWindow) {
    editorOpen_ = true;
    editorIdles_ = 0;
    return dispatch(effEditOpen, 0, 0, parentWindow) != 0;
}

void EffectSession::idleEditor() {
    if (!editorOpen_) return;
    effect_->dispatcher(effect_, effEditIdle, 0, 0, nullptr, 0.0f);
    ++editorIdles_;
}

void EffectSession::closeEditor() {
    if (!editorOpen_) return;
    editorOpen_ = false;
    if (log_ != nullptr) {
        *log_ << "dispatch: " << effectOpcodeName(effEditIdle) << " (" << effEditIdle << ") "
              << editorIdles_ << " times while open\n";
    }
    dispatch(effEditClose);
}
