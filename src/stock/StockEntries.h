#pragma once

#include "common/Form.h"
#include "db/Entry.h"
#include "stock/ListeDenrees.h"
#include "stock/Movements.h"

#include <QStringList>
#include <QVariantMap>
#include <deque>
#include <optional>

namespace zelvane {

class StockModule;
class Tfdb;
class TControleStock;

// The article window, on the current row of db_ARTICLES in insert or edit state. True when accepted.
class ArticleForm
{
public:
    virtual ~ArticleForm() = default;
    virtual bool editArticle(StockModule &stock, EntryMode mode) = 0;
};

// The movement window, on the current row of db_STOCK in insert or edit state. before is the article's
// stock without this movement; lots are built for this entry and follow what is typed. True when accepted.
class MovementForm
{
public:
    virtual ~MovementForm() = default;
    virtual bool editMovement(StockModule &stock, EntryMode mode, const ArticleStock &before, TControleStock &lots) = 0;
};

// The supplier window opened by the movement window on a new supplier (the suppliers subsystem installs
// it): the number of the supplier saved, nullopt when the window was cancelled.
class NewSupplierForm
{
public:
    virtual ~NewSupplierForm() = default;
    virtual std::optional<qint64> addSupplier(Tfdb &db) = 0;
};

// Adds an article, or modifies the current one. A code held by another article is refused with a
// message and the form runs again on what was typed. True when it was saved.
bool EditArticle(StockModule &stock, EntryMode mode);
// Adds a movement of nature (10 entry, 22 exit) to the current article, or modifies the current
// movement. An exit of an article without stock says so and opens nothing. True when the movement was saved.
bool EditMouvement(StockModule &stock, EntryMode mode, int nature = kNatureEntree);

// The article and movement windows answered in advance: each answer writes its fields into the row and
// accepts it, nullopt cancels; with none left the window is cancelled. Installed while it lives; every
// window opened is recorded in asked, when given, as "article" or "movement".
class ScriptedStockForms : public ArticleForm, public MovementForm
{
public:
    explicit ScriptedStockForms(QStringList *asked = nullptr);
    ~ScriptedStockForms() override;

    bool editArticle(StockModule &stock, EntryMode mode) override;
    bool editMovement(StockModule &stock, EntryMode mode, const ArticleStock &before, TControleStock &lots) override;

    std::deque<std::optional<QVariantMap>> articles;
    std::deque<std::optional<QVariantMap>> movements;
    ArticleStock lastStockBefore; // what the last movement window was given

private:
    QStringList *m_asked;
};

} // namespace zelvane
