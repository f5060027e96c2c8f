// The data module's part of the daily store: the aggregate it owns while connected, and the rules of
// the article and movement datasets.
#include "common/Format.h"
#include "db/DataModule.h"
#include "stock/Articles.h"
#include "stock/Movements.h"

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

} // namespace

void Tfdb::attachStockRules()
{
    // Calculated columns of the article grid; empty until the aggregate exists.
    auto figure = [this](double (*pick)(const TDenree &)) {
        return [this, pick](const Dataset &articles) -> QVariant {
            if (Tag == 0 || !ListeDenrees || articles.isEmpty())
                return QString();
            const TDenree *d = ListeDenrees->FindDenree(qint32(articles.intValue(QStringLiteral("CODE_ART"))));
            return FormatMontant(d ? pick(*d) : 0.0);
        };
    };
    db_ARTICLES->addCalculatedField(QStringLiteral("VEILLE"), FieldType::Text, figure([](const TDenree &d) { return d.veille(); }));
    db_ARTICLES->addCalculatedField(QStringLiteral("ENTREE"), FieldType::Text,
                                    figure([](const TDenree &d) { return d.entree_jour_quantite; }));
    db_ARTICLES->addCalculatedField(QStringLiteral("SORTIE"), FieldType::Text,
                                    figure([](const TDenree &d) { return d.sortie_jour_quantite; }));
    db_ARTICLES->addCalculatedField(QStringLiteral("RESTES"), FieldType::Text, figure([](const TDenree &d) { return d.restes(); }));
    db_ARTICLES->addCalculatedField(QStringLiteral("ART_LIB"), FieldType::Text, [](const Dataset &articles) -> QVariant {
        if (articles.isEmpty())
            return QString();
        return QString::number(articles.intValue(QStringLiteral("CODE_ART"))) + QStringLiteral(" - ")
             + articles.textValue(QStringLiteral("DESIGNATION"));
    });
    db_ARTICLES->onNewRecord = [this](Dataset &d) { db_ARTICLESNewRecord(d); };
    db_ARTICLES->onAfterPost = [this](Dataset &d) { db_ARTICLESAfterPost(d); };
    db_ARTICLES->onAfterDelete = [this](Dataset &d) { db_ARTICLESAfterPost(d); };
    db_ARTICLES->onAfterScroll = [this](Dataset &) { db_ARTICLESAfterScroll(); };
    db_ARTICLES->setRecordFilter([this](const Dataset &d) { return db_ARTICLESFilterRecord(d); });

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
    db_STOCK->onNewRecord = [this](Dataset &d) { db_STOCKNewRecord(d); };
    db_STOCK->onBeforePost = [this](Dataset &d) { db_STOCKBeforePost(d); };
    db_STOCK->onAfterPost = [this](Dataset &d) { db_STOCKAfterPost(d); };
    db_STOCK->onAfterDelete = [this](Dataset &d) { db_STOCKAfterPost(d); };
}

void Tfdb::createAggregates()
{
    freeAggregates();
    ListeDenrees = std::make_unique<TListeDenrees>(*this);
    Tag = 1;
    SelectDay(QDate::currentDate());
}

void Tfdb::SelectDay(const QDate &day)
{
    if (!ListeDenrees)
        return;
    ListeDenrees->SetDate(day);
    ShowMovementsOfDay(ListeDenrees->DateJour());
    emit dayChanged();
    db_ARTICLESAfterScroll();
}

void Tfdb::freeAggregates()
{
    Tag = 0;
    ListeDenrees.reset();
    Figures = StoreFigures();
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

void Tfdb::ShowMovementsOfDay(const QDate &day)
{
    if (!db_STOCK->isActive() || db_STOCK->isEditing())
        return;
    try {
        db_STOCK->setFilter(QStringLiteral("date_op=") + SqlDate(day));
        db_STOCK->setFiltered(true);
    } catch (const DatabaseError &) {
    }
}

void Tfdb::SetArticleFilter(const QString &text, bool dayOnly)
{
    FilterArticleText = text;
    FilterArticleDay = dayOnly;
    if (!db_ARTICLES->isActive() || db_ARTICLES->isEditing())
        return;
    try {
        db_ARTICLES->setFilter(QStringLiteral("code_art>0"));
        db_ARTICLES->setFiltered(!text.isEmpty() || dayOnly);
        db_ARTICLES->refresh();
    } catch (const DatabaseError &) {
    }
}

bool Tfdb::db_ARTICLESFilterRecord(const Dataset &articles) const
{
    if (Tag == 0)
        return true;
    const qint32 code = qint32(articles.intValue(QStringLiteral("CODE_ART")));
    return ArticleFilterAccepts(articles.textValue(QStringLiteral("DESIGNATION")), FilterArticleText, FilterArticleDay,
                                ListeDenrees ? ListeDenrees->FindDenree(code) : nullptr);
}

void Tfdb::db_ARTICLESAfterScroll()
{
    if (Tag == 0 || !ListeDenrees)
        return;
    const TDenree *d = nullptr;
    if (db_ARTICLES->isActive() && db_ARTICLES->recNo() >= 0)
        d = ListeDenrees->FindDenree(qint32(db_ARTICLES->intValue(QStringLiteral("CODE_ART"))));
    if (d) {
        const TTotaux &t = ListeDenrees->Totaux();
        const double total = t.valeurVeille() + t.entree_jour_valeur;
        Figures.quantiteVeille = FormatMontant(d->veille());
        Figures.quantiteVeilleEntrees = FormatMontant(d->veille() + d->entree_jour_quantite);
        Figures.quantiteRestes = FormatMontant(d->veille() + d->entree_jour_quantite - d->sortie_jour_quantite);
        Figures.valeurVeille = FormatMontant(t.valeurVeille());
        Figures.valeurEntrees = FormatMontant(t.entree_jour_valeur);
        Figures.total = FormatMontant(total);
        Figures.valeurSorties = FormatMontant(t.sortie_jour_valeur);
        Figures.valeurFinJournee = FormatMontant(total - t.sortie_jour_valeur);
    } else {
        Figures.quantiteVeille = Figures.quantiteVeilleEntrees = Figures.quantiteRestes = QStringLiteral("0.00");
    }
    emit figuresChanged();
}

void Tfdb::db_ARTICLESNewRecord(Dataset &articles)
{
    articles.setValue(QStringLiteral("CODE_ART"), nextNumber(*this, QStringLiteral("select max(code_art) as new from articles")));
    articles.setValue(QStringLiteral("DESIGNATION"), QString());
    articles.setValue(QStringLiteral("PU"), 0.0);
    articles.setValue(QStringLiteral("CODE_FOUR"), 0);
    articles.setValue(QStringLiteral("QT31DEC"), 0.0);
    articles.setValue(QStringLiteral("PU31DEC"), 0.0);
}

void Tfdb::db_ARTICLESAfterPost(Dataset &articles)
{
    if (ListeDenrees && articles.recNo() >= 0)
        ListeDenrees->Calculate(qint32(articles.intValue(QStringLiteral("CODE_ART"))));
    db_ARTICLESAfterScroll();
}

void Tfdb::db_STOCKNewRecord(Dataset &stock)
{
    const double a = NumberFromSql(db_ARTICLES->value(QStringLiteral("PU"))).value_or(1.0);
    const double b = NumberFromSql(db_ARTICLES->value(QStringLiteral("PU31DEC"))).value_or(1.0);
    const QDate day = ListeDenrees ? ListeDenrees->DateJour() : ValidateDate(QDate::currentDate());
    stock.setValue(QStringLiteral("NUM_MVT"), nextNumber(*this, QStringLiteral("select max(num_mvt) as new from stock")));
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

void Tfdb::db_STOCKBeforePost(Dataset &stock)
{
    const qint64 code = stock.intValue(QStringLiteral("CODE_ART"));
    const int nature = int(stock.intValue(QStringLiteral("NAT_OP")));
    const bool inserting = stock.state() == Dataset::State::Insert;
    const qint64 number = stock.isNull(QStringLiteral("NUM_MVT")) ? -1 : stock.intValue(QStringLiteral("NUM_MVT"));

    // An exit never takes the article's stock at the end of its day below zero, whatever window posts it.
    if (nature >= kNatureSortie) {
        const QDate day = stock.dateValue(QStringLiteral("DATE_OP"));
        const double before = StockAtEndOfDay(*this, code, day.isValid() ? day : ValidateDate(QDate()),
                                              inserting ? -1 : number);
        const double quantite = NumberFromSql(stock.value(QStringLiteral("QUANTITE"))).value_or(0);
        if (RoundStock(before - quantite) < 0)
            throw DatabaseError(QString::fromUtf8(kStockNegatifRefuse));
    }

    // The number was taken when the row was created; another movement posted since then may hold it, and
    // a movement that is typed must not be lost to a duplicate key.
    if (inserting && number >= 0) {
        QSqlQuery taken(database());
        taken.prepare(QStringLiteral("select 1 from stock where num_mvt=?"));
        taken.addBindValue(number);
        if (taken.exec() && taken.next())
            stock.setValue(QStringLiteral("NUM_MVT"), nextNumber(*this, QStringLiteral("select max(num_mvt) as new from stock")));
    }

    const double p = NumberFromSql(stock.value(QStringLiteral("PU"))).value_or(0);
    const double q = NumberFromSql(db_ARTICLES->value(QStringLiteral("PU"))).value_or(0);
    if (p != 0 && p != q)
        Execute(QStringLiteral("update articles set pu=") + FormatMontantSaisie(p) + QStringLiteral(" where code_art=")
                + QString::number(code));
}

void Tfdb::db_STOCKAfterPost(Dataset &)
{
    if (ListeDenrees && db_ARTICLES->recNo() >= 0)
        ListeDenrees->Calculate(qint32(db_ARTICLES->intValue(QStringLiteral("CODE_ART"))));
    db_ARTICLESAfterScroll();
    if (!db_ARTICLES->isEditing()) {
        try {
            db_ARTICLES->refresh();
        } catch (const DatabaseError &) {
        }
    }
}

} // namespace zelvane
