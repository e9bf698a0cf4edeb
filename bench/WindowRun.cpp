// Times a generation run started from the workbench window (offscreen), from
// the generate command until generate is enabled again, every box answered
// at once: the window's share of a run next to javagen-cli's.
//   QT_QPA_PLATFORM=offscreen bench_window_run DB PROJECT TEMPLATES ROOT
#include "model/store/DbHelper.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/window/FormMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>

#include <cstdio>

namespace {

class TSilentDialogs : public IDialogs {
public:
    void ShowMessage(QWidget*, const QString&, const QString&, TMessageIcon) override { }
    bool Confirm(QWidget*, const QString&, const QString&) override { return true; }
    std::optional<QString> InputText(QWidget*, const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_window_run DB PROJECT TEMPLATES ROOT\n");
        return 2;
    }
    QApplication app(argc, argv);
    TDbHelper::SetDatabasePath(argv[1]);
    TSilentDialogs dialogs;
    TFormMain window(&dialogs);
    window.SetRunLocations({ argv[3], argv[4] });
    window.show();
    window.findChild<QComboBox*>("CB_Project")
        ->setCurrentIndex(window.findChild<QComboBox*>("CB_Project")->findText(QString::fromUtf8(argv[2])));
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction*>("Act_Generate")->trigger();
    while (!window.findChild<QAction*>("Act_Generate")->isEnabled())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("%.3f\n", timer.elapsed() / 1000.0);
    return 0;
}
