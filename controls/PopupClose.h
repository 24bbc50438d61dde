#pragma once

#include <QDialog>

// Closes the container a popup panel sits in: the separate dialog (whose
// finished signal deletes it) or the embedded label on the render view.
inline void closePopupContainer(QWidget *panel)
{
    QWidget *parent = panel->parentWidget();
    if (auto *dialog = qobject_cast<QDialog *>(parent))
        dialog->close();
    else if (parent)
        parent->close();
}
