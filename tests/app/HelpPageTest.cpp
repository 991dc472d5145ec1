// The help page the settings dialog shows: well-formed, every contents link
// lands on a heading, every picture and style sheet it names is there, and
// the build keeps a copy where a program run from the build folder looks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path SourceFolder = std::filesystem::path(VELMORA_SOURCE_DIR) / "Quilldoc";

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Captures(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

TEST(HelpPage, EveryElementIsClosedInOrder)
{
    const std::string page = ReadText(SourceFolder / "Quilldoc.htm");
    ASSERT_FALSE(page.empty());
    const std::set<std::string> empty = {"meta", "link", "img", "br", "hr"};
    std::vector<std::string> open;
    const std::regex tag(R"(<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*>)");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), tag); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[2];
        if (empty.count(name)) continue;
        if ((*it)[1].length() == 0) {
            open.push_back(name);
        } else {
            ASSERT_FALSE(open.empty()) << "</" << name << "> closes nothing";
            ASSERT_EQ(open.back(), name) << "</" << name << "> closes <" << open.back() << ">";
            open.pop_back();
        }
    }
    EXPECT_TRUE(open.empty()) << open.size() << " elements left open, the last <" << open.back() << ">";
}

TEST(HelpPage, LinksLandAndPicturesExist)
{
    const std::string page = ReadText(SourceFolder / "Quilldoc.htm");
    const std::vector<std::string> ids = Captures(page, R"re(\bid="([^"]+)")re");
    const std::set<std::string> targets(ids.begin(), ids.end());
    EXPECT_EQ(targets.size(), ids.size()) << "an id is used twice";
    const std::vector<std::string> anchors = Captures(page, R"re(href="#([^"]*)")re");
    EXPECT_FALSE(anchors.empty());
    for (const std::string& anchor : anchors) EXPECT_TRUE(targets.count(anchor)) << "#" << anchor;
    std::vector<std::string> files = Captures(page, R"re(src="([^"]+)")re");
    for (const std::string& sheet : Captures(page, R"re(href="([^"#][^"]*\.css)")re")) files.push_back(sheet);
    EXPECT_GE(files.size(), 3u);
    for (const std::string& file : files) EXPECT_TRUE(std::filesystem::is_regular_file(SourceFolder / file)) << file;
}

TEST(HelpPage, BuildFolderHoldsACopy)
{
    const std::filesystem::path copy = std::filesystem::path(VELMORA_BINARY_DIR) / "Quilldoc";
    for (const auto& entry : std::filesystem::directory_iterator(SourceFolder))
        EXPECT_TRUE(ReadText(copy / entry.path().filename()) == ReadText(entry.path()))
            << entry.path().filename() << " is not copied as it stands into " << copy;
}

}  // namespace
