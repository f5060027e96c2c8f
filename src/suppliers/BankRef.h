#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace zelvane {

// One bank of the interbank clearing system.
struct TATCI_bankinf
{
    QString Code; // at most 3 characters
    QString Nom;
    QString Description; // shown as "Banque mère"
    QString Siege;
    QString Tel;
    QString Fax;
};

// One agency; its bank belongs to the referential.
struct TATCI_Agenceinf
{
    TATCI_bankinf *Banque = nullptr;
    QString Code; // at most 5 characters
    QString Nom;
    QString Adresse;
    QString CodePostal;
};

inline constexpr auto kBankRefFileName = "qv.atci.bank.ref";

// The referential of the banks and agencies operating in the clearing system, read from a text file:
//   [#QV.ATCI.BANK.REF.INFO] / VERSION=YYYYMMDD / AUTHOR=... / [#BANQUE] / code;nom;description;siege;tel;fax
//   ... / [#BANQUE.AGENCE] / banque;agence;nom;adresse;code postal ...
// Two copies exist: the one delivered with the program (local) and the user's own (system), next to the
// management files; the newer is loaded, the delivered one being copied over the user's when newer.
// Banques/Codes and Agences/Keys stay aligned pairs through every change.
class TBankRef
{
public:
    // Loads the user's copy and the delivered one, as the program does at start.
    TBankRef();
    // Loads from the two given copies (either may be missing).
    TBankRef(const QString &local, const QString &system);
    // An empty referential.
    static std::unique_ptr<TBankRef> empty();
    ~TBankRef();

    QString FileName;
    QString Version;
    bool IsLocal = false;
    std::vector<std::unique_ptr<TATCI_bankinf>> Banques;
    QStringList Codes;
    std::vector<std::unique_ptr<TATCI_Agenceinf>> Agences;
    QStringList Keys;

    bool HasAgences() const { return !Agences.empty(); }
    TATCI_bankinf *FindBanque(const QString &code) const;
    TATCI_bankinf *BanqueAt(int k) const;
    TATCI_Agenceinf *FindAgence(const QString &key) const;
    TATCI_Agenceinf *FirstAgence(const QString &bankCode) const;
    TATCI_Agenceinf *PrevAgence(const QString &key) const;
    TATCI_Agenceinf *NextAgence(const QString &key) const;
    int indexOfAgence(const TATCI_Agenceinf *agence) const;

    void SortRef();
    // Writes the referential to path through a new file moved into place; false when it could not be
    // written (the file at path is then as it was). Records whose line cannot be formed are skipped.
    bool SaveRef(const QString &path) const;
    // The VERSION of the file's information header; empty when there is none or the file cannot be read.
    static QString ReadRefVersion(const QString &path);

    // Reads the lines of a referential file into this (empty) referential.
    void readText(const QString &text);
    // The version of a referential file's text (see ReadRefVersion).
    static QString versionOf(const QString &text);
    // The file SaveRef writes: info header, banks, agencies, lines ended by CR LF.
    QByteArray fileBytes() const;

    // Changes made by the bank details window; the pairs stay aligned.
    TATCI_bankinf *appendBanque(const TATCI_bankinf &bank);
    TATCI_Agenceinf *insertAgence(int position, const TATCI_Agenceinf &agence);
    // Removes a bank with the agencies still referring to it.
    void removeBanque(const TATCI_bankinf *bank);
    void removeAgence(const TATCI_Agenceinf *agence);
    // Rewrites the code lists after a record's code was edited.
    void rebuildCodes();

private:
    TBankRef(int) {}
    void load(const QString &local, const QString &system);
    void readBankLine(QString line);
    void readAgencyLine(QString line);
};

// The referential of the process, loaded at first use.
TBankRef &BankRef();

// Key of an account: the postal key for bank "000", otherwise the bank key of agency + account.
QString CleRIB(const QString &bankCode, const QString &agencyCode, const QString &account);
// 97 - ((N x 100) mod 97) of the digits N, two digits; empty when they hold anything but digits.
QString CleBancaire(const QString &digits);
// The postal key: digits weighted from 4 on the right upwards, sum mod 100, two digits.
QString CleCCP(const QString &account);
// Empty when the account is correct, otherwise the first thing wrong with it.
QString CheckRIB(const QString &bankCode, const QString &agencyCode, const QString &key, const QString &account);

} // namespace zelvane
