#pragma once

#include "print/ReportDocument.h"

#include <QDate>

namespace zelvane {

class Tfdb;
struct DocumentSpec;

namespace doc {
inline constexpr qint32 StockParArticle = 13;
} // namespace doc

// Movements per article, day and price over a period ("STOCK PAR ARTICLE"); article 0 for every article.
ReportDocument MakeStockParArticle(Tfdb &db, qint32 article, const QDate &from, const QDate &to, const QDate &madeOn);

// The stock by article of the article, period and "Fait le" typed, every article proposed.
DocumentSpec StockParArticleDocument();

} // namespace zelvane
