#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace zelvane {

// "Patientez": the modeless progress window of long operations.
class TFProgression : public QDialog
{
    Q_OBJECT

public:
    explicit TFProgression(QWidget *parent = nullptr);

    void start(int maximum, const QString &message);
    void step(int n);
    int position() const { return m_position; }
    QString percentText() const;

private:
    QLabel *m_message;
    QProgressBar *m_bar;
    QLabel *m_percent;
    int m_maximum = 0;
    int m_position = 0;
};

} // namespace zelvane
