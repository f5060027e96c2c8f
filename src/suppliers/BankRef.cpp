#include "suppliers/BankRef.h"

#include "common/Format.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "common/WorkFiles.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace zelvane {

namespace {

const QString kInfoHeader = QStringLiteral("[#QV.ATCI.BANK.REF.INFO]");
const QString kBankSection = QStringLiteral("[#BANQUE]");
const QString kAgencySection = QStringLiteral("[#BANQUE.AGENCE]");
// A referential holds a few thousand lines; anything much larger is not one and is not read.
constexpr qint64 kLargestFile = 16 << 20;

// The text of a referential file: UTF-8, or the Windows-1252 older copies were written in.
bool readFileText(const QString &path, QString &text)
{
    QString ignored;
    return ReadTextFile(path, kLargestFile, &text, &ignored);
}

QStringList linesOf(const QString &text) { return text.split(QLatin1Char('\n')); }

bool sameText(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

int indexIgnoringCase(const QStringList &list, const QString &text)
{
    for (int i = 0; i < list.size(); ++i) {
        if (sameText(list.at(i), text))
            return i;
    }
    return -1;
}

// A field can be written when it cannot break the line it goes in.
bool writable(const QStringList &fields)
{
    return std::none_of(fields.cbegin(), fields.cend(), [](const QString &f) {
        return f.contains(QLatin1Char(';')) || f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r'));
    });
}

QString agencyKey(const TATCI_Agenceinf &a) { return (a.Banque ? a.Banque->Code : QString()) + a.Code; }

bool isDecimalDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

} // namespace

TBankRef::TBankRef()
    : TBankRef(ProgramDataFile(QString::fromLatin1(kBankRefFileName)),
               WindowsDir() + QLatin1Char('/') + QString::fromLatin1(kBankRefFileName))
{
}

TBankRef::TBankRef(const QString &local, const QString &system) { load(local, system); }

std::unique_ptr<TBankRef> TBankRef::empty() { return std::unique_ptr<TBankRef>(new TBankRef(0)); }

TBankRef::~TBankRef() = default;

void TBankRef::load(const QString &local, const QString &system)
{
    const QString vl = local.isEmpty() ? QString() : ReadRefVersion(local);
    QString vs = ReadRefVersion(system);
    if (vl.isEmpty() && vs.isEmpty())
        return;

    bool useLocal = false;
    if (vl > vs) {
        // A newer delivered copy replaces the user's, unless it holds no bank at all: an empty or broken
        // delivery must not wipe a referential the user relies on.
        TBankRef delivered(0);
        QString text;
        const bool readable = readFileText(local, text);
        if (readable)
            delivered.readText(text);
        if (readable && !delivered.Banques.empty()) {
            if (CopyFileOver(local, system))
                vs = vl;
            else
                useLocal = true;
        } else if (vs.isEmpty()) {
            useLocal = true;
        }
    }
    if (!useLocal && !vs.isEmpty() && QFileInfo(system).isFile()) {
        FileName = system;
        Version = vs;
        IsLocal = false;
    } else if (!vl.isEmpty() && QFileInfo(local).isFile()) {
        FileName = local;
        Version = vl;
        IsLocal = true;
    } else {
        return;
    }

    QString text;
    if (readFileText(FileName, text))
        readText(text);
    SortRef();
}

void TBankRef::readText(const QString &text)
{
    enum class Section { None, Banks, Agencies } section = Section::None;
    for (const QString &raw : linesOf(text)) {
        const QString line = raw.trimmed();
        if (line == kBankSection)
            section = Section::Banks;
        else if (line == kAgencySection)
            section = Section::Agencies;
        else if (line.indexOf(QLatin1Char(';')) == 3 && section == Section::Banks)
            readBankLine(line);
        else if (line.indexOf(QLatin1Char(';')) == 3 && section == Section::Agencies)
            readAgencyLine(line);
    }
}

void TBankRef::readBankLine(QString line)
{
    TATCI_bankinf bank;
    bank.Code = NextToken(line, QLatin1Char(';')).left(3);
    bank.Nom = NextToken(line, QLatin1Char(';'));
    bank.Description = NextToken(line, QLatin1Char(';'));
    bank.Siege = NextToken(line, QLatin1Char(';'));
    bank.Tel = NextToken(line, QLatin1Char(';'));
    // The last field of a line: blanks after it would not survive the line's trimming when read again.
    bank.Fax = NextToken(line, QLatin1Char(';')).trimmed();
    appendBanque(bank);
}

void TBankRef::readAgencyLine(QString line)
{
    const QString bankCode = NextToken(line, QLatin1Char(';'));
    if (!ParseInteger(bankCode))
        return;
    TATCI_bankinf *bank = FindBanque(bankCode);
    if (!bank) {
        readBankLine(bankCode + QStringLiteral(";???;????;????;????"));
        bank = Banques.back().get();
    }
    TATCI_Agenceinf agence;
    agence.Banque = bank;
    agence.Code = NextToken(line, QLatin1Char(';')).left(5);
    agence.Nom = NextToken(line, QLatin1Char(';'));
    agence.Adresse = NextToken(line, QLatin1Char(';'));
    agence.CodePostal = NextToken(line, QLatin1Char(';')).trimmed();
    insertAgence(int(Agences.size()), agence);
}

TATCI_bankinf *TBankRef::FindBanque(const QString &code) const
{
    // Both sides trimmed: an agency line "12 ;..." finds the bank its first line made, not a new one each time.
    const QString wanted = code.trimmed();
    for (int k = 0; k < Codes.size(); ++k) {
        if (sameText(Codes.at(k).trimmed(), wanted))
            return BanqueAt(k);
    }
    return nullptr;
}

TATCI_bankinf *TBankRef::BanqueAt(int k) const
{
    return k >= 0 && k < int(Banques.size()) ? Banques[size_t(k)].get() : nullptr;
}

TATCI_Agenceinf *TBankRef::FindAgence(const QString &key) const
{
    const int k = indexIgnoringCase(Keys, key);
    return k >= 0 ? Agences[size_t(k)].get() : nullptr;
}

TATCI_Agenceinf *TBankRef::FirstAgence(const QString &bankCode) const
{
    const QString bank = bankCode.left(3);
    for (const auto &a : Agences) {
        if (a->Banque && sameText(a->Banque->Code, bank))
            return a.get();
    }
    return nullptr;
}

TATCI_Agenceinf *TBankRef::PrevAgence(const QString &key) const
{
    const int k = indexIgnoringCase(Keys, key);
    if (k <= 0)
        return nullptr;
    TATCI_Agenceinf *prev = Agences[size_t(k - 1)].get();
    return prev->Banque && sameText(prev->Banque->Code, key.left(3)) ? prev : nullptr;
}

TATCI_Agenceinf *TBankRef::NextAgence(const QString &key) const
{
    const int k = indexIgnoringCase(Keys, key);
    if (k < 0 || k + 1 >= int(Agences.size()))
        return nullptr;
    TATCI_Agenceinf *next = Agences[size_t(k + 1)].get();
    return next->Banque && sameText(next->Banque->Code, key.left(3)) ? next : nullptr;
}

int TBankRef::indexOfAgence(const TATCI_Agenceinf *agence) const
{
    for (size_t k = 0; k < Agences.size(); ++k) {
        if (Agences[k].get() == agence)
            return int(k);
    }
    return -1;
}

void TBankRef::SortRef()
{
    std::stable_sort(Banques.begin(), Banques.end(), [](const auto &a, const auto &b) { return a->Code < b->Code; });
    const auto sortKey = [](const TATCI_Agenceinf &a) {
        return (a.Banque ? a.Banque->Code : QString()) + QLatin1Char('.') + a.Code;
    };
    std::stable_sort(Agences.begin(), Agences.end(),
                     [&sortKey](const auto &a, const auto &b) { return sortKey(*a) < sortKey(*b); });
    rebuildCodes();
}

void TBankRef::rebuildCodes()
{
    Codes.clear();
    for (const auto &b : Banques)
        Codes << b->Code;
    Keys.clear();
    for (const auto &a : Agences)
        Keys << agencyKey(*a);
}

QByteArray TBankRef::fileBytes() const
{
    QStringList lines = {kInfoHeader,
                         QStringLiteral("VERSION=") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")),
                         QStringLiteral("AUTHOR=Zelvane"), kBankSection};
    QSet<const TATCI_bankinf *> written;
    for (const auto &b : Banques) {
        const QStringList fields = {b->Code, b->Nom, b->Description, b->Siege, b->Tel, b->Fax};
        if (writable(fields)) {
            lines << fields.join(QLatin1Char(';'));
            written.insert(b.get());
        }
    }
    lines << kAgencySection;
    for (const auto &a : Agences) {
        // An agency whose bank was left out would come back under a placeholder bank.
        const QStringList fields = {a->Banque ? a->Banque->Code : QString(), a->Code, a->Nom, a->Adresse,
                                    a->CodePostal};
        if (written.contains(a->Banque) && writable(fields))
            lines << fields.join(QLatin1Char(';'));
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

bool TBankRef::SaveRef(const QString &path) const
{
    const QByteArray bytes = fileBytes();
    ClearFileAttributes(path);
    WorkFile out(path);
    QString error;
    return out.open(&error) && out.device().write(bytes) == bytes.size() && out.commit(&error);
}

QString TBankRef::ReadRefVersion(const QString &path)
{
    QString text;
    if (!QFileInfo(path).isFile() || !readFileText(path, text))
        return {};
    return versionOf(text);
}

QString TBankRef::versionOf(const QString &text)
{
    const QStringList lines = linesOf(text);
    for (int i = 0; i + 1 < lines.size(); ++i) {
        if (!sameText(lines.at(i).trimmed(), kInfoHeader))
            continue;
        const QString next = lines.at(i + 1).trimmed();
        if (!next.startsWith(QStringLiteral("VERSION")))
            return {};
        const qsizetype equal = next.indexOf(QLatin1Char('='));
        return equal < 0 ? QString() : next.mid(equal + 1).trimmed();
    }
    return {};
}

TATCI_bankinf *TBankRef::appendBanque(const TATCI_bankinf &bank)
{
    Banques.push_back(std::make_unique<TATCI_bankinf>(bank));
    Codes << bank.Code;
    return Banques.back().get();
}

TATCI_Agenceinf *TBankRef::insertAgence(int position, const TATCI_Agenceinf &agence)
{
    position = std::clamp(position, 0, int(Agences.size()));
    auto it = Agences.insert(Agences.begin() + position, std::make_unique<TATCI_Agenceinf>(agence));
    Keys.insert(position, agencyKey(agence));
    return it->get();
}

void TBankRef::removeAgence(const TATCI_Agenceinf *agence)
{
    const int k = indexOfAgence(agence);
    if (k < 0)
        return;
    Agences.erase(Agences.begin() + k);
    Keys.removeAt(k);
}

void TBankRef::removeBanque(const TATCI_bankinf *bank)
{
    for (int k = int(Agences.size()) - 1; k >= 0; --k) {
        if (Agences[size_t(k)]->Banque == bank)
            removeAgence(Agences[size_t(k)].get());
    }
    for (size_t k = 0; k < Banques.size(); ++k) {
        if (Banques[k].get() == bank) {
            Banques.erase(Banques.begin() + qsizetype(k));
            Codes.removeAt(qsizetype(k));
            return;
        }
    }
}

TBankRef &BankRef()
{
    static TBankRef referential;
    return referential;
}

QString CleRIB(const QString &bankCode, const QString &agencyCode, const QString &account)
{
    if (bankCode == QLatin1String("000"))
        return CleCCP(account);
    return CleBancaire(agencyCode + account);
}

QString CleBancaire(const QString &digits)
{
    int r = 0;
    for (const QChar c : digits) {
        if (!isDecimalDigit(c))
            return {};
        r = (r * 10 + (c.unicode() - '0')) % 97;
    }
    r = (r * 100) % 97; // the two zeros written after the number
    return twoDigits(97 - r);
}

QString CleCCP(const QString &account)
{
    QList<int> digits;
    for (const QChar c : account) {
        if (isDecimalDigit(c))
            digits << c.unicode() - '0';
    }
    const int n = int(digits.size());
    int s = 0;
    for (int i = 0; i < n; ++i)
        s = (s + digits.at(i) * (n - i - 1 + 4)) % 100;
    return twoDigits(s);
}

QString CheckRIB(const QString &bankCode, const QString &agencyCode, const QString &key, const QString &account)
{
    if (bankCode.size() != 3)
        return QStringLiteral("Code Banque erroné");
    if (agencyCode.size() != 5)
        return QStringLiteral("Code Agence erroné");
    if (account.size() == 10)
        return CleRIB(bankCode, agencyCode, account) == key ? QString() : QStringLiteral("Clé de Contrôle erronée");
    return QStringLiteral("Numéro du compte erroné");
}

} // namespace zelvane
