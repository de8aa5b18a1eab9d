// Every formula the manual shows is one the program takes: each <code> example of the HTML
// manual runs through the real input dialog code (form, text, 登録, OK) and must draw a
// graph without a message box. A <code> that is neither a formula (data-form="…") nor a
// command is an error, so a new example cannot slip in untested.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <regex>
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

const char kManual[] = "../../resources/使用説明/PlotariVer.html";

std::string Unescape(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities) {
        for (size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1)) {
            text.replace(at, std::strlen(entity), plain);
        }
    }
    return text;
}

struct Example {
    std::string form;  // explicit, param, implicit, polar
    std::string text;
    std::string where;
};

// The formula examples of the manual; fails the test for a <code> it cannot classify.
std::vector<Example> Manual_Examples() {
    std::ifstream file(kManual);
    EXPECT_TRUE(file.good()) << kManual;
    std::stringstream html;
    html << file.rdbuf();
    const std::string page = html.str();
    std::vector<Example> examples;
    const std::regex code(R"re(<code([^>]*)>([\s\S]*?)</code>)re");
    const std::regex form_attribute(R"re(data-form="([a-z]+)")re");
    const std::regex plot_option(R"re(--plot '([a-z]+):([^']*)')re");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), code);
         it != std::sregex_iterator(); ++it) {
        const std::string attributes = (*it)[1];
        const std::string text = Unescape((*it)[2]);
        std::smatch form;
        if (std::regex_search(attributes, form, form_attribute)) {
            examples.push_back({form[1], text, "<code" + attributes + ">"});
        } else if (text.rfind("plotari-cli", 0) == 0) {
            for (auto p = std::sregex_iterator(text.begin(), text.end(), plot_option);
                 p != std::sregex_iterator(); ++p) {
                examples.push_back({(*p)[1], (*p)[2], text});
            }
        } else if (text != "./run.sh" && text != "plotari" && text.rfind("plotari ", 0) != 0 &&
                   text.rfind("./", 0) != 0 && text.rfind("sudo ", 0) != 0 &&
                   text.rfind("man ", 0) != 0 &&
                   !(text.size() > 4 && text.compare(text.size() - 4, 4, ".deb") == 0)) {
            ADD_FAILURE() << "a <code> that is neither a formula example nor a command: " << text;
        }
    }
    return examples;
}

TEST(ManualExamples, EveryFormulaDrawsThroughTheDialog) {
    const std::map<std::string, int> forms = {{"explicit", IDC_FORM_EXPLICIT},
                                              {"param", IDC_FORM_PARAM},
                                              {"implicit", IDC_FORM_IMPLICIT},
                                              {"polar", IDC_FORM_POLAR}};
    const std::vector<Example> examples = Manual_Examples();
    ASSERT_GE(examples.size(), 6u);  // the four forms, the first example and the CLI's
    std::map<std::string, int> per_form;
    ScriptedDialogRunner runner;  // the dialogs run in memory
    for (const Example& example : examples) {
        SCOPED_TRACE(example.form + ": " + example.text + " (" + example.where + ")");
        ASSERT_EQ(forms.count(example.form), 1u) << "unknown form";
        ++per_form[example.form];
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
        EXPECT_EQ(dialog->ListBox_GetCount(IDC_LIST_BOX), 1) << "not registered";
        dialog->Click(IDC_OK_BUTTON);
        EXPECT_TRUE(boxes.boxes.empty()) << (boxes.boxes.empty() ? "" : boxes.Lines()[0]);
        EXPECT_GT(points, 1) << "no graph drawn";
        Set_GraphReceiver(nullptr);
        Destroy_ModlsDialog();
    }
    for (const auto& [form, id] : forms) EXPECT_GE(per_form[form], 1) << "no example of " << form;
    g_mathlist.Clear();
    g_selLB_item = -1;
}

}  // namespace
