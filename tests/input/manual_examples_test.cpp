// The manual (every page of resources/使用説明) tells the truth about the program:
// - each <code> formula example runs through the real input dialog code (form, text, 登録,
//   the values it names typed into the variable list, OK) and draws a graph without a message
//   box, or writes exactly the result it shows (data-result), or shows exactly the message it
//   names (data-message). A <code> that is neither a formula example nor a command is an
//   error, so a new example cannot slip in untested;
// - every message it quotes (<span class="msg">) is a text of the program, and every menu,
//   dialog or button name it quotes (<span class="ui">) is part of one;
// - the pages form one book: the contents page lists each page once, each page links to the
//   contents and to its neighbours in that order, and every link and picture it uses exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "input/formula_dialog.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "kinds/samplers.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_dialogs.h"

namespace {

namespace fs = std::filesystem;

const char kManualDir[] = "../../resources/使用説明";
const char kStartPage[] = "PlotariVer.html";
const char kSourceDir[] = "../../src";

std::string Read_File(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file.good()) << path;
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Unescape(std::string text) {
    const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},    {"&gt;", ">"},
                                                            {"&quot;", "\""}, {"&#39;", "'"},
                                                            {"&#10;", "\n"},  {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        for (size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1)) {
            text.replace(at, std::strlen(entity), plain);
        }
    }
    return text;
}

struct Page {
    std::string name;  // file name, e.g. explicit.html
    std::string html;
};

// Every page of the manual, in file-name order.
const std::vector<Page>& Pages() {
    static const std::vector<Page> pages = [] {
        std::vector<Page> read;
        for (const fs::directory_entry& entry : fs::directory_iterator(kManualDir)) {
            if (entry.is_regular_file() && entry.path().extension() == ".html") {
                read.push_back({entry.path().filename().string(), Read_File(entry.path())});
            }
        }
        std::sort(read.begin(), read.end(),
                  [](const Page& a, const Page& b) { return a.name < b.name; });
        return read;
    }();
    return pages;
}

const Page* Find_Page(const std::string& name) {
    for (const Page& page : Pages()) {
        if (page.name == name) return &page;
    }
    return nullptr;
}

std::string Attribute(const std::string& attributes, const std::string& name) {
    const std::regex pattern(name + R"re(="([^"]*)")re");
    std::smatch match;
    return std::regex_search(attributes, match, pattern) ? Unescape(match[1]) : std::string();
}

struct Example {
    std::string form;  // explicit, param, implicit, polar
    std::string text;
    std::string values;   // "a=2,b=3": typed into the variable list before OK
    std::string result;   // the formula box's text after OK, when the example evaluates
    std::string message;  // the text of the first message box, when the example fails
    std::string where;
};

bool Is_Command(const std::string& text) {
    auto starts = [&text](const char* prefix) { return text.rfind(prefix, 0) == 0; };
    return text == "plotari" || starts("plotari ") || starts("./") || starts("sudo ") ||
           starts("man ") || (text.size() > 4 && text.compare(text.size() - 4, 4, ".deb") == 0);
}

// The formula examples of every page; fails the test for a <code> it cannot classify.
std::vector<Example> Manual_Examples() {
    std::vector<Example> examples;
    const std::regex code(R"re(<code([^>]*)>([\s\S]*?)</code>)re");
    const std::regex plot_option(R"re(--plot '([a-z]+):([^']*)')re");
    for (const Page& page : Pages()) {
        for (auto it = std::sregex_iterator(page.html.begin(), page.html.end(), code);
             it != std::sregex_iterator(); ++it) {
            const std::string attributes = (*it)[1];
            const std::string text = Unescape((*it)[2]);
            const std::string form = Attribute(attributes, "data-form");
            const std::string where = page.name + ": <code" + attributes + ">";
            if (!form.empty()) {
                examples.push_back({form, text, Attribute(attributes, "data-set"),
                                    Attribute(attributes, "data-result"),
                                    Attribute(attributes, "data-message"), where});
            } else if (text.rfind("plotari-cli", 0) == 0) {
                for (auto p = std::sregex_iterator(text.begin(), text.end(), plot_option);
                     p != std::sregex_iterator(); ++p) {
                    examples.push_back({(*p)[1], (*p)[2], "", "", "", page.name + ": " + text});
                }
            } else if (!Is_Command(text)) {
                ADD_FAILURE() << page.name
                              << ": a <code> that is neither a formula example nor a command: "
                              << text;
            }
        }
    }
    return examples;
}

// "a=2,b=3" as pairs.
std::vector<std::pair<std::string, std::string>> Values(const std::string& list) {
    std::vector<std::pair<std::string, std::string>> values;
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        const size_t equals = item.find('=');
        if (equals == std::string::npos) {
            ADD_FAILURE() << "data-set item without '=': " << item;
            continue;
        }
        values.emplace_back(item.substr(0, equals), item.substr(equals + 1));
    }
    return values;
}

TEST(ManualExamples, EveryFormulaDoesWhatThePageSays) {
    const std::map<std::string, int> forms = {{"explicit", IDC_FORM_EXPLICIT},
                                              {"param", IDC_FORM_PARAM},
                                              {"implicit", IDC_FORM_IMPLICIT},
                                              {"polar", IDC_FORM_POLAR}};
    ASSERT_FALSE(Pages().empty()) << "no pages in " << kManualDir;
    const std::vector<Example> examples = Manual_Examples();
    ASSERT_GE(examples.size(), 20u);
    std::map<std::string, int> drawn_per_form;
    int evaluated = 0, refused = 0;
    ScriptedDialogRunner runner;  // the dialogs run in memory
    for (const Example& example : examples) {
        SCOPED_TRACE(example.form + ": " + example.text + " (" + example.where + ")");
        ASSERT_EQ(forms.count(example.form), 1u) << "unknown form";
        g_mathlist.Clear();
        g_selLB_item = -1;
        ASSERT_EQ(Create_ModlsDialog(nullptr, nullptr), 1);
        auto* dialog = static_cast<MemoryDialog*>(Input_Dialog());
        dialog->ShowDialog(true);
        int points = 0;
        Set_GraphReceiver([&points](GraphRequest& request) {
            points = (*request.data)[0].ArrayNum();
            return 1;
        });
        RecordingMessageSink boxes;
        dialog->Click(forms.at(example.form));
        dialog->Type(IDC_FORMULA_BOX, example.text);
        dialog->Click(IDC_REGISTER_BUTTON);
        const bool registered = dialog->ListBox_GetCount(IDC_LIST_BOX) == 1;
        for (const auto& [name, value] : Values(example.values)) {
            int row = -1;
            for (int i = 0; i < dialog->ListView_GetItemCount(IDC_VAR_LIST); ++i) {
                if (dialog->ListView_GetItemText(IDC_VAR_LIST, i, 1) == name) row = i;
            }
            EXPECT_GE(row, 0) << "no variable " << name << " in the list";
            if (row >= 0) dialog->EditLabel(IDC_VAR_LIST, row, value.c_str());
        }
        if (registered) dialog->Click(IDC_OK_BUTTON);
        if (!example.message.empty()) {
            ++refused;
            ASSERT_FALSE(boxes.boxes.empty()) << "no message";
            EXPECT_EQ(boxes.boxes[0].text, example.message);
            EXPECT_EQ(points, 0) << "a graph was drawn";
        } else {
            EXPECT_TRUE(registered) << "not registered";
            EXPECT_TRUE(boxes.boxes.empty()) << (boxes.boxes.empty() ? "" : boxes.Lines()[0]);
            if (!example.result.empty()) {
                ++evaluated;
                EXPECT_EQ(dialog->GetDlgItemText(IDC_FORMULA_BOX), example.result);
                EXPECT_EQ(points, 0) << "a graph was drawn instead of a value";
            } else {
                ++drawn_per_form[example.form];
                EXPECT_GT(points, 1) << "no graph drawn";
            }
        }
        Set_GraphReceiver(nullptr);
        Destroy_ModlsDialog();
    }
    for (const auto& [form, id] : forms) {
        EXPECT_GE(drawn_per_form[form], 1) << "no graph example of " << form;
    }
    EXPECT_GE(evaluated, 1) << "no evaluation example";
    EXPECT_GE(refused, 1) << "no message example";
    g_mathlist.Clear();
    g_selLB_item = -1;
}

// ---- quoted texts --------------------------------------------------------------------------

// The string literals of the program's sources: adjacent literals joined, escapes resolved,
// a "\0" inside one (the file-dialog filters) splitting it in parts.
std::vector<std::string> Source_Literals(const std::string& source) {
    std::vector<std::string> literals;
    std::string current;
    bool open = false;  // a literal was just read: the next adjacent one continues it
    size_t i = 0;
    auto flush = [&] {
        if (open) literals.push_back(current);
        current.clear();
        open = false;
    };
    while (i < source.size()) {
        const char c = source[i];
        if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
            i = source.find('\n', i);
            if (i == std::string::npos) break;
            continue;
        }
        if (c == '/' && i + 1 < source.size() && source[i + 1] == '*') {
            i = source.find("*/", i + 2);
            if (i == std::string::npos) break;
            i += 2;
            continue;
        }
        if (c == '\'') {  // a character literal, '"' among them
            i += (i + 1 < source.size() && source[i + 1] == '\\') ? 4 : 3;
            flush();
            continue;
        }
        if (c == '"' && i > 0 && source[i - 1] == 'R') {  // R"delimiter( ... )delimiter"
            const size_t paren = source.find('(', i);
            if (paren == std::string::npos) break;
            const std::string end = ")" + source.substr(i + 1, paren - i - 1) + "\"";
            const size_t close = source.find(end, paren);
            if (close == std::string::npos) break;
            current += source.substr(paren + 1, close - paren - 1);
            open = true;
            i = close + end.size();
            continue;
        }
        if (c == '"') {
            ++i;
            while (i < source.size() && source[i] != '"') {
                if (source[i] == '\\' && i + 1 < source.size()) {
                    const char e = source[i + 1];
                    if (e == 'n')
                        current += '\n';
                    else if (e == 't')
                        current += '\t';
                    else if (e == '0') {
                        literals.push_back(current);
                        current.clear();
                    } else
                        current += e;
                    i += 2;
                } else {
                    current += source[i++];
                }
            }
            ++i;
            open = true;
            continue;
        }
        if (c != ' ' && c != '\n' && c != '\t' && c != '\r') flush();
        ++i;
    }
    flush();
    return literals;
}

const std::vector<std::string>& Program_Texts() {
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kSourceDir)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) continue;
            for (std::string& literal : Source_Literals(Read_File(entry.path()))) {
                all.push_back(std::move(literal));
            }
        }
        return all;
    }();
    return texts;
}

// The text of an element as a reader sees it: <br> is a line break, <var>…</var> a part
// the program fills in ("%s"), other tags dropped.
std::string Shown_Text(std::string html) {
    html = std::regex_replace(html, std::regex(R"re(<br\s*/?>)re"), "\n");
    html = std::regex_replace(html, std::regex(R"re(<var>[\s\S]*?</var>)re"), "%s");
    html = std::regex_replace(html, std::regex(R"re(<[^>]*>)re"), "");
    return Unescape(html);
}

std::vector<std::pair<std::string, std::string>> Quoted(const std::string& css_class) {
    std::vector<std::pair<std::string, std::string>> quoted;  // page, text
    const std::regex span("<span class=\"" + css_class + R"re(">([\s\S]*?)</span>)re");
    for (const Page& page : Pages()) {
        for (auto it = std::sregex_iterator(page.html.begin(), page.html.end(), span);
             it != std::sregex_iterator(); ++it) {
            quoted.emplace_back(page.name, Shown_Text((*it)[1]));
        }
    }
    return quoted;
}

TEST(ManualTexts, TheSourceReaderFindsLiterals) {
    const std::vector<std::string> literals = Source_Literals(
        "// \"not this\"\n f(\"a\" \"b\", 'x', '\"', \"c\\n\\\"d\\\"\");\n"
        " g(\"one\\0two\\0\"); h(R\"(raw \"text\")\"); /* \"nor this\" */ k(\"e\");");
    const std::vector<std::string> expected = {"ab", "c\n\"d\"",     "one", "two",
                                               "",   "raw \"text\"", "e"};
    EXPECT_EQ(literals, expected);
}

TEST(ManualTexts, EveryQuotedMessageIsOneTheProgramShows) {
    const std::set<std::string> texts(Program_Texts().begin(), Program_Texts().end());
    ASSERT_FALSE(texts.empty()) << "no sources under " << kSourceDir;
    const auto messages = Quoted("msg");
    ASSERT_GE(messages.size(), 40u);
    for (const auto& [page, text] : messages) {
        EXPECT_EQ(texts.count(text), 1u)
            << page << ": the program has no message \"" << text << "\"";
    }
}

TEST(ManualTexts, EveryQuotedNameIsOneTheProgramShows) {
    // Menu texts are written with "&" before the access key: "ファイル(&F)" shows ファイル(F).
    std::vector<std::string> shown;
    for (std::string text : Program_Texts()) {
        text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
        shown.push_back(std::move(text));
    }
    const auto names = Quoted("ui");
    ASSERT_GE(names.size(), 40u);
    for (const auto& quoted : names) {
        const std::string& page = quoted.first;
        const std::string& name = quoted.second;
        ASSERT_FALSE(name.empty()) << page;
        const bool found = std::any_of(shown.begin(), shown.end(), [&name](const std::string& t) {
            return t.find(name) != std::string::npos;
        });
        EXPECT_TRUE(found) << page << ": the program shows no \"" << name << "\"";
    }
}

// ---- the pages as one book -----------------------------------------------------------------

std::vector<std::string> Matches(const std::string& html, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator();
         ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

// The pages in the order of the contents page's list.
std::vector<std::string> Contents() {
    const Page* start = Find_Page(kStartPage);
    if (start == nullptr) return {};
    const size_t list = start->html.find("<ol class=\"toc\">");
    const size_t end = start->html.find("</ol>", list);
    if (list == std::string::npos || end == std::string::npos) return {};
    return Matches(start->html.substr(list, end - list), R"re(href="([^"#]+)")re");
}

TEST(ManualPages, TheContentsListEveryPageOnce) {
    ASSERT_NE(Find_Page(kStartPage), nullptr);
    const std::vector<std::string> contents = Contents();
    ASSERT_GE(contents.size(), 10u);
    std::set<std::string> listed;
    for (const std::string& name : contents) {
        EXPECT_TRUE(listed.insert(name).second) << name << " is listed twice";
        EXPECT_NE(Find_Page(name), nullptr) << "the contents list a missing page " << name;
    }
    for (const Page& page : Pages()) {
        if (page.name != kStartPage) {
            EXPECT_EQ(listed.count(page.name), 1u) << page.name << " is not in the contents";
        }
    }
}

TEST(ManualPages, EachPageLinksTheContentsAndItsNeighbours) {
    std::vector<std::string> order = Contents();
    ASSERT_FALSE(order.empty());
    order.insert(order.begin(), kStartPage);
    for (size_t i = 0; i < order.size(); ++i) {
        const Page* page = Find_Page(order[i]);
        ASSERT_NE(page, nullptr) << order[i];
        SCOPED_TRACE(page->name);
        const std::vector<std::string> prev =
            Matches(page->html, R"re(href="([^"]+)" rel="prev")re");
        const std::vector<std::string> next =
            Matches(page->html, R"re(href="([^"]+)" rel="next")re");
        const std::vector<std::string> up =
            Matches(page->html, R"re(href="([^"]+)" rel="contents")re");
        // At the top and at the bottom of the page.
        const size_t times = i == 0 ? 1 : 2;
        if (i == 0) {
            EXPECT_TRUE(prev.empty());
        } else {
            EXPECT_EQ(prev, std::vector<std::string>(times, order[i - 1]));
            EXPECT_EQ(up, std::vector<std::string>(times, kStartPage));
        }
        if (i + 1 < order.size()) {
            EXPECT_EQ(next, std::vector<std::string>(times, order[i + 1]));
        } else {
            EXPECT_TRUE(next.empty());
        }
        EXPECT_EQ(Matches(page->html, R"re(<title>([^<]+)</title>)re").size(), 1u);
        EXPECT_EQ(Matches(page->html, R"re(<h1>([^<]+)</h1>)re").size(), 1u);
    }
}

TEST(ManualPages, EveryLinkAndPictureExists) {
    int pictures = 0;
    for (const Page& page : Pages()) {
        SCOPED_TRACE(page.name);
        for (std::string target : Matches(page.html, R"re((?:href|src)="([^"]*)")re")) {
            if (target.find(':') != std::string::npos) continue;  // another site
            target = target.substr(0, target.find('#'));
            if (target.empty()) continue;  // a place on the same page
            EXPECT_TRUE(fs::is_regular_file(fs::path(kManualDir) / target)) << "missing " << target;
            if (target.rfind("images/", 0) == 0) ++pictures;
        }
        EXPECT_EQ(Matches(page.html, R"re(<link rel="stylesheet" href="([^"]+)")re"),
                  std::vector<std::string>{"manual.css"});
    }
    EXPECT_GE(pictures, 20);
}

}  // namespace
