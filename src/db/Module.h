#pragma once

#include <QObject>

namespace zelvane {

class Tfdb;

// A subsystem's part of the data module: it registers its datasets and their rules with the data module
// when built, and keeps what it computes while a file is connected. The data module calls connected()
// once a file is open, its options loaded and its day selected, and disconnected() before closing it.
class Module : public QObject
{
    Q_OBJECT

public:
    explicit Module(Tfdb &db);
    ~Module() override;

    Tfdb &db() const { return m_db; }

    virtual void connected() {}
    virtual void disconnected() {}

protected:
    Tfdb &m_db;
};

} // namespace zelvane
