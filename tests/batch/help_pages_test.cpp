// The help pages against the program: every menu command has a page, every
// page is reachable from the contents, and every zelk-batch example on a
// page runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "batch/interpreter.h"
#include "shell/app.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::map<std::string, std::string> pages() {
  std::map<std::string, std::string> all;
  for (const auto& e : fs::directory_iterator(ZELK_HELP))
    if (e.path().extension() == ".html") all[e.path().filename().string()] = read(e.path());
  return all;
}

std::string unescape(std::string s) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities)
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1))
      s.replace(at, std::string(from).size(), to);
  return s;
}

TEST(HelpPages, EveryMenuCommandHasAPageAndEveryPageIsInTheContents) {
  const auto all = pages();
  ASSERT_GT(all.size(), 10u);
  // A page names the commands it explains: <meta name="zelk-commands" content="40044 40047">.
  const std::regex meta(R"re(<meta name="zelk-commands" content="([0-9 ]+)")re");
  std::map<int, std::string> page_of;
  for (const auto& [name, html] : all) {
    std::smatch m;
    if (!std::regex_search(html, m, meta)) continue;
    std::istringstream ids(m[1].str());
    for (int id; ids >> id;) page_of[id] = name;
  }
  const Registry table = make_registry();
  for (const CommandSpec& c : table.commands()) {
    if (c.places.empty()) continue;
    EXPECT_TRUE(page_of.count(c.id)) << "no help page for " << c.id << " \"" << c.text << '"';
  }

  const std::string& index = all.at("index.html");
  for (const auto& [name, html] : all) {
    if (name == "index.html") continue;
    EXPECT_NE(index.find("href=\"" + name + "\""), std::string::npos) << name << " is not in the contents";
  }
  std::set<std::string> titles;
  const std::regex title("<title>([^<]*)</title>");
  for (const auto& [name, html] : all) {
    std::smatch m;
    ASSERT_TRUE(std::regex_search(html, m, title)) << name << " has no title";
    EXPECT_TRUE(titles.insert(m[1].str()).second) << "two pages titled " << m[1].str();
  }
}

TEST(HelpPages, EveryBatchExampleRuns) {
  // Examples of commands that other branches add are marked "batch unchecked"
  // until they can run here; plain "batch" blocks must run as shown.
  const std::regex block(R"re(<pre class="batch">([\s\S]*?)</pre>)re");
  int blocks = 0;
  for (const auto& [name, html] : pages()) {
    for (std::sregex_iterator it(html.begin(), html.end(), block), end; it != end; ++it) {
      ++blocks;
      std::ostringstream out, err;
      Interpreter interpreter(out, err, ZELK_EXAMPLES);
      std::istringstream script(unescape((*it)[1].str()));
      EXPECT_EQ(interpreter.run(script, name), 0) << name << ":\n" << err.str();
      EXPECT_EQ(err.str(), "") << name;
    }
  }
  EXPECT_GT(blocks, 50);
}

}  // namespace
}  // namespace zelk
