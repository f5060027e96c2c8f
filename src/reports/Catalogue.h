#pragma once

#include "reports/DocumentSpec.h"

#include <QList>
#include <QStringList>

namespace zelvane {

// The kind of establishment that also prints the canteen's own sheets.
inline constexpr int kOrganismeCantine = 4;

// Every document of this program in list order, with a separator (code 0) between groups.
const QList<DocumentSpec> &AllDocuments();

// The documents an establishment lists: the canteen's sheets for organisme 4 only, and no separator at
// either end or after another where a group is left empty.
QList<DocumentSpec> BuildCatalogue(int organisme);

// The document of code among documents; nullptr when none has it.
const DocumentSpec *FindDocument(const QList<DocumentSpec> &documents, qint32 code);

// The lines of the list: a separator is 100 "-", a document "NN - name", numbered from 01 over the
// documents only.
QStringList CatalogueLines(const QList<DocumentSpec> &documents, bool arabic = false);

} // namespace zelvane
