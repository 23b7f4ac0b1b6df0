// The seeds of fuzz/corpus/<target>/ and the inputs of fuzz/regressions/<target>/ (each once
// broke its target, and the fix came with it), every file a case of its own, through the check
// its target runs under the fuzzer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "properties/checks.h"

namespace qh::fuzz {
namespace {

const std::filesystem::path kFuzzDir = QH_FUZZ_DIR;
constexpr const char* kInputFolders[] = {"corpus", "regressions"};

struct FuzzInput {
    std::string target;
    std::string folder;  // corpus or regressions
    std::filesystem::path file;
};

// As ctest lists the case: the file below fuzz/.
void PrintTo(const FuzzInput& input, std::ostream* out) {
    *out << input.folder << "/" << input.target << "/" << input.file.filename().string();
}

std::vector<FuzzInput> fuzzInputs() {
    std::vector<FuzzInput> inputs;
    for (const char* folder : kInputFolders) {
        for (const FuzzTarget& target : fuzzTargets()) {
            const auto dir = kFuzzDir / folder / target.name;
            std::error_code error;
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
            std::sort(files.begin(), files.end());
            for (auto& file : files) {
                inputs.push_back({std::string(target.name), folder, std::move(file)});
            }
        }
    }
    return inputs;
}

std::string caseName(const ::testing::TestParamInfo<FuzzInput>& info) {
    std::string name =
        info.param.target + "_" + info.param.folder + "_" + info.param.file.filename().string();
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

class FuzzInputs : public ::testing::TestWithParam<FuzzInput> {};

TEST_P(FuzzInputs, KeepTheirTargetsProperties) {
    const FuzzInput& input = GetParam();
    std::ifstream in(input.file, std::ios::binary);
    ASSERT_TRUE(in) << input.file;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const FuzzTarget* target = findFuzzTarget(input.target);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->check(bytes), "") << input.file;
}

INSTANTIATE_TEST_SUITE_P(Files, FuzzInputs, ::testing::ValuesIn(fuzzInputs()), caseName);

// A folder named after no target would never be run, here or by tools/fuzz; and a target
// without seeds would be checked here on nothing.
TEST(FuzzInputFolders, NameTargetsAndEveryTargetHasSeeds) {
    for (const char* folder : kInputFolders) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(kFuzzDir / folder, error)) {
            SCOPED_TRACE(entry.path().string());
            EXPECT_NE(findFuzzTarget(entry.path().filename().string()), nullptr);
        }
    }
    for (const FuzzTarget& target : fuzzTargets()) {
        SCOPED_TRACE(std::string(target.name));
        std::error_code error;
        EXPECT_FALSE(std::filesystem::is_empty(kFuzzDir / "corpus" / target.name, error));
        EXPECT_FALSE(error) << error.message();
    }
}

}  // namespace
}  // namespace qh::fuzz
