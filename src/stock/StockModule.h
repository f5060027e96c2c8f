#pragma once

#include "db/Dataset.h"
#include "db/Module.h"
#include "stock/ListeDenrees.h"

#include <QDate>
#include <memory>

namespace zelvane {

// The store figures of the summary tree for the sheet of liste with article current; all zero without
// an article.
StoreFigures ComputeStoreFigures(const TListeDenrees &liste, const TDenree *article);

// The daily store's part of the data module: the article and movement datasets with their rules, and
// while a file is connected the sheet of the selected day (TListeDenrees) with the store figures of the
// current article.
class StockModule : public Module
{
    Q_OBJECT

public:
    explicit StockModule(Tfdb &db);
    ~StockModule() override;

    Dataset *const db_ARTICLES;
    Dataset *const db_STOCK;

    void connected() override;
    void disconnected() override;

    // The sheet of the selected day; nullptr while no file is connected.
    TListeDenrees *ListeDenrees() const { return m_liste.get(); }
    // What the last article scroll computed.
    const StoreFigures &Figures() const { return m_figures; }
    // The day of the sheet; the data module's selected day.
    QDate DateJour() const;

    // Sets the article grid filter and refreshes the grid.
    void SetArticleFilter(const QString &text, bool dayOnly);

    // Recalculates one article after its movements or opening stock changed, then the figures and grid.
    void ArticleChanged(qint32 code);

signals:
    void figuresChanged(); // Figures were rewritten: repaint the summary tree
    void dayChanged();     // a new day was computed: repaint the article grid

private:
    void attachRules();
    void showDay(const QDate &day);
    void showMovementsOfDay(const QDate &day);
    void computeFigures();
    bool acceptsArticle(const Dataset &articles) const;
    void newArticle(Dataset &articles);
    void newMovement(Dataset &stock);
    void checkMovement(Dataset &stock);
    void movementWritten();

    std::unique_ptr<TListeDenrees> m_liste;
    StoreFigures m_figures;
    QString m_filterText;
    bool m_filterDay = false;
    std::vector<Dataset::Rule::Subscription> m_rules;
};

} // namespace zelvane
