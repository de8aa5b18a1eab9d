// The command-line program's session: the formula input dialog held in memory and driven
// by actions, message boxes written to standard error, formula-box results to standard
// output. Kept apart from main() so the tests can run sessions in-process too.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

struct CliAction {
    std::string name;      // "--form", "--type", ...
    std::string argument;  // empty for actions without one
};

// Reads the command line. False with a reason when it is wrong (nothing is run then).
bool Parse_CliActions(const std::vector<std::string>& args, std::vector<CliAction>* actions,
                      std::string* reason);

std::string Cli_Usage();

class GraphOnWin;

// Runs the actions in order. Returns the exit status: 0 when nothing was reported, 1 when a
// message box was shown or an action could not be done. inspect, when given, sees the graph
// document after the last action.
int Run_CliActions(const std::vector<CliAction>& actions, std::ostream& out, std::ostream& err,
                   const std::function<void(GraphOnWin&)>& inspect = nullptr);
