// The modal dialog a command opens, as a test sees it: looked at and closed shortly after the
// command starts the dialog's event loop.
#pragma once

#include <QApplication>
#include <QString>
#include <QTimer>
#include <QWidget>

struct SeenDialog {
    QString title;
    bool modal = false;
    QWidget* parent = nullptr;
};

// Arms a timer that records and closes the active modal widget; `seen` must outlive the command.
inline void CloseModalDialogSoon(SeenDialog& seen)
{
    QTimer::singleShot(50, [&seen] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        seen.title = dialog->windowTitle();
        seen.modal = dialog->isModal();
        seen.parent = dialog->parentWidget();
        dialog->close();
    });
}
