#pragma once

#include "db/Conversion.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace zelvane {

// "Convertir": shown without blocking while the tables of an older file are copied; the conversion
// window of the desktop program, installed while it lives.
class TFConvertDatabase : public QDialog, public ConversionWindow
{
    Q_OBJECT

public:
    explicit TFConvertDatabase(QWidget *parent = nullptr);
    ~TFConvertDatabase() override;

    void start(const QString &path, int steps) override;
    void step() override;
    void finish() override;

    QProgressBar *bar() const { return m_bar; }

private:
    QLabel *m_path;
    QProgressBar *m_bar;
};

} // namespace zelvane
