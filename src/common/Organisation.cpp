#include "common/Organisation.h"

#include "common/Library.h"
#include "common/Paths.h"
#include "common/Profile.h"

#include <QFile>

namespace zelvane {

namespace {

const char *const kFrKeys[3] = {"HEADING1_FR", "HEADING2_FR", "HEADING3_FR"};
const char *const kArKeys[3] = {"HEADING1_AR", "HEADING2_AR", "HEADING3_AR"};

} // namespace

QString OrganisationIdentity::filePath() { return BaseDir() + QStringLiteral("/Etablissement.txt"); }

OrganisationIdentity OrganisationIdentity::load()
{
    const TQVProfile file(filePath());
    OrganisationIdentity id;
    id.kindCode = file.ReadValue(QStringLiteral("KIND"));
    for (int i = 0; i < 3; ++i) {
        id.headingFr[i] = file.ReadValue(QLatin1String(kFrKeys[i]));
        id.headingAr[i] = file.ReadValue(QLatin1String(kArKeys[i]));
    }
    id.wilaya = file.ReadValue(QStringLiteral("WILAYA"));
    id.town = file.ReadValue(QStringLiteral("TOWN"));
    return id;
}

bool OrganisationIdentity::save() const
{
    // Every key is written (an empty value removes its line) in one replacement of the file, so that the
    // identity is never lost halfway.
    QList<std::pair<QString, QString>> values{{QStringLiteral("KIND"), kindCode.trimmed()}};
    for (int i = 0; i < 3; ++i) {
        values.append({QLatin1String(kFrKeys[i]), headingFr[i].trimmed()});
        values.append({QLatin1String(kArKeys[i]), headingAr[i].trimmed()});
    }
    values.append({QStringLiteral("WILAYA"), wilaya.trimmed()});
    values.append({QStringLiteral("TOWN"), town.trimmed()});
    return TQVProfile(filePath()).WriteValues(values);
}

OrganisationIdentity &Organisation() { return Library::instance().organisation(); }

void OrganisationHeading(QString *line1, QString *line2, QString *line3, const QString &language)
{
    const OrganisationIdentity &id = Organisation();
    const bool arabic = language == QLatin1String("AR");
    const QString *lines = arabic ? id.headingAr : id.headingFr;
    if (line1)
        *line1 = lines[0];
    if (line2)
        *line2 = lines[1];
    if (line3)
        *line3 = lines[2];
    if (line1 && *line1 == QLatin1String("RARAZ-AZUR"))
        *line1 = arabic ? QStringLiteral("وزارة التعليم العالي و البحث العلمي")
                        : QStringLiteral("MINISTERE DE L'ENSEIGNEMENT SUPPERIEUR ET DE LA RECHERCHE SCIENTIFIQUE");
}

} // namespace zelvane
