#include "ui/window/DesktopOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

// How long xdg-open may take to answer; still running after that, it has
// started a file manager that stays in the foreground.
const int kAnswerWithinMs = 10000;
const int kPollMs = 200;

} // namespace

void OpenFolderOnDesktop(QObject* owner, const QString& folder, std::function<void()> failed)
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    // QDesktopServices only says whether xdg-open started; its exit status
    // (3 or 4: no handler) comes back through a file the shell writes.
    static int serial = 0;
    QString status =
        QDir::temp().filePath(QString("javagen-open-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial));
    QFile::remove(status);
    if (!QProcess::startDetached("sh",
            { "-c", "xdg-open \"$1\" >/dev/null 2>&1; echo $? > \"$2.tmp\"; mv \"$2.tmp\" \"$2\"", "sh", folder,
                status })) {
        failed();
        return;
    }
    auto* poll = new QTimer(owner);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, waited, status, failed] {
        QFile answer(status);
        bool answered = answer.open(QIODevice::ReadOnly);
        *waited += kPollMs;
        if (!answered && *waited < kAnswerWithinMs)
            return;
        bool opened = !answered || answer.readAll().trimmed() == "0";
        answer.close();
        QFile::remove(status);
        poll->stop();
        poll->deleteLater();
        if (!opened)
            failed();
    });
    poll->start(kPollMs);
#else
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        failed();
#endif
}
