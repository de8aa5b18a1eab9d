// The command-line program's session: the formula input dialog held in memory and driven
// by actions, message boxes written to standard error, formula-box results to standard
// output. Kept apart from main() so the tests can run sessions in-process too.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
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
class DocumentCommands;

// A session kept open and run action by action, for tests and fuzzers that look at the
// document between actions. Only one may exist at a time (the program's state is shared).
class CliSession {
public:
    CliSession(std::ostream& out, std::ostream& err);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;
    void Run(const CliAction& action);
    GraphOnWin& Document();
    DocumentCommands& Commands();
    // Message boxes shown and actions refused so far.
    int Reported() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Runs the actions in order. Returns the exit status: 0 when nothing was reported, 1 when a
// message box was shown or an action could not be done. inspect, when given, sees the graph
// document after the last action.
int Run_CliActions(const std::vector<CliAction>& actions, std::ostream& out, std::ostream& err,
                   const std::function<void(GraphOnWin&)>& inspect = nullptr);
