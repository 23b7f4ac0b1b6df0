// Holds the clerks' guide (dist/操作教程) whole as it is installed beside the program: every page
// and picture a page refers to is in the guide's folder, every page can be reached from the
// index, and nothing is loaded from outside the folder.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using qh::testing::readFile;

const char* const kIndexNames[] = {"目录.html", "index.html"};

bool isPage(const fs::path& file) {
    return file.extension() == ".html";
}

// The targets of the page's href and src attributes, as written.
std::vector<std::pair<std::string, std::string>> referencesOf(const std::string& page) {
    static const std::regex reference(R"re(\b(href|src)\s*=\s*"([^"]*)")re", std::regex::icase);
    std::vector<std::pair<std::string, std::string>> found;
    for (auto match = std::sregex_iterator(page.begin(), page.end(), reference);
         match != std::sregex_iterator(); ++match) {
        std::string attribute = (*match)[1].str();
        for (char& c : attribute) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        found.emplace_back(attribute, (*match)[2].str());
    }
    return found;
}

// What keeps the guide in `folder` from being whole; empty when it is.
std::vector<std::string> guideProblems(const fs::path& folder) {
    std::vector<std::string> problems;
    fs::path index;
    for (const char* name : kIndexNames) {
        if (fs::is_regular_file(folder / name)) {
            index = folder / name;
        }
    }
    if (index.empty()) {
        return {"no index page"};
    }
    std::set<fs::path> linkedFromIndex;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!isPage(entry.path())) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        const std::string page = readFile(entry.path());
        if (std::regex_search(page, std::regex("<script", std::regex::icase))) {
            problems.push_back(name + " has a script");
        }
        for (const auto& [attribute, target] : referencesOf(page)) {
            const std::string file = target.substr(0, target.find_first_of("#?"));
            if (file.empty()) {
                continue;  // a place on the same page
            }
            if (file.find(':') != std::string::npos || file.starts_with("/") ||
                file.find("..") != std::string::npos) {
                problems.push_back(name + " loads " + target + " from outside the guide");
                continue;
            }
            const fs::path referred = (folder / file).lexically_normal();
            if (!fs::is_regular_file(referred)) {
                problems.push_back(name + " refers to " + target + ", which is not there");
            }
            if (attribute == "src" && !file.starts_with("images/")) {
                problems.push_back(name + " shows " + target + " from outside images/");
            }
            if (entry.path() == index && isPage(referred)) {
                linkedFromIndex.insert(referred);
            }
        }
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (isPage(entry.path()) && entry.path() != index &&
            !linkedFromIndex.contains(entry.path().lexically_normal())) {
            problems.push_back(entry.path().filename().string() + " is not linked from the index");
        }
    }
    return problems;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST(TutorialGuide, TheInstalledGuideIsWhole) {
    const fs::path guide = QH_TUTORIAL_DIR;
    ASSERT_TRUE(fs::is_directory(guide)) << guide;
    EXPECT_EQ(joined(guideProblems(guide)), "");
}

// Each small guide is broken in one way, which the check must name.
TEST(TutorialGuide, EachKindOfBreakIsFound) {
    const std::string page = "<p>x</p>";
    const struct {
        const char* name;
        std::vector<std::pair<const char*, std::string>> files;
        const char* problem;
    } cases[] = {
        {"no index", {{"a.html", page}}, "no index page"},
        {"a linked page missing",
         {{"目录.html", R"(<a href="1-查找.html">查找</a>)"}},
         "目录.html refers to 1-查找.html, which is not there"},
        {"a page the index does not link",
         {{"目录.html", R"(<a href="a.html">a</a>)"}, {"a.html", page}, {"b.html", page}},
         "b.html is not linked from the index"},
        {"a picture missing",
         {{"index.html", R"(<a href="a.html">a</a>)"},
          {"a.html", R"(<img src="images/gone.png">)"}},
         "a.html refers to images/gone.png, which is not there"},
        {"a picture beside the pages",
         {{"index.html", R"(<img src="shot.png">)"}, {"shot.png", "png"}},
         "index.html shows shot.png from outside images/"},
        {"a picture from the web",
         {{"index.html", R"(<img src="http://example.com/a.png">)"}},
         "index.html loads http://example.com/a.png from outside the guide"},
        {"a style sheet above the folder",
         {{"index.html", R"(<link rel="stylesheet" href="../style.css">)"}},
         "index.html loads ../style.css from outside the guide"},
        {"a script", {{"index.html", "<script>alert(1)</script>"}}, "index.html has a script"},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.name);
        qh::testing::TempFolder folder;
        for (const auto& [name, content] : broken.files) {
            folder.write(fs::path(name), content);
        }
        EXPECT_EQ(joined(guideProblems(folder.path())), std::string(broken.problem) + "\n");
    }
}

}  // namespace
