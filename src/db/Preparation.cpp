#include "db/Preparation.h"

#include <QDir>
#include <QFileInfo>

namespace zelvane {

QString NouveauFichier(const QString &folder, const QString &year)
{
    const QDir dir(folder);
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("DOS%1_%2.MDB").arg(n).arg(year.trimmed());
        if (!QFileInfo::exists(dir.filePath(name)))
            return name;
    }
}

} // namespace zelvane

namespace zelvane {

ScriptedPreparationForm::ScriptedPreparationForm(QStringList *asked)
    : m_asked(asked)
{
    Form<PreparationForm>::install(this);
}

ScriptedPreparationForm::~ScriptedPreparationForm() { Form<PreparationForm>::uninstall(this); }

std::optional<PreparationAnswer> ScriptedPreparationForm::prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                                         const QString &folder)
{
    lastKinds = kinds;
    lastFolder = folder;
    if (m_asked)
        *m_asked << QStringLiteral("prepare");
    return TakeAnswer(preparations, std::optional<PreparationAnswer>());
}

} // namespace zelvane
