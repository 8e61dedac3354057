#include "cli/cli_run.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace tavrin::test {
namespace {

std::string Quoted(const std::string& text) {
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Runs the built program with its output captured in files of dir.
CliRun RunCli(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = Quoted(TAVRIN_CLI);
    for (const auto& a : args)
        command += " " + Quoted(a);
    const auto outPath = dir / "cli-stdout.txt";
    const auto errPath = dir / "cli-stderr.txt";
    command += " >" + Quoted(outPath.string()) + " 2>" + Quoted(errPath.string());
    const int status = std::system(command.c_str());
    CliRun run;
#ifdef _WIN32
    run.exitCode = status;
#else
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = ReadText(outPath);
    run.err = ReadText(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

} // namespace tavrin::test
