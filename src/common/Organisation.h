#pragma once

#include <QString>

namespace zelvane {

// The identity of the canteen's organisation printed at the head of the documents. It is kept in
// BaseDir/Etablissement.txt and entered in the options window.
struct OrganisationIdentity
{
    QString kindCode;     // "5" selects the additional lines of the Arabic monthly statement
    QString headingFr[3]; // ministry, directorate or office, establishment
    QString headingAr[3];
    QString wilaya;
    QString town; // written after "Fait à"

    static QString filePath();
    static OrganisationIdentity load();
    bool save() const;
};

// The identity read at start-up and kept for the run.
OrganisationIdentity &Organisation();

// Fills the given heading lines (any may be null) with the organisation's French lines, or the Arabic
// ones for language "AR".
void OrganisationHeading(QString *line1, QString *line2, QString *line3, const QString &language);

} // namespace zelvane
