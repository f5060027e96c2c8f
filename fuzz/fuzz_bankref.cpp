// Reads any bytes as the text of a bank referential file, checks that the referential stays consistent,
// and that what SaveRef writes reads back to the same referential.
#include "common/TextFile.h"
#include "suppliers/BankRef.h"

#include <cstdlib>

using namespace zelvane;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkAligned(const TBankRef &ref)
{
    require(int(ref.Banques.size()) == ref.Codes.size());
    require(int(ref.Agences.size()) == ref.Keys.size());
    for (size_t k = 0; k < ref.Banques.size(); ++k)
        require(ref.Codes.at(qsizetype(k)) == ref.Banques[k]->Code && ref.Banques[k]->Code.size() <= 3);
    for (size_t k = 0; k < ref.Agences.size(); ++k) {
        const TATCI_Agenceinf &a = *ref.Agences[k];
        require(a.Banque && ref.Keys.at(qsizetype(k)) == a.Banque->Code + a.Code && a.Code.size() <= 5);
        bool owned = false;
        for (const auto &b : ref.Banques)
            owned = owned || b.get() == a.Banque;
        require(owned);
    }
}

bool lineBreakIn(const TBankRef &ref)
{
    const auto broken = [](const QString &s) { return s.contains(QLatin1Char('\r')); };
    for (const auto &b : ref.Banques) {
        if (broken(b->Code) || broken(b->Nom) || broken(b->Description) || broken(b->Siege) || broken(b->Tel)
            || broken(b->Fax))
            return true;
    }
    for (const auto &a : ref.Agences) {
        if (broken(a->Code) || broken(a->Nom) || broken(a->Adresse) || broken(a->CodePostal))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = DecodeText(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    TBankRef::versionOf(text);
    auto ref = TBankRef::empty();
    ref->readText(text);
    ref->SortRef();
    checkAligned(*ref);
    for (const QString &key : std::as_const(ref->Keys)) {
        ref->PrevAgence(key);
        ref->NextAgence(key);
        ref->FirstAgence(key);
    }
    if (lineBreakIn(*ref))
        return 0;

    // What SaveRef would write reads back to the same referential.
    auto again = TBankRef::empty();
    again->readText(DecodeText(ref->fileBytes()));
    again->SortRef();
    checkAligned(*again);
    require(again->Codes == ref->Codes && again->Keys == ref->Keys);
    for (size_t k = 0; k < ref->Banques.size(); ++k)
        require(again->Banques[k]->Nom == ref->Banques[k]->Nom && again->Banques[k]->Fax == ref->Banques[k]->Fax);
    for (size_t k = 0; k < ref->Agences.size(); ++k)
        require(again->Agences[k]->CodePostal == ref->Agences[k]->CodePostal);
    return 0;
}
