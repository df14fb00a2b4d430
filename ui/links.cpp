#include "ui/links.h"

#include <QLabel>
#include <QString>
#include <QUrl>

void zeigeLink(QLabel *label, const QUrl &ziel, const QString &text)
{
    // Folder names may hold "&", "<" or quotes; escaped, they cannot break the anchor.
    label->setTextFormat(Qt::RichText);
    label->setText(
        QStringLiteral("<a href=\"%1\">%2</a>")
            .arg(QString::fromUtf8(ziel.toEncoded()).toHtmlEscaped(), text.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                                   Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(true);
}
