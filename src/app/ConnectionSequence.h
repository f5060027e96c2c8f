#pragma once

#include "db/YearFiles.h"

#include <QObject>
#include <QString>
#include <functional>

namespace zelvane {

class Tfdb;

inline constexpr auto kPlaceholderName = "Créer un nouveau Dossier.mdb";
inline constexpr auto kCaptionAtStart = "FEUILLE DE CONSOMMATION JOURNALIERE VERSION 1.00";
inline constexpr auto kCaptionDisconnected = "FEUILLE DE CONSOMMATION JOURNALIERE - VERSION 2.00";

// Finds or creates the management file of the year and connects the data module to it: the pending
// file, the profile's default, the open dialog or the template, then opening, preparation of a new file
// and the options. Every question goes through the prompter, so each path runs without a display.
class ConnectionSequence : public QObject
{
    Q_OBJECT

public:
    explicit ConnectionSequence(Tfdb &db, QObject *parent = nullptr);

    // A file asked for by another command (previous/next sheet, archive, new year), consumed by the next
    // connection.
    QString PendingDatabaseName;
    // A file named on the command line: the next connection opens it, or fails when it cannot, without
    // falling back on another file and without making it the profile's default file.
    void openForThisRun(const QString &file);
    // Connection attempts since start; the first one takes the profile's file without asking.
    int connectTag = 0;

    // The connection sequence; true when a file is connected at the end.
    bool Action_connectExecute();
    // Closes the file; nothing when none is connected.
    void Action_disconnectExecute();

    // The window caption for the current state.
    QString caption() const { return m_caption; }
    // Why the last attempt left the program disconnected; empty after a success or a plain cancel.
    QString lastFailure() const { return m_failure; }
    // The last attempt prepared a new file.
    bool prepared() const { return m_prepared; }

signals:
    void captionChanged(const QString &caption);
    // Lets the window run pending events at the points where the sequence waits.
    void processEvents();

private:
    void setCaption(const QString &caption);
    bool fail(const QString &reason);
    QString chooseFile();
    bool prepareNewFile(QString &file);
    bool importAccessFile(QString &file);

    Tfdb &m_db;
    QString m_caption;
    QString m_failure;
    bool m_forThisRun = false;
    bool m_prepared = false;
};

} // namespace zelvane
