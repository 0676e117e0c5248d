#pragma once
// Qt's own texts (message box buttons, the edit menus of text fields, the font, colour and file
// dialogs) in Chinese. Qt's translation catalogue is used when the system has it; Debian 12's
// Qt 6 translations lack the Simplified Chinese one, so the most visible texts are also kept
// here and stand in for it.
class QCoreApplication;

// Installs Qt's catalogue for zh_CN from Qt's translations folder, or else the texts kept here.
// True when Qt's catalogue was found.
bool InstallQtChineseTexts(QCoreApplication& application);
