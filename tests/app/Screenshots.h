#pragma once
// Window tests save what they show as PNG files when QIRAVEL_SCREENSHOTS names a folder, so a
// person can look at every state a test reaches.
#include <QDir>
#include <QPixmap>
#include <QWidget>

inline void SaveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("QIRAVEL_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget.grab().save(QDir(folder).filePath(name + ".png"));
}
