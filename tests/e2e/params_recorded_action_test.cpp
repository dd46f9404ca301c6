// Settings played back from a descriptor through the module, and the action the filter records after start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "vendrel/host/FilterHost.h"
#include "vendrel/host/PluginModule.h"

#include "params_descriptor_keys.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;
using vendrel::Descriptor;
using vendrel::DescriptorObject;

const vendrel::PluginModule& Module()
{
    static std::unique_ptr<vendrel::PluginModule> module = vendrel::PluginModule::load(VENDREL_MODULE_PATH);
    return *module;
}

std::vector<int32_t> ColorComponents(const vendrel::DescriptorValue* value, DescType* classID)
{
    std::vector<int32_t> components;
    const auto* object = value ? std::get_if<DescriptorObject>(value) : nullptr;
    if (!object || !object->value)
        return components;
    *classID = object->classID;
    const DescriptorKeyID order[] = {kRed, kGreen, kBlue, 0};
    const auto& entries = object->value->entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_TRUE(i < std::size(order) && entries[i].key == order[i]) << "component " << i;
        components.push_back(std::get<int32_t>(entries[i].value));
    }
    return components;
}

class ParamsRecordedAction : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vendrel-params-action-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            oldConfig = old;
        // An empty configuration folder: no preferences file of the machine's user reaches the run.
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    }
    void TearDown() override
    {
        if (oldConfig)
            setenv("XDG_CONFIG_HOME", oldConfig->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(folder);
    }

    vendrel::RunResult Run(vendrel::FilterHost& host, const Descriptor& descriptor)
    {
        vendrel::HostImage image = vendrel::HostImage::blank(6, 4);
        vendrel::RunOptions options;
        options.descriptor = descriptor;
        options.showDialog = false;
        return host.run(image, options);
    }

    fs::path folder;
    std::optional<std::string> oldConfig;
};

TEST_F(ParamsRecordedAction, APartialDescriptorIsRecordedWholeWithItsValuesAndTheDefaults)
{
    std::string longName(300, ' ');
    for (size_t i = 0; i < longName.size(); ++i)
        longName[i] = char('a' + i % 26);
    auto onlyRed = std::make_shared<Descriptor>();
    onlyRed->put(kRed, int32_t(100));
    Descriptor descriptor;
    descriptor.put(kTolerance, int32_t(70000));
    descriptor.put(kFillColor, DescriptorObject{kRGBC, onlyRed});
    descriptor.put(kPalette, longName);

    vendrel::HostConfig config;
    config.hostFolder = folder.string();
    vendrel::FilterHost host(Module(), config);
    const vendrel::RunResult result = Run(host, descriptor);
    ASSERT_EQ(result.result, 0);
    ASSERT_TRUE(result.recorded.has_value());
    const Descriptor& recorded = *result.recorded;

    const DescriptorKeyID order[] = {kFillColor, kFlagColor, kPalette,   kTolerance, kRandom,
                                     kMeasure,   kFlagAreas, kJoinAreas, kFlagSize,  kJoinSize};
    ASSERT_EQ(recorded.entries().size(), std::size(order));
    for (size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(recorded.entries()[i].key, order[i]) << "entry " << i;

    DescType fillClass = 0, flagClass = 0;
    EXPECT_EQ(ColorComponents(recorded.find(kFillColor), &fillClass), (std::vector<int32_t>{100, 0, 0, 0}));
    EXPECT_EQ(ColorComponents(recorded.find(kFlagColor), &flagClass), (std::vector<int32_t>{65535, 0, 65535, 0}));
    EXPECT_EQ(fillClass, kRGBC);
    EXPECT_EQ(flagClass, kRGBC);
    EXPECT_EQ(std::get<std::string>(*recorded.find(kPalette)), longName.substr(0, 255));
    EXPECT_EQ(std::get<int32_t>(*recorded.find(kTolerance)), 4464);
    EXPECT_EQ(std::get<bool>(*recorded.find(kRandom)), false);
    EXPECT_EQ(std::get<bool>(*recorded.find(kMeasure)), false);
    EXPECT_EQ(std::get<bool>(*recorded.find(kFlagAreas)), false);
    EXPECT_EQ(std::get<bool>(*recorded.find(kJoinAreas)), false);
    EXPECT_EQ(std::get<int32_t>(*recorded.find(kFlagSize)), 20);
    EXPECT_EQ(std::get<int32_t>(*recorded.find(kJoinSize)), 10);

    // The parameters handle holds the same settings at the record's offsets.
    const std::vector<uint8_t> stored = host.parametersBytes();
    ASSERT_EQ(stored.size(), 296u);
    EXPECT_EQ(stored[270] | stored[271] << 8, 4464);
    EXPECT_EQ(stored[8] | stored[9] << 8, 100);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.data()) + 14), longName.substr(0, 255));
}

TEST_F(ParamsRecordedAction, ARecordedActionReplaysToTheSameRecording)
{
    auto flag = std::make_shared<Descriptor>();
    flag->put(kRed, int32_t(1));
    flag->put(kGreen, int32_t(2));
    flag->put(kBlue, int32_t(3));
    Descriptor descriptor;
    descriptor.put(kFlagColor, DescriptorObject{kRGBC, flag});
    descriptor.put(kRandom, true);
    descriptor.put(kMeasure, true);
    descriptor.put(kFlagAreas, true);
    descriptor.put(kJoinAreas, true);
    descriptor.put(kFlagSize, int32_t(7));
    descriptor.put(kJoinSize, int32_t(5));

    vendrel::HostConfig config;
    config.hostFolder = folder.string();
    vendrel::FilterHost host(Module(), config);
    const vendrel::RunResult first = Run(host, descriptor);
    ASSERT_EQ(first.result, 0);
    ASSERT_TRUE(first.recorded.has_value());
    EXPECT_EQ(std::get<bool>(*first.recorded->find(kJoinAreas)), true);
    EXPECT_EQ(std::get<int32_t>(*first.recorded->find(kFlagSize)), 7);

    const vendrel::RunResult second = Run(host, *first.recorded);
    ASSERT_EQ(second.result, 0);
    ASSERT_TRUE(second.recorded.has_value());
    EXPECT_TRUE(*second.recorded == *first.recorded);
    EXPECT_FALSE(fs::exists(folder / "config" / "Vendrel Prefs"))
        << "a run played without its dialog keeps no preferences";
}

} // namespace
} // namespace vendrel::test
