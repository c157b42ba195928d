#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace korvelle::testing {

// korvelle-cli run to its end.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

// A configuration folder of no designer: no unit-cost table of one's own,
// so that the shipped table prices every run that names none.
inline QString EmptyConfiguration() {
    static const QTemporaryDir folder;
    return folder.path();
}

// Runs the built korvelle-cli (or a copy of it) with the arguments, without
// a display and without a platform chosen for it: the program must manage on
// its own.  `variables` are set in its environment besides.
inline CliRun RunCli(const QStringList& arguments, const QProcessEnvironment& variables = {},
                     const QString& program = KORVELLE_CLI) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", EmptyConfiguration());
    environment.insert(variables);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.code = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

// Runs a bash script with $CLI naming the built korvelle-cli, as RunCli runs
// the program.
inline CliRun RunShell(const QString& script) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    environment.insert("CLI", KORVELLE_CLI);
    environment.insert("XDG_CONFIG_HOME", EmptyConfiguration());
    process.setProcessEnvironment(environment);
    process.start("bash", {"-c", script});
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.code = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

inline QString Example(const char* name) {
    return QString(KORVELLE_SOURCE_DIR) + "/data/examples/" + name;
}

inline std::string ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

inline void WriteAll(const QString& path, const std::string& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text.data(), static_cast<qint64>(text.size()));
}

// The example's text with one piece replaced.
inline std::string Edited(const char* example, const std::string& from, const std::string& to) {
    std::string text = ReadAll(Example(example));
    const std::size_t at = text.find(from);
    if (at == std::string::npos) {
        ADD_FAILURE() << example << " holds no " << from;
        return text;
    }
    return text.replace(at, from.size(), to);
}

}  // namespace korvelle::testing
