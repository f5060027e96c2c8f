#pragma once

#include <QVariantMap>
#include <deque>
#include <functional>
#include <optional>

namespace zelvane {

class Dataset;
class Tfdb;

enum class EntryMode { Add, Modify };

// The procedure shared by every entry window. Puts dataset in insert (a new row at the end) or edit
// state, lets start fill in what the command decides (a nature, a default), then runs the form. An
// accepted form is posted; a refused post says why and runs the form again on the values as typed,
// until the row is saved or the form cancelled. True when the row was saved. The file opened read-only
// takes no entry.
bool RunEntry(Tfdb &db, Dataset &dataset, EntryMode mode, const std::function<bool()> &runForm,
              const std::function<void(Dataset &)> &start = {});

// The next answer of a scripted entry window: writes its fields into the row being edited and accepts
// it; nullopt, or no answer left, cancels.
bool AnswerEntry(std::deque<std::optional<QVariantMap>> &answers, Dataset &dataset);

} // namespace zelvane
