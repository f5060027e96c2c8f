#pragma once

#include "common/Prompter.h"
#include "common/WorkFiles.h"
#include "db/Dataset.h"
#include "db/Module.h"
#include "db/Preparation.h"

#include <QLockFile>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>
#include <memory>

namespace zelvane {

inline constexpr auto kAlias = "DBZELVANE2009";
inline constexpr auto kSchemaTag = "ZELVANE-2009-07-26";
// The users table, made by every opening with the users check when the file has none.
inline constexpr auto kCreateUsersTable =
    "create table users (username char(30) primary key,password char(8), priorite char(1))";

// Results of OpenDatabaseFile.
enum OpenResult {
    OpenOk = 0,
    OpenUserRefused = 1,
    OpenOlderVersion = 2,
    OpenNotConnected = 3,
    OpenNoSession = 4,
    OpenBadFileName = 5,
    OpenLocked = 6,
};

// Why OpenDatabaseFile(file) gave result, in one line for the status bar or the command line.
QString OpenFailureText(int result, const QString &file);
// The schema tag a file carries, read without opening it as a management file; empty when it has none or
// several.
QString FileSchemaTag(const QString &path);

// The data module: the connection to one management file under a named alias, the registry of the
// datasets that the subsystems' modules declare, the options of the file, the selected day and the
// operations every command uses to query and save.
class Tfdb : public QObject
{
    Q_OBJECT

public:
    explicit Tfdb(QObject *parent = nullptr);
    ~Tfdb() override;

    // A dataset on table for a module; the opening visits the datasets in the order they were added.
    Dataset *addDataset(const QString &table, const QString &order);
    QList<Dataset *> datasets() const { return m_datasets; }

    // The modules, in the order they were added; owned by the data module.
    void addModule(std::unique_ptr<Module> module);
    template<typename M>
    M *module() const
    {
        for (const auto &m : m_modules) {
            if (auto *found = dynamic_cast<M *>(m.get()))
                return found;
        }
        return nullptr;
    }

    // Starts the work on the connected file: selects day (clamped into the management year) and tells
    // every module, which computes what it shows. closeSession ends it.
    void startSession(const QDate &day);
    bool hasSession() const { return m_session; }
    // The day the program shows, always inside the management year.
    QDate selectedDay() const { return m_day; }
    // Selects day (clamped): every module computes it again, even when it is the day already shown.
    void selectDay(const QDate &day);

    // Connects the file under alias, checks its tag, runs the users check when asked and opens every
    // dataset; see OpenResult.
    int OpenDatabaseFile(const QString &alias, const QString &path, bool showProgress, bool checkUsers,
                         const QString &expectedTag);
    bool isConnected() const;
    // Tells the modules the session ends, then closes every dataset and the connection.
    void closeSession();
    QSqlDatabase database() const;
    QString alias() const { return m_alias; }
    QString openedPath() const { return m_path; }

    // Runs a select; on failure shows the engine's message and returns nullptr.
    std::unique_ptr<QSqlQuery> GetQuery(const QString &sql);
    static void FreeQuery(std::unique_ptr<QSqlQuery> &query);
    // Runs a statement for its side effect; a failure is logged and passed over (false).
    bool Execute(const QString &sql);
    // Runs a statement, raising DatabaseError on failure.
    void ExecuteOrThrow(const QString &sql);
    // Ends a window's edit: posts when accepted, otherwise (or when the post fails) cancels.
    bool SaveDataSet(Dataset *dataset, bool accept);
    // Opens the next file read-only (nothing is ever written) and makes SaveDataSet refuse.
    bool readOnly = false;
    // Why the connected file failed SQLite's quick check, empty when it passed. A damaged file is opened
    // read-only whatever was asked, so that nothing is written into it and it is never the source of a
    // new file.
    QString damage() const { return m_damage; }
    // Holds the file's lock (see LockManagementFile) while it is connected, so that the command line
    // never replaces or converts it meanwhile: the desktop program sets it.
    bool holdsLock = false;

    // Options of the open file.
    int organisme = 0;
    int gestion = 0;
    QString langue;
    QString faita;
    int regime = -1;
    void LoadOptions();

    // Kinds of establishment offered by the preparation window.
    QList<EstablishmentKind> establishmentKinds();
    // Fills a freshly copied template for establishment kind and year.
    void prepare_nouveau_dossier(int kind, const QString &year);

    QString CurrentFile;

    // The logged-in user, reset by every opening and set by the users check.
    QString CurrentUser;
    QString CurrentPassword;
    QString CurrentPriority = QStringLiteral("A");
    // The users check run while opening; none admits everybody.
    std::function<bool(Tfdb &)> usersCheck;

    // The day clamped into the management year; today's when day is invalid.
    QDate ValidateDate(const QDate &day) const;

signals:
    void daySelected(const QDate &day);

private:
    QList<Dataset *> m_datasets;
    std::vector<std::unique_ptr<Module>> m_modules;
    bool m_session = false;
    QDate m_day;
    // Adds the connection alias on path, opened as readOnly says; false (and no connection) when the file
    // cannot be opened as a database.
    bool openConnection(const QString &alias, const QString &path);

    QString m_alias;
    QString m_path;
    QString m_damage;
    // readOnly was set by the opening of a damaged file, not by the caller: it ends with the session.
    bool m_readOnlyForDamage = false;
    std::unique_ptr<FileInUse> m_inUse;
    std::unique_ptr<QLockFile> m_lock;
};

// The warning shown and printed for a damaged file: what is wrong, that it was opened read-only, and
// the numbered backups kept beside it.
QString DamagedFileWarning(const QString &path, const QString &damage);

// True when the logged-in user's priority letter is one of allowed; otherwise warns (when asked).
bool HasPriority(const Tfdb &db, const QString &allowed, bool warn);

} // namespace zelvane
