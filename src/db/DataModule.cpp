#include "db/DataModule.h"

#include "common/Failure.h"
#include "common/Organisation.h"
#include "common/Text.h"
#include "db/Conversion.h"
#include "db/DatabaseFiles.h"
#include "db/QuickCheckAhead.h"
#include "db/SqlFunctions.h"
#include "db/Transaction.h"
#include "journal/Journal.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace zelvane {

QString OpenFailureText(int result, const QString &file)
{
    switch (result) {
    case OpenUserRefused:
        return QStringLiteral("Connexion refusée : l'utilisateur n'a pas été identifié.");
    case OpenOlderVersion: {
        const QString tag = FileSchemaTag(file);
        if (GenerationOf(tag))
            return QStringLiteral("%1 est un dossier d'une version antérieure (%2) : il peut être converti à la "
                                  "version actuelle (%3) ; le programme le convertit à son ouverture.")
                .arg(file, tag, QString::fromLatin1(kSchemaTag));
        if (tag.isEmpty())
            return DescribeUnopenableFile(file);
        return QStringLiteral("%1 n'est pas un dossier de la version actuelle (%2 au lieu de %3) : il n'a pas été "
                              "ouvert et reste tel quel.")
            .arg(file, tag.isEmpty() ? QStringLiteral("sans version") : tag, QString::fromLatin1(kSchemaTag));
    }
    case OpenBadFileName:
        return QStringLiteral("Nom du fichier de base de données incorrecte : %1").arg(file);
    case OpenLocked: {
        QString refusal;
        LockManagementFile(file, &refusal);
        return refusal.isEmpty() ? QStringLiteral("%1 est ouvert par un autre programme.").arg(file) : refusal;
    }
    default:
        return DescribeUnopenableFile(file);
    }
}

QString FileSchemaTag(const QString &path)
{
    const QString connection = QStringLiteral("zelvane-schema-tag");
    QString tag;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (QFileInfo(path).isFile() && db.open()) {
            QSqlQuery query(db);
            // A file with several version rows carries no tag: it is none of them.
            if (query.exec(QStringLiteral("select version from version")) && query.next()) {
                tag = query.value(0).toString().trimmed();
                if (query.next())
                    tag.clear();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return tag;
}

Tfdb::Tfdb(QObject *parent)
    : QObject(parent)
{
}

Tfdb::~Tfdb()
{
    closeSession();
    // Modules hold subscriptions on the datasets: they go first.
    m_modules.clear();
}

Dataset *Tfdb::addDataset(const QString &table, const QString &order)
{
    auto *dataset = new Dataset(table, order, this);
    dataset->setObjectName(QStringLiteral("db_") + table);
    m_datasets << dataset;
    return dataset;
}

void Tfdb::addModule(std::unique_ptr<Module> module) { m_modules.push_back(std::move(module)); }

void Tfdb::startSession(const QDate &day)
{
    m_day = ValidateDate(day);
    m_session = true;
    for (const auto &module : m_modules)
        module->connected();
}

void Tfdb::selectDay(const QDate &day)
{
    if (!m_session)
        return;
    m_day = ValidateDate(day);
    emit daySelected(m_day);
}

QDate Tfdb::ValidateDate(const QDate &day) const
{
    const int year = gestion > 0 ? gestion : QDate::currentDate().year();
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    if (!day.isValid())
        return std::clamp(QDate::currentDate(), first, last);
    return std::clamp(day, first, last);
}

QSqlDatabase Tfdb::database() const { return QSqlDatabase::database(m_alias, false); }

bool Tfdb::isConnected() const { return !m_alias.isEmpty() && QSqlDatabase::contains(m_alias) && database().isOpen(); }

void Tfdb::closeSession()
{
    if (m_session) {
        m_session = false;
        for (auto it = m_modules.rbegin(); it != m_modules.rend(); ++it)
            (*it)->disconnected();
    }
    for (Dataset *dataset : std::as_const(m_datasets)) {
        if (dataset->isEditing())
            dataset->cancel();
        dataset->close();
    }
    m_inUse.reset();
    m_lock.reset();
    m_damage.clear();
    if (m_readOnlyForDamage) {
        readOnly = false;
        m_readOnlyForDamage = false;
    }
    if (m_alias.isEmpty() || !QSqlDatabase::contains(m_alias))
        return;
    {
        QSqlDatabase db = database();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_alias);
}

int Tfdb::OpenDatabaseFile(const QString &alias, const QString &path, bool showProgress, bool checkUsers,
                           const QString &expectedTag)
{
    closeSession();
    m_alias = alias;
    m_path = path;
    CurrentUser.clear();
    CurrentPassword.clear();
    CurrentPriority = QStringLiteral("A");

    // The name is checked in capitals as the file dialogs show it; the path itself keeps its case, which
    // matters on this file system.
    const QFileInfo info(path);
    if (info.completeBaseName().contains(QLatin1Char('.'))) {
        prompter().showMessage(QStringLiteral("Nom du fichier de base de données incorrecte\n") + path.toUpper());
        return OpenBadFileName;
    }

    // Connecting must never create a missing file, and a file that is not a database is refused before
    // anything is written into it.
    if (!info.isFile() || !info.isReadable())
        return OpenNotConnected;
    // A read-only connection cannot play back the journal of a write that was interrupted, and would
    // refuse the file: it is played back first where the folder allows it.
    if (readOnly) {
        QString ignored;
        RollBackInterruptedWrite(info.absoluteFilePath(), &ignored);
    }
    if (holdsLock) {
        QString refusal;
        m_lock = LockManagementFile(info.absoluteFilePath(), &refusal);
        if (!refusal.isEmpty())
            return OpenLocked;
    }
    if (!openConnection(alias, info.absoluteFilePath())) {
        m_lock.reset();
        return OpenNotConnected;
    }
    // A damaged file shows what can still be read, but nothing is written into it: a write could spread
    // the damage, and the figures a new year or a statement would store from it could be wrong.
    m_damage = QuickCheckAhead::takeSound(info.absoluteFilePath()) ? QString() : QuickCheck(database());
    if (!m_damage.isEmpty() && !readOnly) {
        readOnly = true;
        m_readOnlyForDamage = true;
        database().close();
        QSqlDatabase::removeDatabase(alias);
        if (!openConnection(alias, info.absoluteFilePath())) {
            closeSession();
            return OpenNotConnected;
        }
    }
    m_inUse = std::make_unique<FileInUse>(info.absoluteFilePath());

    if (!expectedTag.isEmpty()) {
        QString tag;
        if (auto query = GetQuery(QStringLiteral("select * from version"))) {
            QStringList tags;
            while (query->next())
                tags << query->value(QStringLiteral("version")).toString();
            if (tags.size() == 1)
                tag = tags.first();
        }
        if (tag.trimmed().toUpper() != expectedTag.trimmed().toUpper()) {
            closeSession();
            return OpenOlderVersion;
        }
    }

    // Days stored with a time by another program are cut to their day once, so that every comparison
    // of days finds them.
    if (!readOnly && !expectedTag.isEmpty())
        NormaliseStoredDays(database());

    if (checkUsers) {
        Execute(QString::fromLatin1(kCreateUsersTable));
        if (usersCheck && !usersCheck(*this)) {
            closeSession();
            return OpenUserRefused;
        }
    }

    if (checkUsers)
        journalActor().user = CurrentUser.isEmpty() ? QStringLiteral("—") : CurrentUser;
    // The journal follows every write from the first opening for writing on, whatever program writes. A
    // file that refuses it (a read-only medium) still opens, as it did, and refuses the writes themselves.
    if (!readOnly && !expectedTag.isEmpty())
        IgnoreFailure("installing the journal", [this] { InstallJournal(database()); });

    if (showProgress)
        prompter().progressStart(int(m_datasets.size()),
                                 QStringLiteral("Ouverture de la base de données… s.v.p patientez"));
    QString report;
    for (Dataset *dataset : std::as_const(m_datasets)) {
        dataset->setConnectionName(alias);
        try {
            dataset->open();
        } catch (const DatabaseError &error) {
            dataset->close();
            if (!report.isEmpty())
                report += QStringLiteral("\n------------");
            report += QLatin1Char('\n') + error.message();
        }
        if (showProgress)
            prompter().progressStep(1);
    }
    if (!report.isEmpty())
        prompter().showMessage(report);
    if (showProgress)
        prompter().progressClose();
    return OpenOk;
}

bool Tfdb::openConnection(const QString &alias, const QString &path)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), alias);
        db.setDatabaseName(path);
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        bool connected = db.open();
        if (connected) {
            QSqlQuery probe(db);
            connected = probe.exec(QStringLiteral("select count(*) from sqlite_master")) && probe.next();
        }
        if (connected)
            connected = RegisterDateFunctions(db);
        if (!connected)
            db.close();
    }
    if (!database().isOpen()) {
        QSqlDatabase::removeDatabase(alias);
        return false;
    }
    return true;
}

QString DamagedFileWarning(const QString &path, const QString &damage)
{
    const QFileInfo info(path);
    QStringList backups;
    for (const QFileInfo &backup :
         info.dir().entryInfoList({info.fileName() + QStringLiteral(".bak.*")}, QDir::Files, QDir::Time))
        backups << backup.fileName();
    return QStringLiteral("%1 est endommagé (%2) : il est ouvert en lecture seule, rien n'y sera écrit. %3 "
                          "Les données lisibles peuvent être sauvées dans un nouveau dossier par "
                          "« zelvane-cli recover ».")
        .arg(path, damage,
             backups.isEmpty()
                 ? QStringLiteral("Aucune copie numérotée (.bak.N) n'est à côté du fichier.")
                 : QStringLiteral("Copies gardées à côté du fichier : %1.").arg(backups.join(QStringLiteral(", "))));
}

std::unique_ptr<QSqlQuery> Tfdb::GetQuery(const QString &sql)
{
    auto query = std::make_unique<QSqlQuery>(database());
    query->setForwardOnly(true);
    if (!query->exec(sql)) {
        prompter().showMessage(query->lastError().text());
        return nullptr;
    }
    return query;
}

void Tfdb::FreeQuery(std::unique_ptr<QSqlQuery> &query) { query.reset(); }

bool Tfdb::Execute(const QString &sql)
{
    if (!isConnected())
        return false;
    // A unit of its own (or part of the one open), so that its journal entries are sealed with it.
    QString failure;
    try {
        Transaction unit(database());
        QSqlQuery query(database());
        if (!query.exec(sql))
            throw DatabaseError(query.lastError().text());
        unit.commit();
        return true;
    } catch (const DatabaseError &error) {
        failure = error.message();
    }
    qCDebug(lcIgnored).noquote() << sql.simplified() << ":" << failure;
    return false;
}

void Tfdb::ExecuteOrThrow(const QString &sql)
{
    QSqlQuery query(database());
    if (!query.exec(sql))
        throw DatabaseError(query.lastError().text());
}

bool Tfdb::SaveDataSet(Dataset *dataset, bool accept)
{
    if (readOnly || !dataset)
        return false;
    bool saved = accept;
    bool posted = false;
    if (accept && dataset->isEditing()) {
        try {
            dataset->post();
            posted = true;
        } catch (const DatabaseError &error) {
            prompter().showMessage(QStringLiteral(" --- :") + error.message());
        }
    }
    if (dataset->isEditing()) {
        dataset->cancel();
        saved = false;
    }
    // A post reads the rows again itself.
    if (!posted)
        IgnoreFailure("refresh after saving", [dataset] { dataset->refresh(); });
    return saved;
}

void Tfdb::LoadOptions()
{
    organisme = 0;
    gestion = QDate::currentDate().year();
    langue = QStringLiteral("FR");
    faita.clear();
    regime = -1;

    if (auto query = GetQuery(QStringLiteral("select * from options")); query && query->next()) {
        const QSqlRecord record = query->record();
        auto readInt = [&](const char *name, int &target) {
            const int i = record.indexOf(QLatin1String(name));
            if (i < 0 || query->value(i).isNull())
                return;
            bool ok = false;
            const int v = query->value(i).toInt(&ok);
            if (ok)
                target = v;
        };
        auto readText = [&](const char *name, QString &target) {
            const int i = record.indexOf(QLatin1String(name));
            if (i >= 0 && !query->value(i).isNull())
                target = query->value(i).toString();
        };
        readInt("organisme", organisme);
        readInt("gestion", gestion);
        readText("langue", langue);
        readText("faita", faita);
        readInt("regime", regime);
    }

    Execute(QStringLiteral("alter table options add column regime int;"));
    if (organisme != 0 && regime == -1) {
        regime = organisme == 1 ? 1 : 2;
        Execute(QStringLiteral("update options set regime=") + QString::number(regime));
    }
}

QList<EstablishmentKind> Tfdb::establishmentKinds()
{
    QList<EstablishmentKind> kinds;
    if (auto query = GetQuery(QStringLiteral("select * from organismes order by organisme"))) {
        while (query->next())
            kinds.append({query->value(QStringLiteral("organisme")).toString(),
                          query->value(QStringLiteral("libelle")).toString(),
                          query->value(QStringLiteral("ministere")).toString()});
    }
    return kinds;
}

void Tfdb::prepare_nouveau_dossier(int kind, const QString &year)
{
    const QString n = QString::number(kind);
    Execute(QStringLiteral("delete from articles"));
    Execute(QStringLiteral("insert into articles select * from articles_organisme_") + n
            + QStringLiteral(" order by code_art"));
    Execute(QStringLiteral("delete from categories"));
    Execute(QStringLiteral("insert into categories select * from categories_organisme_") + n
            + QStringLiteral(" order by code_categ"));
    for (Dataset *dataset : std::as_const(m_datasets)) {
        if (dataset->isActive() && !dataset->isEditing())
            IgnoreFailure("refresh after preparation", [dataset] { dataset->refresh(); });
    }
    Execute(QStringLiteral("delete from options"));
    // The year goes into the statement only as a number; any other text leaves the file unprepared, to be
    // offered for preparation again at its next connection.
    bool isYear = false;
    const int y = year.trimmed().toInt(&isYear);
    if (!isYear)
        return;
    const QString place = QuotedSQL(Organisation().town);
    Execute(QStringLiteral("insert into options values(%1,%2,'FR',%3,%4)")
                .arg(n, QString::number(y), place, kind == 1 ? QStringLiteral("1") : QStringLiteral("2")));
}

bool HasPriority(const Tfdb &db, const QString &allowed, bool warn)
{
    // An empty letter "occurs" in every text; it must never pass.
    if (!db.CurrentPriority.isEmpty() && allowed.contains(db.CurrentPriority))
        return true;
    if (warn)
        prompter().showMessage(QStringLiteral("   Priorité insuffisante \n   Accès refusé") + Spaces(22),
                               QStringLiteral("User"), MessageIcon::Warning);
    return false;
}

} // namespace zelvane
