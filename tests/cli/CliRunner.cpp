#include "CliRunner.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

namespace qd::test {

namespace {

std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) {
        if (c == '\'')
            q += "'\\''";
        else
            q += c;
    }
    return q + "'";
}

} // namespace

CliResult RunCounter(const std::vector<std::string>& args, const std::filesystem::path& folder,
                     const std::string& stdinText) {
    const auto in = folder / ".stdin", out = folder / ".stdout", err = folder / ".stderr";
    std::ofstream(in, std::ios::binary) << stdinText;
    std::string command = "cd " + Quoted(folder.string()) + " && " + Quoted(QD_COUNT_BINARY);
    for (const auto& arg : args)
        command += " " + Quoted(arg);
    command +=
        " <" + Quoted(in.string()) + " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
    const int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFileBytes(out);
    result.err = ReadFileBytes(err);
    std::filesystem::remove(in);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

} // namespace qd::test
