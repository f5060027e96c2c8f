#include "db/Entry.h"

#include "common/Failure.h"
#include "common/Form.h"
#include "common/Prompter.h"
#include "db/DataModule.h"

namespace zelvane {

namespace {

QString refusal(const DatabaseError &error) { return QStringLiteral(" --- :") + error.message(); }

} // namespace

bool RunEntry(Tfdb &db, Dataset &dataset, EntryMode mode, const std::function<bool()> &runForm,
              const std::function<void(Dataset &)> &start)
{
    if (db.readOnly || !dataset.isActive())
        return false;
    if (mode == EntryMode::Modify && dataset.isEmpty())
        return false;
    try {
        if (mode == EntryMode::Add)
            dataset.append();
        else
            dataset.edit();
        if (start)
            start(dataset);
    } catch (const DatabaseError &error) {
        prompter().showMessage(refusal(error));
        if (dataset.isEditing())
            dataset.cancel();
        return false;
    }

    bool saved = false;
    while (!saved) {
        if (!runForm())
            break;
        try {
            dataset.post();
            saved = true;
        } catch (const DatabaseError &error) {
            prompter().showMessage(refusal(error));
        }
    }
    // A post reads the rows again itself; a cancelled entry may leave what its form wrote beside it.
    if (dataset.isEditing())
        dataset.cancel();
    if (!saved)
        IgnoreFailure("refresh after an entry", [&dataset] { dataset.refresh(); });
    return saved;
}

bool AnswerEntry(std::deque<std::optional<QVariantMap>> &answers, Dataset &dataset)
{
    const std::optional<QVariantMap> fields = TakeAnswer(answers, std::optional<QVariantMap>());
    if (!fields)
        return false;
    for (auto it = fields->cbegin(); it != fields->cend(); ++it)
        dataset.setValue(it.key(), it.value());
    return true;
}

} // namespace zelvane
