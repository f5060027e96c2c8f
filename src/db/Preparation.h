#pragma once

#include "common/Form.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace zelvane {

// The proposed name of a new management file in folder: "DOS" + n + "_" + year + ".MDB", n the smallest
// number from 1 that names no existing file.
QString NouveauFichier(const QString &folder, const QString &year);

// One kind of establishment offered by the preparation window.
struct EstablishmentKind
{
    QString code; // the text of the "Num" column
    QString libelle;
    QString ministere;
};

// What the preparation window returns when it was accepted.
struct PreparationAnswer
{
    int kind = 1;
    QString year;
    QString fileName;
};

// The preparation window of a new management file.
class PreparationForm
{
public:
    virtual ~PreparationForm() = default;
    // The kind, year and file name chosen for a file in folder; nullopt when cancelled.
    virtual std::optional<PreparationAnswer> prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                            const QString &folder) = 0;
};

// Preparations answered in advance, in turn; not prepared when none is left. Installed while it lives;
// each window opened is recorded in asked, when given, as "prepare".
class ScriptedPreparationForm : public PreparationForm
{
public:
    explicit ScriptedPreparationForm(QStringList *asked = nullptr);
    ~ScriptedPreparationForm() override;
    std::optional<PreparationAnswer> prepareNewFile(const QList<EstablishmentKind> &kinds,
                                                    const QString &folder) override;

    std::deque<std::optional<PreparationAnswer>> preparations;
    QList<EstablishmentKind> lastKinds;
    QString lastFolder;

private:
    QStringList *m_asked;
};

} // namespace zelvane
