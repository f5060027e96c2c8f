#pragma once

#include "db/NewFile.h"

#include <QCommandLineParser>
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QIODevice;

namespace zelvane {

class Tfdb;

// One command of zelvane-cli: its options, parsed by QCommandLineParser, and its work. Results go to out;
// a failure is one line on err and a non-zero exit. No command prompts, but for the password of a file
// with users when standard input is a terminal.
class Command
{
public:
    Command(QString name, QString synopsis, QString description);
    virtual ~Command();

    QString name() const { return m_name; }
    // The usage lines of the command, as --help prints them.
    QString usage() const;

    // Parses arguments (the command's own, without the program and command names) and runs the command.
    int run(const QStringList &arguments, QIODevice &out, QIODevice &err);

protected:
    virtual void addOptions(QCommandLineParser &parser) = 0;
    // Runs with the parsed options; returns the exit code, or throws CommandFailure.
    virtual int execute(const QCommandLineParser &parser, QIODevice &out) = 0;

    // What the data module reported through its messages since the command started, joined on one line;
    // empty when nothing went wrong.
    QString reportedFailures() const;
    // A warning on standard error ("zelvane-cli: warning: ..."), the command going on.
    void warn(const QString &text);

private:
    QIODevice *m_err = nullptr;
    QString m_name;
    QString m_synopsis;
    QString m_description;
};

// The exit status of a command that showed figures read from a damaged file.
inline constexpr int kDamagedFileExit = 3;

// A command's failure: its one-line message.
struct CommandFailure
{
    QString message;
    int exitCode = 1; // 2 for bad usage where a command tells it apart from a failure
};

// The day an option gives (DD/MM/YYYY), or fallback when it is not given; a text that is not a day is a
// failure naming the option.
QDate DayOption(const QCommandLineParser &parser, const QString &option, const QDate &fallback = {});
// The day of the option --day, which command needs.
QDate RequiredDayOption(const QCommandLineParser &parser, const QString &command);

// The base of the commands that read a management file: FILE, opened as the program opens it (read-only
// unless the command writes), its options loaded. A file that cannot be opened is a failure that says why.
class DatabaseCommand : public Command
{
public:
    using Command::Command;

protected:
    void addOptions(QCommandLineParser &parser) override;
    int execute(const QCommandLineParser &parser, QIODevice &out) final;
    virtual void addCommandOptions(QCommandLineParser &) {}
    // Whether the command shows the file's figures, which a file without its options row would give
    // as those of a year that is not its own.
    virtual bool needsOptions() const { return true; }
    // Whether this run writes into FILE, which is then opened for writing; read-only by default.
    virtual bool writesFile(const QCommandLineParser &) const { return false; }
    // Whether the command may run on a damaged FILE: a command that only shows figures does, with a
    // warning and the exit status kDamagedFileExit; one that writes into FILE or makes a new file from it
    // does not.
    virtual bool acceptsDamagedFile(const QCommandLineParser &parser) const { return !writesFile(parser); }
    virtual int executeOn(Tfdb &db, const QString &path, const QCommandLineParser &parser, QIODevice &out) = 0;
    // FILE is of an older generation: a failure that says so, unless the command can use such a file.
    virtual int executeOnOlder(const QString &path, QIODevice &out);
};

std::unique_ptr<Command> MakePrepareCommand();
std::unique_ptr<Command> MakeInfoCommand();
std::unique_ptr<Command> MakeSheetCommand();
std::unique_ptr<Command> MakeDemoCommand();
std::unique_ptr<Command> MakeDayCommand();
std::unique_ptr<Command> MakeHistoryCommand();
std::unique_ptr<Command> MakeRibCommand();
std::unique_ptr<Command> MakePrintCommand();
std::unique_ptr<Command> MakeAmountInWordsCommand();
std::unique_ptr<Command> MakeNewYearCommand();
std::unique_ptr<Command> MakeBackupCommand();
std::unique_ptr<Command> MakeRestoreCommand();
std::unique_ptr<Command> MakeConvertCommand();
std::unique_ptr<Command> MakeImportCommand();
std::unique_ptr<Command> MakeRecoverCommand();
std::unique_ptr<Command> MakeJournalCommand();
std::unique_ptr<Command> MakeSafetyCopiesCommand();

// The options of the commands that make a new management file: --kind, --year, --name, --force.
void AddNewFileOptions(QCommandLineParser &parser);
// What those options ask for, checked; the file goes into the data folder's databases.
NewFileRequest NewFileRequestOf(const QString &command, const QCommandLineParser &parser);

// Throws a failure when target cannot receive the command's output (see RefusedOutput): an existing file
// is replaced only when the command was given --force.
void CheckOutput(const QString &target, const QCommandLineParser &parser);

// Throws a failure when path cannot be the name of a management file (see ManagementFileNameError).
void CheckManagementFileName(const QString &path);

// The --user option of the commands that open a management file.
void AddUserOption(QCommandLineParser &parser);
// The desktop's login before a command opens the management file at path: nothing to give when the file
// has no users; otherwise --user NAME, the password from ZELVANE_PASSWORD, else standard input (one line
// per attempt) or the terminal without echo, three attempts at most, and the priority letters the
// desktop's command asks for (any when empty). A failure "Identification refusée" otherwise.
void IdentifyUser(const QString &path, const QCommandLineParser &parser, const QString &priorities = {});

// An option's value as a positive number written in plain digits, at most largest, or a failure naming
// the option.
int PositiveNumber(const QCommandLineParser &parser, const QString &option, int largest, bool zeroAllowed = false);

} // namespace zelvane
