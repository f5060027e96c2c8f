#include "stock/StockEntries.h"

#include "common/Prompter.h"
#include "db/Columns.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "stock/Articles.h"
#include "stock/ControleStock.h"
#include "stock/StockModule.h"

namespace zelvane {

bool EditArticle(StockModule &stock, EntryMode mode)
{
    ArticleForm *form = Form<ArticleForm>::current();
    if (!form)
        return false;
    Dataset *articles = stock.db_ARTICLES;
    // The code the article has in the file, read before the row is edited; none for a new one.
    const qint64 own = mode == EntryMode::Modify && !articles->isEmpty() ? articles->intValue(col::articles::CodeArt)
                                                                         : -1;
    auto run = [&] {
        // The table would refuse a code held by another article with a message the user cannot act on;
        // say it in words and let the form change it.
        while (form->editArticle(stock, mode)) {
            const qint64 code = articles->intValue(col::articles::CodeArt);
            if (!ArticleCodeTaken(stock.db(), code, own))
                return true;
            prompter().showMessage(ArticleCodeTakenText(code), {}, MessageIcon::Warning);
        }
        return false;
    };
    return RunEntry(stock.db(), *articles, mode, run);
}

bool EditMouvement(StockModule &stock, EntryMode mode, int nature)
{
    Dataset *movements = stock.db_STOCK;
    Dataset *articles = stock.db_ARTICLES;
    MovementForm *form = Form<MovementForm>::current();
    if (!form || !movements->isActive() || !articles->isActive())
        return false;
    // A movement always belongs to an article.
    if (articles->isEmpty() || articles->recNo() < 0)
        return false;

    const qint32 code = qint32(articles->intValue(col::articles::CodeArt));
    std::optional<StoredMovement> modified;
    if (mode == EntryMode::Modify && !movements->isEmpty())
        modified = StoredMovement{int(movements->intValue(col::stock::NatOp)),
                                  movements->doubleValue(col::stock::Quantite), movements->doubleValue(col::stock::Pu)};
    const ArticleStock before = StockOfArticle(stock.ListeDenrees(), code, modified);
    if (mode == EntryMode::Add && IsExitNature(nature) && !(before.quantite > 0)) {
        prompter().showMessage(QString::fromUtf8(kSortieSansStock), {}, MessageIcon::Information);
        return false;
    }

    std::optional<TControleStock> lots;
    auto start = [&](Dataset &row) {
        if (mode == EntryMode::Add)
            row.setValue(col::stock::NatOp, nature);
    };
    auto run = [&] {
        // Built once the row is being edited, so that the movement being modified is left out of its lots.
        if (!lots)
            lots = TControleStock::forCurrentMovement(stock);
        return form->editMovement(stock, mode, before, *lots);
    };
    return RunEntry(stock.db(), *movements, mode, run, start);
}

ScriptedStockForms::ScriptedStockForms(QStringList *asked)
    : m_asked(asked)
{
    Form<ArticleForm>::install(this);
    Form<MovementForm>::install(this);
}

ScriptedStockForms::~ScriptedStockForms()
{
    Form<ArticleForm>::uninstall(this);
    Form<MovementForm>::uninstall(this);
}

bool ScriptedStockForms::editArticle(StockModule &stock, EntryMode)
{
    if (m_asked)
        *m_asked << QStringLiteral("article");
    return AnswerEntry(articles, *stock.db_ARTICLES);
}

bool ScriptedStockForms::editMovement(StockModule &stock, EntryMode, const ArticleStock &before, TControleStock &)
{
    if (m_asked)
        *m_asked << QStringLiteral("movement");
    lastStockBefore = before;
    return AnswerEntry(movements, *stock.db_STOCK);
}

} // namespace zelvane
