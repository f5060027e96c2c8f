#include "cli/Command.h"

#include "common/Format.h"
#include "common/MontantEnLettres.h"

#include <QIODevice>

namespace zelvane {

namespace {

// The amount in words that invoices print, between square brackets so that its spaces show.
class AmountInWords : public Command
{
public:
    AmountInWords()
        : Command(QStringLiteral("amount-in-words"), QStringLiteral("AMOUNT"),
                  QStringLiteral("Prints the amount in French words as invoices write it, between square\n"
                                 "brackets (the spaces are part of it). A negative amount (after --) gives\n"
                                 "an empty text."))
    {
    }

protected:
    void addOptions(QCommandLineParser &parser) override
    {
        parser.addPositionalArgument(QStringLiteral("AMOUNT"), QStringLiteral("The amount, with a point."));
    }

    int execute(const QCommandLineParser &parser, QIODevice &out) override
    {
        const QStringList arguments = parser.positionalArguments();
        if (arguments.size() != 1)
            throw CommandFailure{QStringLiteral("amount-in-words needs exactly one AMOUNT")};
        const std::optional<double> amount = ParseNumber(arguments.first());
        if (!amount)
            throw CommandFailure{QStringLiteral("%1 is not an amount").arg(arguments.first())};
        if (*amount >= 1e12)
            throw CommandFailure{QStringLiteral("%1 is beyond the amounts written in words").arg(arguments.first())};
        out.write(
            (QLatin1Char('[') + MontantEnLettres(QStringLiteral("FR"), *amount) + QStringLiteral("]\n")).toUtf8());
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> MakeAmountInWordsCommand() { return std::make_unique<AmountInWords>(); }

} // namespace zelvane
