#pragma once

#include <QFont>
#include <QList>

// Gives each widget of the list the point size `punkte`, keeping family and weight.
template<typename Widget>
void setzePunktgroesse(const QList<Widget *> &widgets, int punkte)
{
    for (Widget *widget : widgets) {
        QFont schrift = widget->font();
        schrift.setPointSize(punkte);
        widget->setFont(schrift);
    }
}
