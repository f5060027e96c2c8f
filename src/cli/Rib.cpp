#include "cli/Command.h"

#include "suppliers/BankRef.h"

#include <QIODevice>

namespace zelvane {

namespace {

// Checks one account identifier as the bank details window does, for scripts checking lists of accounts.
class Rib : public Command
{
public:
    Rib()
        : Command(QStringLiteral("rib"), QStringLiteral("BANK AGENCY ACCOUNT [KEY]"),
                  QStringLiteral("Prints the control key of the account, then what is wrong with it (or OK),\n"
                                 "then the names of its bank and agency in the bank referential. Without KEY\n"
                                 "the computed key is taken. Exit status 0 when the account is correct, 1\n"
                                 "when it is not, 2 on bad usage. A treasury account (BANK TRS) has no key."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("BANK"), QStringLiteral("Bank code, 3 digits."));
        parser.addPositionalArgument(QStringLiteral("AGENCY"), QStringLiteral("Agency code, 5 digits."));
        parser.addPositionalArgument(QStringLiteral("ACCOUNT"), QStringLiteral("Account number, 10 characters."));
        parser.addPositionalArgument(QStringLiteral("KEY"), QStringLiteral("Control key, 2 digits."),
                                     QStringLiteral("[KEY]"));
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        const QStringList args = parser.positionalArguments();
        if (args.size() < 3 || args.size() > 4)
            throw CommandFailure{QStringLiteral("rib needs BANK AGENCY ACCOUNT [KEY]"), 2};
        const QString bank = args.at(0).trimmed(), agency = args.at(1).trimmed(), account = args.at(2).trimmed();
        const bool treasury = bank.toUpper() == QLatin1String("TRS");
        const QString computed = treasury ? QString() : CleRIB(bank, agency, account);
        const QString key = args.size() == 4 ? args.at(3).trimmed() : computed;
        const QString message = treasury ? QString() : CheckRIB(bank, agency, key, account);

        const TBankRef &ref = BankRef();
        const TATCI_bankinf *b = ref.FindBanque(bank);
        const TATCI_Agenceinf *a = ref.FindAgence(bank + agency);
        QString text = computed + QLatin1Char('\n') + (message.isEmpty() ? QStringLiteral("OK") : message)
                       + QLatin1Char('\n');
        text += QStringLiteral("Banque %1 : %2\n").arg(bank, b ? b->Nom : QStringLiteral("inconnue du référentiel"));
        if (!treasury)
            text += QStringLiteral("Agence %1 : %2\n")
                        .arg(agency, a ? a->Nom : QStringLiteral("inconnue du référentiel"));
        out.write(text.toUtf8());
        return message.isEmpty() ? 0 : 1;
    }
};

} // namespace

std::unique_ptr<Command> MakeRibCommand() { return std::make_unique<Rib>(); }

} // namespace zelvane
