// qiravel: the desktop program.
#include "ProgramFolder.h"
#include "QiravelVersion.h"
#include "QtChineseTexts.h"
#include "QtPrompter.h"
#include "UntMain.h"

#include <QApplication>
#include <QMessageBox>

#include <cstring>
#include <exception>
#include <iostream>
#include <string>

namespace {

// --home DIR (or --home=DIR) names the program folder, as for qiravel-cli.
std::string HomeOption(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--home" && i + 1 < argc) return argv[i + 1];
        if (arg.starts_with("--home=")) return arg.substr(7);
    }
    return {};
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "qiravel " << kQiravelVersion << '\n';
            return 0;
        }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kQiravelAppId));
    QApplication::setApplicationName(QStringLiteral("Qiravelv3.7"));
    QApplication::setApplicationDisplayName(QStringLiteral("Qiravelv3.7"));

    InstallQtChineseTexts(app);  // Qt's own buttons and dialogs in Chinese

    try {
        QtPrompter prompter;
        TFrmMain window(ResolveProgramFolder(HomeOption(argc, argv)), prompter);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("错误"), QString::fromUtf8(e.what()));
        return 1;
    }
}
