#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QIcon;
class QWidget;

namespace zelvane {

// The identity of a command: a compile-time constant declared by the subsystem that owns the command,
// so that a misspelt command fails to compile instead of failing at run time.
struct CommandId
{
    const char *name;
};

// Where a command appears: a menu path ("Mises à Jours/Articles"), "toolbar" or a pop-up menu path
// ("popup/Articles"). Places are sorted by order; a new hundred starts a new group, set off by a
// separator.
struct Placement
{
    const char *where;
    int order;
};

struct CommandSpec
{
    CommandId id;
    const char *caption;
    const char *hint = "";
    const char *shortcut = "";
    // A freedesktop icon name, and the picture bundled with the program shown when the icon theme has
    // none: the name of an SVG file under :/zelvane/images, without its extension.
    const char *icon = "";
    const char *fallback = "";
    std::vector<Placement> places = {};
};

// Every command of the main window, registered by the pages of the subsystems. A command registered
// without work is not built yet and stays disabled whatever its enabling rule says.
class CommandRegistry : public QObject
{
    Q_OBJECT

public:
    // The actions are added to owner so that their shortcuts work wherever the focus is in it.
    explicit CommandRegistry(QWidget *owner);
    ~CommandRegistry() override;

    QAction *add(const CommandSpec &spec, std::function<void()> work = {});
    // The picture bundled under name (see CommandSpec::fallback); a null icon when there is none.
    static QIcon bundledIcon(const char *name);
    QAction *action(CommandId id) const;
    // Gives its work to a command that one page places and enables and another carries out (the invoices'
    // print button of the suppliers' tab opens the documents window of the print page), before or after
    // that page registers it.
    void setWork(CommandId id, std::function<void()> work);
    // Enables a command that has work; one without work stays disabled.
    void setEnabled(CommandId id, bool enabled);
    void trigger(CommandId id) const;
    // In the order they were registered.
    QList<QAction *> actions() const { return m_order; }

    // The commands placed at where, in order; nullptr stands for a separator between groups.
    QList<QAction *> placed(const QString &where) const;
    // The order of a command at where, -1 when it is not placed there.
    int order(const QAction *action, const QString &where) const;
    // The menu paths under prefix ("" for the menu bar, "popup" for the pop-up menu) that hold commands,
    // in the order of their first command.
    QStringList paths(const QString &prefix) const;

private:
    struct Entry
    {
        QAction *action;
        QString where;
        int order;
    };

    QWidget *m_owner;
    QHash<QByteArray, QAction *> m_actions;
    QHash<QByteArray, std::function<void()>> m_work;
    QList<QAction *> m_order;
    QList<Entry> m_places;
};

} // namespace zelvane
