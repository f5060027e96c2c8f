#pragma once

#include <QDialog>
#include <optional>

class QButtonGroup;
class QLineEdit;

namespace zelvane {

// What the zoom dialog asks for: a percentage, or a fit of the page to the preview.
struct ZoomChoice
{
    enum Kind { Percent, PageWidth, WholePage } kind = Percent;
    int percent = 100;
};

// The zoom dialog of the preview ("Zoom"): fixed percentages, a percentage typed, or a fit to the page.
class TFZoom : public QDialog
{
    Q_OBJECT

public:
    explicit TFZoom(int currentZoom, QWidget *parent = nullptr);

    // What "Ok" asks for; nothing when no item is chosen.
    std::optional<ZoomChoice> choice() const;

    QButtonGroup *RG1; // "200 %", "100 %", "Personnalisé", "75 %", "50 %"
    QButtonGroup *RG2; // "Largeur de Page", "Page entière"
    QLineEdit *Edit_Value;
};

// Opens the zoom dialog on the current zoom; nothing when it is cancelled or left without a choice.
std::optional<ZoomChoice> AskZoom(int currentZoom, QWidget *parent = nullptr);

} // namespace zelvane
