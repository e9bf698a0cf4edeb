// javagen: the workbench window.
#include "codegen/core/Target.h"
#include "codegen/io/FileOperate.h"
#include "ui/window/Banner.h"
#include "ui/window/FormMain.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    TFileOperate::FailWritesOverTheSizeLimit();
    InstallTargets();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8("VelmorantisJava代码生成器2.0版"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QApplication::setWindowIcon(QIcon(DrawAppIcon(64)));

    // Qt's own Chinese texts, so that the standard buttons read 确定 / 取消.
    QTranslator qtTranslator;
    if (qtTranslator.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    TFormMain window;
    window.show();
    int status = app.exec();
    // A generation run may still be writing on its own thread; leave without
    // running static destructors under it (its files are written atomically).
    std::fflush(nullptr);
    std::quick_exit(status);
}
