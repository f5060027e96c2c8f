#include "common/CommandRegistry.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QWidget>
#include <algorithm>

// Resources of a static library must be registered by name, outside any namespace.
static void registerCommandPictures() { Q_INIT_RESOURCE(resources); }

namespace zelvane {

CommandRegistry::CommandRegistry(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
}

CommandRegistry::~CommandRegistry() = default;

QAction *CommandRegistry::add(const CommandSpec &spec, std::function<void()> work)
{
    const QByteArray name(spec.id.name);
    Q_ASSERT_X(!m_actions.contains(name), "CommandRegistry::add", spec.id.name);
    auto *a = new QAction(QString::fromUtf8(spec.caption), m_owner);
    a->setObjectName(QString::fromLatin1(name));
    const QString hint = QString::fromUtf8(spec.hint);
    a->setToolTip(hint.isEmpty() ? a->text() : hint);
    a->setStatusTip(hint);
    const QIcon fallback = bundledIcon(spec.fallback);
    a->setIcon(*spec.icon ? QIcon::fromTheme(QString::fromLatin1(spec.icon), fallback) : fallback);
    if (*spec.shortcut)
        a->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
    a->setShortcutContext(Qt::WindowShortcut);
    if (work)
        m_work.insert(name, std::move(work));
    // A command with work and no enabling rule is always available; its work may have been given before.
    a->setEnabled(m_work.contains(name));
    connect(a, &QAction::triggered, this, [this, name] {
        if (const auto work = m_work.value(name))
            work();
    });
    m_owner->addAction(a);
    m_actions.insert(name, a);
    m_order << a;
    for (const Placement &place : spec.places)
        m_places.append({a, QString::fromUtf8(place.where), place.order});
    return a;
}

QIcon CommandRegistry::bundledIcon(const char *name)
{
    registerCommandPictures();
    const QString path = QStringLiteral(":/zelvane/images/%1.svg").arg(QString::fromLatin1(name));
    // The disabled look is generated from these pictures by the style, which greys them.
    return *name && QFile::exists(path) ? QIcon(path) : QIcon();
}

QAction *CommandRegistry::action(CommandId id) const { return m_actions.value(QByteArray(id.name)); }

void CommandRegistry::setWork(CommandId id, std::function<void()> work)
{
    m_work.insert(QByteArray(id.name), std::move(work));
}

void CommandRegistry::setEnabled(CommandId id, bool enabled)
{
    if (QAction *a = action(id))
        a->setEnabled(enabled && m_work.contains(QByteArray(id.name)));
}

void CommandRegistry::trigger(CommandId id) const
{
    if (QAction *a = action(id))
        a->trigger();
}

QList<QAction *> CommandRegistry::placed(const QString &where) const
{
    QList<Entry> entries;
    for (const Entry &e : m_places) {
        if (e.where == where)
            entries << e;
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.order < b.order; });
    QList<QAction *> actions;
    for (int i = 0; i < entries.size(); ++i) {
        if (i > 0 && entries.at(i).order / 100 != entries.at(i - 1).order / 100)
            actions << nullptr;
        actions << entries.at(i).action;
    }
    return actions;
}

int CommandRegistry::order(const QAction *action, const QString &where) const
{
    for (const Entry &e : m_places) {
        if (e.action == action && e.where == where)
            return e.order;
    }
    return -1;
}

QStringList CommandRegistry::paths(const QString &prefix) const
{
    QList<Entry> entries;
    for (const Entry &e : m_places) {
        if (prefix.isEmpty() ? e.where != QLatin1String("toolbar") && !e.where.startsWith(QLatin1String("popup"))
                             : e.where.startsWith(prefix + QLatin1Char('/')))
            entries << e;
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.order < b.order; });
    QStringList paths;
    for (const Entry &e : std::as_const(entries)) {
        if (!paths.contains(e.where))
            paths << e.where;
    }
    return paths;
}

} // namespace zelvane
