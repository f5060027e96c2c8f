#pragma once

#include "common/Prompter.h"
#include "db/Dataset.h"
#include "stock/ListeDenrees.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>
#include <memory>

namespace zelvane {

inline constexpr auto kAlias = "DBZELVANE2009";
inline constexpr auto kSchemaTag = "ZELVANE-2009-07-26";

// Results of OpenDatabaseFile.
enum OpenResult {
    OpenOk = 0,
    OpenUserRefused = 1,
    OpenOlderVersion = 2,
    OpenNotConnected = 3,
    OpenNoSession = 4,
    OpenBadFileName = 5,
};

// The data module: the connection to one management file under a named alias, one dataset per table,
// the options of the file and the operations every command uses to query and save.
class Tfdb : public QObject
{
    Q_OBJECT

public:
    explicit Tfdb(QObject *parent = nullptr);
    ~Tfdb() override;

    // One dataset per table, in the order the opening visits them.
    Dataset *db_ARTICLES;
    Dataset *db_STOCK;
    Dataset *db_fournisseur;
    Dataset *db_FACTURES;
    Dataset *db_etat_mensuel;
    Dataset *db_categories;
    Dataset *db_menu_menu;
    Dataset *db_menu_effect;
    Dataset *db_menu_liste;
    QList<Dataset *> datasets() const { return m_datasets; }

    // Connects the file under alias, checks its tag, runs the users check when asked and opens every
    // dataset; see OpenResult.
    int OpenDatabaseFile(const QString &alias, const QString &path, bool showProgress, bool checkUsers,
                         const QString &expectedTag);
    bool isConnected() const;
    // Closes every dataset and the connection.
    void closeSession();
    QSqlDatabase database() const;
    QString alias() const { return m_alias; }
    QString openedPath() const { return m_path; }

    // Runs a select; on failure shows the engine's message and returns nullptr.
    std::unique_ptr<QSqlQuery> GetQuery(const QString &sql);
    static void FreeQuery(std::unique_ptr<QSqlQuery> &query);
    // Runs a statement for its side effect; a failure is ignored (false).
    bool Execute(const QString &sql);
    // Runs a statement, raising DatabaseError on failure.
    void ExecuteOrThrow(const QString &sql);
    // Ends a window's edit: posts when accepted, otherwise (or when the post fails) cancels.
    bool SaveDataSet(Dataset *dataset, bool accept);
    // Opens the next file read-only (nothing is ever written) and makes SaveDataSet refuse.
    bool readOnly = false;

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
    int Tag = 0; // 1 once the aggregates exist and the article scroll handler is attached

    // The logged-in user, reset by every opening and set by the users check.
    QString CurrentUser;
    QString CurrentPassword;
    QString CurrentPriority = QStringLiteral("A");
    // The users check run while opening; none admits everybody.
    std::function<bool(Tfdb &)> usersCheck;

    // The daily store while connected: createAggregates at the end of the connection (after LoadOptions),
    // freeAggregates at disconnection. The rules of the article and movement datasets stay attached; they
    // do nothing that needs the aggregate while Tag is 0.
    std::unique_ptr<TListeDenrees> ListeDenrees;
    StoreFigures Figures;            // what the last article scroll computed
    QString FilterArticleText;       // the article grid's search text
    bool FilterArticleDay = false;   // only the articles moved on the selected day
    void createAggregates();
    void freeAggregates();
    // Computes the sheet of day (clamped into the year) and shows that day's movements.
    void SelectDay(const QDate &day);
    // The day clamped into the management year.
    QDate ValidateDate(const QDate &day) const;
    // Sets the article grid filter and refreshes the grid.
    void SetArticleFilter(const QString &text, bool dayOnly);
    // The movement dataset shows the current article's movements of day only.
    void ShowMovementsOfDay(const QDate &day);
    void db_ARTICLESAfterScroll();
    void db_ARTICLESNewRecord(Dataset &dataset);
    void db_ARTICLESAfterPost(Dataset &dataset);
    bool db_ARTICLESFilterRecord(const Dataset &dataset) const;
    void db_STOCKNewRecord(Dataset &dataset);
    void db_STOCKBeforePost(Dataset &dataset);
    void db_STOCKAfterPost(Dataset &dataset);

signals:
    void figuresChanged(); // Figures were rewritten: repaint the summary tree
    void dayChanged();     // a new day was selected: repaint the article grid

private:
    void attachStockRules();
    Dataset *addDataset(const QString &table, const QString &order);

    QList<Dataset *> m_datasets;
    QString m_alias;
    QString m_path;
};

} // namespace zelvane
