#pragma once

class QLabel;
class QString;
class QUrl;

// Shows `text` in `label` as a link to `ziel` that the desktop opens (browser, mail program, file
// browser); the text stays selectable and the link can be reached by keyboard.
void zeigeLink(QLabel *label, const QUrl &ziel, const QString &text);
