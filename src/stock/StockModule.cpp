#include "stock/StockModule.h"

#include "common/Failure.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "stock/Articles.h"
#include "stock/Movements.h"

#include <QSqlError>
#include <QSqlQuery>

namespace zelvane {

namespace {

// max(column)+1 of a table, 1 when the table is empty or the query fails.
qint64 nextNumber(Tfdb &db, const QString &sql)
{
    qint64 next = 1;
    if (auto query = db.GetQuery(sql); query && query->next() && !query->value(0).isNull())
        next = query->value(0).toLongLong() + 1;
    return next;
}

qint32 codeOf(const Dataset &articles) { return qint32(articles.intValue(QStringLiteral("CODE_ART"))); }

} // namespace

StockModule::StockModule(Tfdb &db)
    : Module(db)
    , db_ARTICLES(db.addDataset(QStringLiteral("ARTICLES"), QStringLiteral("CODE_ART")))
    , db_STOCK(db.addDataset(QStringLiteral("STOCK"), QStringLiteral("CODE_ART;NUM_MVT")))
{
    db_STOCK->setMaster(db_ARTICLES, QStringLiteral("CODE_ART"), QStringLiteral("CODE_ART"));
    // Opening a file reads no movement; the day's are shown once its sheet exists.
    db_STOCK->setFilter(QStringLiteral("num_mvt=0"), true);
    attachRules();
    connect(&db, &Tfdb::daySelected, this, &StockModule::showDay);
}

StockModule::~StockModule() = default;

void StockModule::attachRules()
{
    // Calculated columns of the article grid; empty until the sheet exists.
    auto figure = [this](double (*pick)(const TDenree &)) {
        return [this, pick](const Dataset &articles) -> QVariant {
            if (!m_liste || articles.isEmpty())
                return QString();
            const TDenree *d = m_liste->FindDenree(codeOf(articles));
            return FormatMontant(d ? pick(*d) : 0.0);
        };
    };
    db_ARTICLES->addCalculatedField(QStringLiteral("VEILLE"), FieldType::Text,
                                    figure([](const TDenree &d) { return d.veille(); }));
    db_ARTICLES->addCalculatedField(QStringLiteral("ENTREE"), FieldType::Text,
                                    figure([](const TDenree &d) { return d.entree_jour_quantite; }));
    db_ARTICLES->addCalculatedField(QStringLiteral("SORTIE"), FieldType::Text,
                                    figure([](const TDenree &d) { return d.sortie_jour_quantite; }));
    db_ARTICLES->addCalculatedField(QStringLiteral("RESTES"), FieldType::Text,
                                    figure([](const TDenree &d) { return d.restes(); }));
    db_ARTICLES->addCalculatedField(QStringLiteral("ART_LIB"), FieldType::Text,
                                    [](const Dataset &articles) -> QVariant {
                                        if (articles.isEmpty())
                                            return QString();
                                        return QString::number(codeOf(articles)) + QStringLiteral(" - ")
                                               + articles.textValue(QStringLiteral("DESIGNATION"));
                                    });
    db_ARTICLES->setRecordFilter([this](const Dataset &d) { return acceptsArticle(d); });
    m_rules.push_back(db_ARTICLES->newRecord.subscribe([this](Dataset &d) { newArticle(d); }));
    m_rules.push_back(db_ARTICLES->afterPost.subscribe([this](Dataset &d) {
        if (d.recNo() >= 0)
            ArticleChanged(codeOf(d));
    }));
    m_rules.push_back(db_ARTICLES->afterDelete.subscribe([this](Dataset &) { computeFigures(); }));
    m_rules.push_back(db_ARTICLES->afterScroll.subscribe([this](Dataset &) { computeFigures(); }));

    db_STOCK->addCalculatedField(QStringLiteral("VALEUR"), FieldType::Text, [](const Dataset &stock) -> QVariant {
        const auto q = NumberFromSql(stock.value(QStringLiteral("QUANTITE")));
        const auto p = NumberFromSql(stock.value(QStringLiteral("PU")));
        return q && p ? FormatMontant(*q * *p) : QStringLiteral("0.00");
    });
    db_STOCK->addCalculatedField(QStringLiteral("LNature"), FieldType::Text, [](const Dataset &stock) -> QVariant {
        if (stock.isEmpty() || stock.isNull(QStringLiteral("NAT_OP")))
            return QString();
        return NatureText(int(stock.intValue(QStringLiteral("NAT_OP"))));
    });
    m_rules.push_back(db_STOCK->newRecord.subscribe([this](Dataset &d) { newMovement(d); }));
    m_rules.push_back(db_STOCK->beforePost.subscribe([this](Dataset &d) { checkMovement(d); }));
    m_rules.push_back(db_STOCK->afterPost.subscribe([this](Dataset &) { movementWritten(); }));
    m_rules.push_back(db_STOCK->afterDelete.subscribe([this](Dataset &) { movementWritten(); }));
}

void StockModule::connected()
{
    m_liste = std::make_unique<TListeDenrees>(m_db);
    showDay(m_db.selectedDay());
}

void StockModule::disconnected()
{
    m_liste.reset();
    m_figures = StoreFigures();
    db_STOCK->setFilter(QStringLiteral("num_mvt=0"), true);
}

QDate StockModule::DateJour() const { return m_liste ? m_liste->DateJour() : QDate(); }

void StockModule::showDay(const QDate &day)
{
    if (!m_liste)
        return;
    m_liste->SetDate(day);
    showMovementsOfDay(m_liste->DateJour());
    // The movements were just read for the new day: the articles' rows alone are read again.
    if (db_ARTICLES->isActive() && !db_ARTICLES->isEditing())
        IgnoreFailure("article grid of the new day", [this] { db_ARTICLES->reloadRows(); });
    emit dayChanged();
    computeFigures();
}

void StockModule::showMovementsOfDay(const QDate &day)
{
    if (!db_STOCK->isActive() || db_STOCK->isEditing())
        return;
    IgnoreFailure("movements of the day",
                  [&] { db_STOCK->setFilter(QStringLiteral("date_op=") + SqlDate(day), true); });
}

void StockModule::SetArticleFilter(const QString &text, bool dayOnly)
{
    m_filterText = text;
    m_filterDay = dayOnly;
    if (!db_ARTICLES->isActive() || db_ARTICLES->isEditing())
        return;
    IgnoreFailure("article filter",
                  [&] { db_ARTICLES->setFilter(QStringLiteral("code_art>0"), !text.isEmpty() || dayOnly); });
}

bool StockModule::acceptsArticle(const Dataset &articles) const
{
    if (!m_liste)
        return true;
    return ArticleFilterAccepts(articles.textValue(QStringLiteral("DESIGNATION")), m_filterText, m_filterDay,
                                m_liste->FindDenree(codeOf(articles)));
}

StoreFigures ComputeStoreFigures(const TListeDenrees &liste, const TDenree *article)
{
    StoreFigures f;
    if (!article)
        return f;
    const TTotaux &t = liste.Totaux();
    const double total = t.valeurVeille() + t.entree_jour_valeur;
    f.quantiteVeille = FormatMontant(article->veille());
    f.quantiteVeilleEntrees = FormatMontant(article->veille() + article->entree_jour_quantite);
    f.quantiteRestes = FormatMontant(article->veille() + article->entree_jour_quantite - article->sortie_jour_quantite);
    f.valeurVeille = FormatMontant(t.valeurVeille());
    f.valeurEntrees = FormatMontant(t.entree_jour_valeur);
    f.total = FormatMontant(total);
    f.valeurSorties = FormatMontant(t.sortie_jour_valeur);
    f.valeurFinJournee = FormatMontant(total - t.sortie_jour_valeur);
    return f;
}

void StockModule::computeFigures()
{
    if (!m_liste)
        return;
    const TDenree *d = nullptr;
    if (db_ARTICLES->isActive() && db_ARTICLES->recNo() >= 0)
        d = m_liste->FindDenree(codeOf(*db_ARTICLES));
    if (d) {
        m_figures = ComputeStoreFigures(*m_liste, d);
    } else {
        // With no article the store's values stay as they were.
        m_figures.quantiteVeille = m_figures.quantiteVeilleEntrees = m_figures.quantiteRestes = QStringLiteral("0.00");
    }
    emit figuresChanged();
}

void StockModule::ArticleChanged(qint32 code)
{
    if (m_liste)
        m_liste->Calculate(code);
    computeFigures();
}

void StockModule::newArticle(Dataset &articles)
{
    articles.setValue(QStringLiteral("CODE_ART"),
                      nextNumber(m_db, QStringLiteral("select max(code_art) as new from articles")));
    articles.setValue(QStringLiteral("DESIGNATION"), QString());
    articles.setValue(QStringLiteral("PU"), 0.0);
    articles.setValue(QStringLiteral("CODE_FOUR"), 0);
    articles.setValue(QStringLiteral("QT31DEC"), 0.0);
    articles.setValue(QStringLiteral("PU31DEC"), 0.0);
}

void StockModule::newMovement(Dataset &stock)
{
    const double a = NumberFromSql(db_ARTICLES->value(QStringLiteral("PU"))).value_or(1.0);
    const double b = NumberFromSql(db_ARTICLES->value(QStringLiteral("PU31DEC"))).value_or(1.0);
    const QDate day = m_liste ? m_liste->DateJour() : m_db.ValidateDate(QDate::currentDate());
    stock.setValue(QStringLiteral("NUM_MVT"),
                   nextNumber(m_db, QStringLiteral("select max(num_mvt) as new from stock")));
    stock.setValue(QStringLiteral("CODE_ART"), db_ARTICLES->value(QStringLiteral("CODE_ART")));
    stock.setValue(QStringLiteral("NAT_OP"), kNatureEntree);
    stock.setValue(QStringLiteral("DATE_OP"), day);
    stock.setValue(QStringLiteral("QUANTITE"), 0.0);
    stock.setValue(QStringLiteral("PU"), b > a ? b : a);
    stock.setValue(QStringLiteral("CODE_FOUR"), db_ARTICLES->value(QStringLiteral("CODE_FOUR")));
    stock.setValue(QStringLiteral("OBS"), QString());
    stock.setValue(QStringLiteral("DATE_BC"), day);
    stock.setValue(QStringLiteral("DATE_BL"), day);
}

void StockModule::checkMovement(Dataset &stock)
{
    const qint64 code = stock.intValue(QStringLiteral("CODE_ART"));
    const int nature = int(stock.intValue(QStringLiteral("NAT_OP")));
    const bool inserting = stock.state() == Dataset::State::Insert;
    const qint64 number = stock.isNull(QStringLiteral("NUM_MVT")) ? -1 : stock.intValue(QStringLiteral("NUM_MVT"));
    const double quantite = NumberFromSql(stock.value(QStringLiteral("QUANTITE"))).value_or(0);

    // The nature says whether the stock goes up or down: a negative figure would reverse it.
    if (!(quantite > 0))
        throw DatabaseError(QString::fromUtf8(kQuantiteRefusee));
    if (NumberFromSql(stock.value(QStringLiteral("PU"))).value_or(0) < 0)
        throw DatabaseError(QString::fromUtf8(kPrixNegatifRefuse));

    // An exit never takes the article's stock at the end of its day below zero, whatever window posts it.
    if (IsExitNature(nature)) {
        const QDate day = stock.dateValue(QStringLiteral("DATE_OP"));
        const double before = StockAtEndOfDay(m_db, code, day.isValid() ? day : m_db.ValidateDate(QDate()),
                                              inserting ? -1 : number);
        if (RoundStock(before - quantite) < 0)
            throw DatabaseError(QString::fromUtf8(kStockNegatifRefuse));
    }

    // The number was taken when the row was created; another movement posted since then may hold it, and
    // a movement that is typed must not be lost to a duplicate key.
    if (inserting && number >= 0) {
        QSqlQuery taken(m_db.database());
        taken.prepare(QStringLiteral("select 1 from stock where num_mvt=?"));
        taken.addBindValue(number);
        if (taken.exec() && taken.next())
            stock.setValue(QStringLiteral("NUM_MVT"),
                           nextNumber(m_db, QStringLiteral("select max(num_mvt) as new from stock")));
    }

    // The article takes the movement's price; this write belongs to the post and is undone with it.
    const double p = NumberFromSql(stock.value(QStringLiteral("PU"))).value_or(0);
    const double q = NumberFromSql(db_ARTICLES->value(QStringLiteral("PU"))).value_or(0);
    if (p != 0 && p != q) {
        QSqlQuery update(m_db.database());
        update.prepare(QStringLiteral("update articles set pu=? where code_art=?"));
        update.addBindValue(FormatMontantSaisie(p));
        update.addBindValue(code);
        if (!update.exec())
            throw DatabaseError(update.lastError().text());
    }
}

void StockModule::movementWritten()
{
    if (db_ARTICLES->recNo() >= 0)
        ArticleChanged(codeOf(*db_ARTICLES));
    // The article's price may have changed with the movement; the movements are read already.
    if (!db_ARTICLES->isEditing())
        IgnoreFailure("article grid after a movement", [this] { db_ARTICLES->reloadRows(); });
}

} // namespace zelvane
