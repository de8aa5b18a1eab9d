// A plotari-cli session run in-process, so that a test can look at the document it leaves.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_session.h"
#include "document/graph_on_win.h"

namespace session_run {

struct Printed {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the command line's actions; inspect sees the document after the last one.
inline Printed Run(const std::vector<std::string>& args,
                   const std::function<void(GraphOnWin&)>& inspect) {
    std::vector<CliAction> actions;
    std::string reason;
    EXPECT_TRUE(Parse_CliActions(args, &actions, &reason)) << reason;
    std::ostringstream out;
    std::ostringstream err;
    Printed printed;
    printed.status = Run_CliActions(actions, out, err, inspect);
    printed.out = out.str();
    printed.err = err.str();
    return printed;
}

}  // namespace session_run
