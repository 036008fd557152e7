#include <gtest/gtest.h>

#include <cmath>

#include "tools/host/CommandLine.h"
#include "tools/host/HostError.h"

namespace {

HostOptions parse(std::vector<std::string> args) { return parseCommandLine(args); }

TEST(CommandLine, DefaultsWithoutArguments) {
    const HostOptions options = parse({});
    EXPECT_EQ(options.inputPath, "");
    EXPECT_EQ(options.outputPath, "talon-out.wav");
    EXPECT_EQ(options.pluginPath, "");
    EXPECT_EQ(options.blockSize, 512);
    EXPECT_FALSE(options.useDouble);
    EXPECT_FALSE(options.program.has_value());
    EXPECT_TRUE(options.assignments.empty());
    EXPECT_FALSE(options.verbose);
    EXPECT_FALSE(options.showHelp);
}

TEST(CommandLine, ReadsEveryOptionInBothForms) {
    const HostOptions spaced = parse({"in.wav", "-o", "out.wav", "--plugin", "fx.dll", "--block",
                                      "64", "--double", "--program", "3", "--verbose"});
    EXPECT_EQ(spaced.inputPath, "in.wav");
    EXPECT_EQ(spaced.outputPath, "out.wav");
    EXPECT_EQ(spaced.pluginPath, "fx.dll");
    EXPECT_EQ(spaced.blockSize, 64);
    EXPECT_TRUE(spaced.useDouble);
    EXPECT_EQ(spaced.program, 3);
    EXPECT_TRUE(spaced.verbose);

    const HostOptions joined =
        parse({"--output=o.wav", "--plugin=p.dll", "--block=65536", "--program=0", "i.wav"});
    EXPECT_EQ(joined.outputPath, "o.wav");
    EXPECT_EQ(joined.pluginPath, "p.dll");
    EXPECT_EQ(joined.blockSize, 65536);
    EXPECT_EQ(joined.program, 0);
    EXPECT_EQ(joined.inputPath, "i.wav");
}

TEST(CommandLine, SetTakesDisplayValuesNormalizedValuesAndMinusInfinity) {
    const HostOptions options = parse(
        {"--set", "StEx=75", "--set=Output=-3.0", "--set", "Mix=norm:0.25", "--set", "Output=-oo"});
    ASSERT_EQ(options.assignments.size(), 4u);
    EXPECT_EQ(options.assignments[0].name, "StEx");
    EXPECT_DOUBLE_EQ(options.assignments[0].value, 75.0);
    EXPECT_FALSE(options.assignments[0].isNormalized);
    EXPECT_EQ(options.assignments[1].name, "Output");
    EXPECT_DOUBLE_EQ(options.assignments[1].value, -3.0);
    EXPECT_EQ(options.assignments[2].name, "Mix");
    EXPECT_DOUBLE_EQ(options.assignments[2].value, 0.25);
    EXPECT_TRUE(options.assignments[2].isNormalized);
    EXPECT_TRUE(std::isinf(options.assignments[3].value) && options.assignments[3].value < 0);
}

TEST(CommandLine, EditorModesTakeTheSettingsButNoAudio) {
    const HostOptions shot = parse({"--set", "StEx=80", "--program", "2", "--screenshot=a.png"});
    EXPECT_EQ(shot.screenshotPath, "a.png");
    EXPECT_TRUE(shot.showsEditor() && parse({"--editor", "--block", "64"}).showsEditor());
    EXPECT_FALSE(parse({"-o", "out.wav"}).showsEditor());
}

TEST(CommandLine, ScaleIsAnEditorFactorFrom1To3) {
    EXPECT_EQ(parse({"--editor", "--scale", "1.5"}).editorScale, 1.5);
    EXPECT_EQ(parse({"--scale=3", "--screenshot", "a.png"}).editorScale, 3.0);
    EXPECT_FALSE(parse({"--editor"}).editorScale.has_value());
    for (const char* bad : {"0.99", "3.01", "two", ""}) {
        EXPECT_THROW(parse({"--editor", "--scale", bad}), UsageError) << bad;
    }
    EXPECT_THROW(parse({"--scale", "2"}), UsageError);  // no editor to scale
}

TEST(CommandLine, HelpWinsOverEverythingAfterIt) {
    EXPECT_TRUE(parse({"--help", "--no-such-option"}).showHelp);
    EXPECT_TRUE(parse({"in.wav", "-h"}).showHelp);
}

TEST(CommandLine, DoubleDashEndsOptions) {
    EXPECT_EQ(parse({"--", "-strange.wav"}).inputPath, "-strange.wav");
}

TEST(CommandLine, RejectsBadArgumentsAsUsageErrors) {
    const std::vector<std::vector<std::string>> badArguments = {
        {"--block", "0"},
        {"--block", "65537"},
        {"--block", "12x"},
        {"--block", ""},
        {"--block", " 5"},
        {"--block", "1.5"},
        {"--block"},
        {"--program", "-1"},
        {"--program", "two"},
        {"--set", "StEx"},
        {"--set", "=5"},
        {"--set", "StEx=abc"},
        {"--set", "StEx="},
        {"--set", "StEx=1e999"},
        {"--set", "Mix=norm:1.5"},
        {"--set", "Mix=norm:x"},
        {"--frobnicate"},
        {"-x"},
        {"a.wav", "b.wav"},
        {"--double=yes"},
        {"-o"},
        {"--output="},
        {"--plugin", ""},
        {"--screenshot"},
        {"--screenshot="},
        {"--editor=yes"},
        {"--editor", "--screenshot", "a.png"},
        {"--editor", "in.wav"},
        {"--screenshot", "a.png", "-o", "out.wav"},
        {"--screenshot", "a.png", "--double"},
    };
    for (const auto& args : badArguments) {
        std::string joined;
        for (const auto& arg : args) joined += "[" + arg + "]";
        EXPECT_THROW(parse(args), UsageError) << joined;
    }
}

TEST(CommandLine, NumbersMustBeWholeAndFinite) {
    EXPECT_EQ(parseNumber("1e3"), 1000.0);
    EXPECT_EQ(parseNumber("-3.0"), -3.0);
    for (const char* bad : {"", " 1", "1 ", "inf", "nan", "0x", "1,5"}) {
        EXPECT_FALSE(parseNumber(bad).has_value()) << bad;
    }
    EXPECT_EQ(parseInteger("10", 0, 10), 10);
    EXPECT_FALSE(parseInteger("11", 0, 10).has_value());
    EXPECT_FALSE(parseInteger("99999999999999999999", 0, 10).has_value());
}

}  // namespace
