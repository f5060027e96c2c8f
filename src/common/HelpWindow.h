#pragma once

class QDialog;
class QString;
class QWidget;

namespace zelvane {

// The program's own help window ("Aide"): an HTML guide in a browser pane, for desktops without a web
// browser. Not modal; showing it again brings the open window to the front on the new file.
QDialog *ShowHelpWindow(const QString &htmlFile, QWidget *parent);

} // namespace zelvane
