// The HTML help in resources/help: it links only to its own pages and to places on them that
// exist, uses no scripts, and its language-file template is the English file as shipped.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path HelpFolder = fs::path(KESTRION_SOURCE_DIR) / "resources" / "help";

std::string readText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::map<std::string, std::string> helpPages()
{
    std::map<std::string, std::string> pages;
    for (const auto& entry : fs::directory_iterator(HelpFolder))
        if (entry.path().extension() == ".html")
            pages[entry.path().filename().string()] = readText(entry.path());
    return pages;
}

std::string unescapeHtml(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#x27;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities)
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::string(entity).size(), character);
    return text;
}

} // namespace

TEST(Help, PagesLinkOnlyToPagesAndPlacesThatExistAndRunNoScripts)
{
    const auto pages = helpPages();
    ASSERT_TRUE(pages.count("index.html"));
    std::map<std::string, std::set<std::string>> ids;
    const std::regex idPattern(R"re(\bid="([^"]+)")re");
    for (const auto& [name, text] : pages)
        for (std::sregex_iterator i(text.begin(), text.end(), idPattern), end; i != end; ++i)
            ids[name].insert((*i)[1]);

    const std::regex linkPattern(R"re(\b(?:href|src)="([^"]*)")re");
    const std::regex refreshPattern(R"re(content="0; url=([^"]+)")re");
    for (const auto& [name, text] : pages) {
        SCOPED_TRACE(name);
        EXPECT_NE(text.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_NE(text.find("<link rel=\"stylesheet\" href=\"kestrion.css\">"), std::string::npos);
        for (const char* forbidden : {"<script", "javascript:", " onload=", " onclick="})
            EXPECT_EQ(text.find(forbidden), std::string::npos) << forbidden;
        std::vector<std::string> targets;
        for (std::sregex_iterator i(text.begin(), text.end(), linkPattern), end; i != end; ++i)
            targets.push_back((*i)[1]);
        for (std::sregex_iterator i(text.begin(), text.end(), refreshPattern), end; i != end; ++i)
            targets.push_back((*i)[1]);
        for (const std::string& target : targets) {
            const auto hash = target.find('#');
            const std::string file = hash == 0 ? name : target.substr(0, hash);
            const std::string place = hash == std::string::npos ? "" : target.substr(hash + 1);
            // Everything is offline: no address of another site, no page outside the folder.
            EXPECT_EQ(target.find(':'), std::string::npos) << target;
            EXPECT_TRUE(fs::is_regular_file(HelpFolder / file)) << target;
            if (!place.empty()) {
                EXPECT_TRUE(ids[file].count(place)) << target;
            }
        }
    }
}

TEST(Help, TheLanguageTemplateIsTheEnglishFileAsShipped)
{
    const std::string page = readText(HelpFolder / "languages.html");
    const std::string open = "<pre class=\"template\">";
    const auto start = page.find(open);
    ASSERT_NE(start, std::string::npos);
    const auto end = page.find("</pre>", start);
    ASSERT_NE(end, std::string::npos);
    const std::string shown =
        unescapeHtml(page.substr(start + open.size(), end - start - open.size()));

    std::string english =
        readText(fs::path(KESTRION_SOURCE_DIR) / "resources" / "language" / "English.lng");
    for (std::size_t at; (at = english.find("\r\n")) != std::string::npos;)
        english.replace(at, 2, "\n");
    while (!english.empty() && english.back() == '\n')
        english.pop_back();
    EXPECT_EQ(shown, english);
}

TEST(Help, NoPageUsesAnIdTwice)
{
    const std::regex idPattern(R"re(\bid="([^"]+)")re");
    for (const auto& [name, text] : helpPages()) {
        std::map<std::string, int> seen;
        for (std::sregex_iterator i(text.begin(), text.end(), idPattern), end; i != end; ++i)
            ++seen[(*i)[1]];
        for (const auto& [id, count] : seen)
            EXPECT_EQ(count, 1) << name << " uses id \"" << id << "\" " << count << " times";
    }
}

// Every page but the two that only forward to a place on another page has the same navigation
// bar, which leads to each of those pages and marks the page being read, and only that one.
TEST(Help, EveryPageInTheNavigationMarksItself)
{
    const auto pages = helpPages();
    const std::regex navPattern(R"re(<nav>(.*?)</nav>)re");
    const std::regex linkPattern(R"re(<a href="([^"#]+)"( aria-current="page")?>)re");
    std::set<std::string> withNavigation;
    std::vector<std::string> firstBar;
    for (const auto& [name, text] : pages) {
        SCOPED_TRACE(name);
        std::smatch nav;
        if (text.find("http-equiv=\"refresh\"") != std::string::npos) {
            EXPECT_FALSE(std::regex_search(text, nav, navPattern));
            continue;
        }
        ASSERT_TRUE(std::regex_search(text, nav, navPattern));
        withNavigation.insert(name);
        const std::string bar = nav[1];
        std::vector<std::string> targets;
        std::vector<std::string> marked;
        for (std::sregex_iterator i(bar.begin(), bar.end(), linkPattern), end; i != end; ++i) {
            targets.push_back((*i)[1]);
            if ((*i)[2].matched)
                marked.push_back((*i)[1]);
        }
        EXPECT_EQ(marked, std::vector<std::string>{name});
        if (firstBar.empty())
            firstBar = targets;
        EXPECT_EQ(targets, firstBar);
    }
    EXPECT_EQ(std::set<std::string>(firstBar.begin(), firstBar.end()), withNavigation);
}
