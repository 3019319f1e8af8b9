#pragma once

#include "e2e/AppFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace kx::e2e {

/// How a program ended: its status (-1 when it did not end by itself) and output.
struct Finished {
    int exitCode = -1;
    std::string out, err;

    /// The new book's database that the summary of `ledgerwiz create` names ("" when none).
    std::string Database() const {
        const std::string mark = "数据库：";
        const std::size_t at = out.find(mark);
        return at == std::string::npos ? std::string() : out.substr(at + mark.size(), out.find('\n', at) - at - mark.size());
    }
};

/// Variables added to a program's environment; an empty value removes one.
using Environment = std::vector<std::pair<std::string, std::string>>;

/// A program of the build run headless as its own process; killed if it still runs
/// when the object goes.
class ProgramRun {
  public:
    ProgramRun(const char* program, const std::vector<std::string>& arguments, const Environment& more = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const auto& [name, value] : more)
            value.empty() ? environment.remove(QString::fromStdString(name))
                          : environment.insert(QString::fromStdString(name), QString::fromStdString(value));
        QStringList list;
        for (const std::string& argument : arguments)
            list << QString::fromStdString(argument);
        process.setProcessEnvironment(environment);
        process.start(QString::fromLocal8Bit(program), list);
    }
    ~ProgramRun() { Kill(); }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Running() {
        process.waitForFinished(0); // takes in whether it ended
        return process.state() != QProcess::NotRunning;
    }
    void Kill() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    Finished Wait() {
        process.waitForFinished(300000);
        if (process.state() != QProcess::NotRunning || process.exitStatus() != QProcess::NormalExit) {
            Kill();
            return {-1, {}, "did not finish: " + process.errorString().toStdString()};
        }
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    QProcess process;
};

/// `ledgerwiz create` of 新账簿 of 某某有限公司 on `app` from list row 0 as 主管 with
/// password 8888, begun January 2027; the `more` options follow and win.
inline std::vector<std::string> CreateArguments(const AppFolder& app, const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments{"create", "--app", app.path().string(), "--template", "0", "--operator", "主管",
                                       "--password", "8888", "--name", "新账簿", "--company", "某某有限公司",
                                       "--director", "王五", "--month", "2027-01"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

} // namespace kx::e2e
